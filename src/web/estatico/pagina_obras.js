// "/": the works of the database, with a search box.
import { el, formato, vacia } from './dom.js';
import { pide } from './api.js';

export async function paginaObras(contenido) {
  const obras = await pide('/api/obras');
  document.title = 'Obras — ProMorlaQel';
  const cuerpo = el('tbody');
  const pinta = (filtro) => {
    const f = filtro.trim().toLocaleLowerCase('es');
    vacia(cuerpo);
    for (const o of obras) {
      if (f && !`${o.Clave} ${o.Nombre}`.toLocaleLowerCase('es').includes(f)) continue;
      cuerpo.append(el('tr', { 'data-obra': o.Clave },
        el('td', {}, el('a', { href: `/obras/${encodeURIComponent(o.Clave)}` }, o.Clave)),
        el('td', {}, o.Nombre),
        el('td', {}, formato.fecha(o.Inicio)),
        el('td', {}, formato.fecha(o.Final)),
        el('td', { clase: 'num' }, formato.dinero(o.ImporteTotal))));
    }
    if (!cuerpo.firstChild) cuerpo.append(el('tr', {}, el('td', { colspan: 5 }, 'Ninguna obra coincide con la búsqueda.')));
  };
  const buscador = el('input', { type: 'search', clase: 'buscador', placeholder: 'Buscar por clave o nombre…', 'aria-label': 'Buscar obra',
    oninput: (e) => pinta(e.target.value) });
  vacia(contenido).append(
    el('h1', {}, 'Obras de la base de datos'), buscador,
    el('table', { clase: 'simple', id: 'obras' },
      el('thead', {}, el('tr', {}, el('th', {}, 'Clave'), el('th', {}, 'Nombre'), el('th', {}, 'Inicio'),
        el('th', {}, 'Terminación'), el('th', { clase: 'num' }, 'Importe total'))),
      cuerpo));
  pinta('');
}
