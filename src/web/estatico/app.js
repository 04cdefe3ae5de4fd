// The application: one page per address, drawn from the JSON API.
import { el, vacia } from './dom.js';
import { ErrorApi, parametrosPagina } from './api.js';
import { paginaObras } from './pagina_obras.js';
import { paginaObra } from './pagina_obra.js';
import { paginaPrograma } from './pagina_programa.js';
import { paginaResumen } from './pagina_resumen.js';

// The token of the first visit is now in a cookie: it leaves the address so
// it is not copied along with a link.
if (new URLSearchParams(location.search).has('token')) {
  const p = parametrosPagina().toString();
  history.replaceState(null, '', location.pathname + (p ? '?' + p : ''));
}

const contenido = document.getElementById('contenido');
const navegacion = document.getElementById('navegacion');

function navegacionObra(obra, actual) {
  const consulta = parametrosPagina().toString();
  const base = `/obras/${encodeURIComponent(obra)}`;
  const enlace = (texto, ruta, id) =>
    el('a', { href: base + ruta + (consulta ? '?' + consulta : ''), 'aria-current': actual === id ? 'page' : null }, texto);
  navegacion.replaceChildren(
    el('a', { href: '/' }, 'Obras'),
    enlace('Presupuesto', '', 'obra'),
    enlace('Programa', '/programa', 'programa'),
    enlace('Resumen', '/resumen', 'resumen'));
}

export function muestraError(error) {
  const texto = error instanceof ErrorApi ? error.message : 'Error inesperado en la página: ' + error.message;
  const titulo = error instanceof ErrorApi && error.message.startsWith('La base de datos') ? 'La base de datos no está disponible'
    : error instanceof ErrorApi && error.estado === 404 ? 'No encontrado' : 'No se pudo mostrar la página';
  vacia(contenido).append(el('section', { clase: 'panel error', role: 'alert', id: 'error' },
    el('h1', {}, titulo), el('p', {}, texto),
    el('button', { onclick: () => location.reload() }, 'Reintentar')));
}

async function inicia() {
  const partes = location.pathname.split('/').filter(Boolean).map(decodeURIComponent);
  try {
    if (partes.length === 0) {
      navegacion.replaceChildren(el('a', { href: '/', 'aria-current': 'page' }, 'Obras'));
      await paginaObras(contenido);
    } else if (partes[0] === 'obras' && partes.length === 2) {
      navegacionObra(partes[1], 'obra');
      await paginaObra(contenido, partes[1]);
    } else if (partes[0] === 'obras' && partes[2] === 'programa') {
      navegacionObra(partes[1], 'programa');
      await paginaPrograma(contenido, partes[1]);
    } else if (partes[0] === 'obras' && partes[2] === 'resumen') {
      navegacionObra(partes[1], 'resumen');
      await paginaResumen(contenido, partes[1]);
    } else {
      throw new ErrorApi(404, 'Esta dirección no corresponde a ninguna página.');
    }
    document.body.dataset.listo = 'si';
  } catch (error) {
    muestraError(error);
    document.body.dataset.listo = 'error';
  }
}

inicia();
