// "/obras/{clave}": header, options, messages, the budget by section and the
// detail of a line (its breakdown and its shares per period) when opened.
import { el, formato, vacia } from './dom.js';
import { pide, ruta, parametrosPagina } from './api.js';
import { TablaVirtual } from './tabla_virtual.js';
import { encabezadoObra, formularioOpciones, mensajesCarga } from './opciones.js';

const COLUMNAS = [
  { titulo: 'Concepto', ancho: 120 }, { titulo: 'Descripción', ancho: 390 },
  { titulo: 'Unidad', ancho: 70 }, { titulo: 'Cantidad', ancho: 110, num: true },
  { titulo: 'P. unitario', ancho: 120, num: true }, { titulo: 'Importe', ancho: 140, num: true },
  { titulo: '% partida', ancho: 95, num: true }, { titulo: '% presupuesto', ancho: 110, num: true },
  { titulo: 'Frente', ancho: 70 }, { titulo: 'Inicio', ancho: 105 }, { titulo: 'Terminación', ancho: 105 },
];

function filasPresupuesto(doc) {
  const filas = [];
  for (const p of doc.Obra.Partidas) {
    filas.push({ seccion: p });
    for (const l of p.Presups) filas.push({ linea: l });
  }
  return filas;
}

function celda(fila, k) {
  if (fila.seccion) {
    const p = fila.seccion;
    return [p.Clave, p.Descripcion, '', '', '', formato.dinero(p.Importe)][k] ?? '';
  }
  const l = fila.linea;
  return [l.Concepto, l.Descripcion, l.Unidad, formato.cantidad(l.Cantidad), formato.dinero(l.Costo), formato.dinero(l.Importe),
    formato.porcentaje(l.PorcentajePartida), formato.porcentaje(l.PorcentajePresupuesto), l.Frente,
    formato.fecha(l.Inicio), formato.fecha(l.Final)][k];
}

const CATEGORIAS = [['ResumenMat', 'Materiales'], ['ResumenMdo', 'Mano de obra'], ['ResumenMaq', 'Maquinaria'],
  ['ResumenSub', 'Subcontratos'], ['ResumenInd', 'Indirectos']];

async function muestraLinea(panel, obra, n) {
  vacia(panel).append(el('p', { clase: 'cargando' }, 'Cargando la línea…'));
  panel.hidden = false;
  const l = await pide(ruta(obra, `/lineas/${n}`, parametrosPagina()));
  const e = l.Explosion || {};
  const filasInsumos = (e.Resumen || []).map((i) => el('tr', {},
    el('td', {}, i.ConceptoOrigen || ''), el('td', {}, i.Concepto || ''), el('td', { clase: 'num' }, formato.cantidad(i.Cantidad)),
    el('td', { clase: 'num' }, formato.cantidad(i.CantidadAlt)), el('td', { clase: 'num' }, formato.dinero(i.Parcial))));
  const suma = (lista) => (lista || []).reduce((s, i) => s + i.Parcial, 0);
  const totales = CATEGORIAS.map(([campo, nombre]) => el('tr', {}, el('td', {}, nombre), el('td', { clase: 'num' }, formato.dinero(suma(e[campo])))));
  totales.push(el('tr', {}, el('th', {}, 'Costo directo'), el('th', { clase: 'num' }, formato.dinero(CATEGORIAS.reduce((s, [c]) => s + suma(e[c]), 0)))));
  const repartos = (l.PeriodosPorItem || []).map((s) => el('tr', {},
    el('td', {}, formato.periodo({ Inicio: s.P1, Final: s.P2 })), el('td', {}, s.d1 ? `${s.d1} a ${s.d2}` : '—'),
    el('td', { clase: 'num' }, s.d1 ? s.d2 - s.d1 + 1 : 0), el('td', { clase: 'num' }, formato.cantidad(s.Cantidad)),
    el('td', { clase: 'num' }, formato.dinero(s.Importe))));
  vacia(panel).append(
    el('h2', {}, `Línea ${n}: ${l.Concepto || l.Des.Clave} — ${l.Des.Descripcion}`),
    el('p', {}, `${formato.cantidad(l.Des.Cantidad)} ${l.Des.Unidad} × ${formato.dinero(l.Des.Costo)} = ${formato.dinero(l.Des.Importe)}`),
    el('h2', {}, 'Desglose en insumos (para la cantidad de la línea)'),
    el('table', { clase: 'simple', id: 'desglose' }, el('thead', {}, el('tr', {}, el('th', {}, 'Origen'), el('th', {}, 'Concepto'),
      el('th', { clase: 'num' }, 'Cantidad'), el('th', { clase: 'num' }, 'Cantidad alt.'), el('th', { clase: 'num' }, 'Parcial'))),
    el('tbody', {}, filasInsumos.length ? filasInsumos : el('tr', {}, el('td', { colspan: 5 }, 'La línea no tiene desglose.')))),
    el('table', { clase: 'simple', id: 'totales-desglose' }, el('tbody', {}, totales)),
    el('h2', {}, 'Reparto por periodo'),
    el('table', { clase: 'simple', id: 'reparto' }, el('thead', {}, el('tr', {}, el('th', {}, 'Periodo'), el('th', {}, 'Días del periodo'),
      el('th', { clase: 'num' }, 'Días'), el('th', { clase: 'num' }, 'Cantidad'), el('th', { clase: 'num' }, 'Importe'))),
    el('tbody', {}, repartos)));
  panel.scrollIntoView({ block: 'nearest' });
}

export async function paginaObra(contenido, obra) {
  const doc = await pide(ruta(obra, '/presupuesto', parametrosPagina()));
  document.title = `${doc.Obra.Clave} — ProMorlaQel`;
  const detalle = el('section', { clase: 'panel detalle', id: 'detalle', hidden: true });
  const tabla = new TablaVirtual({
    columnas: COLUMNAS, filas: filasPresupuesto(doc), celda,
    claseFila: (f) => (f.seccion ? 'seccion' : ''),
    alClic: (f) => muestraLinea(detalle, obra, f.linea.N).catch((e) => {
      vacia(detalle).append(el('p', { clase: 'error' }, e.message));
    }),
  });
  tabla.nodo.id = 'presupuesto';
  vacia(contenido).append(encabezadoObra(doc), mensajesCarga(doc) || '', formularioOpciones(doc.Opciones, doc.OpcionesPredeterminadas),
    el('h2', {}, 'Presupuesto por partida (pulse una línea para ver su desglose y su reparto)'), tabla.nodo, detalle);
  tabla.pinta();
}
