// "/obras/{clave}/resumen": the estimates summary grid, the unit price per
// estimate switch and the downloads (workbook and CSV).
import { el, vacia } from './dom.js';
import { pide, ruta, parametrosPagina } from './api.js';
import { TablaVirtual } from './tabla_virtual.js';
import { botonDescarga } from './descarga.js';

const PARTES = ['Cantidad', 'P.Unitario', 'Importe'];

export async function paginaResumen(contenido, obra) {
  const p = parametrosPagina();
  const rejilla = await pide(ruta(obra, '/resumen', p));
  document.title = `Resumen ${obra} — ProMorlaQel`;
  // The grid's fixed row and column, its last (empty) row and three last
  // (empty) columns are left out, as the text listing does.
  const ultima = Math.max(2, rejilla.Cols - 3);
  const titulos = ['Clave', 'Descripción', 'Unidad', 'Cantidad', 'P.Unitario', 'Importe'];
  for (let c = 7; c < ultima; c++) titulos.push(`E${Math.floor((c - 7) / 3) + 1} ${PARTES[(c - 7) % 3]}`);
  titulos.length = ultima - 1;
  const filas = rejilla.Celdas.slice(1, Math.max(1, rejilla.Rows - 1));
  const tabla = new TablaVirtual({
    columnas: titulos.map((t, i) => ({ titulo: t, ancho: i === 1 ? 420 : i === 0 ? 150 : 120, num: i >= 3 })),
    filas,
    celda: (fila, k) => fila[k + 1],
    claseFila: (fila) => (fila[3] === '' && fila[2] !== '' ? 'seccion' : ''),
  });
  tabla.nodo.id = 'rejilla';

  const punit = p.get('PUnitPorEstimacion') === 'si';
  const interruptor = el('input', { type: 'checkbox', id: 'punit', checked: punit, onchange: (e) => {
    const q = parametrosPagina();
    if (e.target.checked) q.set('PUnitPorEstimacion', 'si'); else q.delete('PUnitPorEstimacion');
    const consulta = q.toString();
    location.assign(location.pathname + (consulta ? '?' + consulta : ''));
  } });
  vacia(contenido).append(
    el('h1', {}, `Resumen de estimaciones de la obra ${obra}`),
    el('div', { clase: 'acciones panel' },
      el('label', {}, interruptor, ' Precio unitario por estimación'),
      botonDescarga({ clase: 'boton', id: 'descarga-xlsx', href: ruta(obra, '/resumen.xlsx', p) }, 'Descargar libro (.xlsx)'),
      botonDescarga({ clase: 'boton secundario', id: 'descarga-csv', href: ruta(obra, '/resumen.csv', p) }, 'Descargar CSV')),
    tabla.nodo);
  tabla.pinta();
}
