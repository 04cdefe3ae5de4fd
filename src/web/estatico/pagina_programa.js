// "/obras/{clave}/programa": the program options form (kind, amounts or
// quantities, monthly or fortnightly), the workbook download, the Gantt of
// the lines over the periods and the S-curve.
import { el, formato, vacia } from './dom.js';
import { pide, ruta, parametrosPagina } from './api.js';
import { TablaVirtual } from './tabla_virtual.js';
import { encabezadoObra, mensajesCarga } from './opciones.js';
import { curvaS } from './curva_s.js';
import { botonDescarga } from './descarga.js';

function opcionesCalculo() {
  const p = parametrosPagina();
  p.delete('tipo');
  p.delete('cantidades');
  return p;
}

export async function paginaPrograma(contenido, obra) {
  const pagina = parametrosPagina();
  const doc = await pide(ruta(obra, '/presupuesto', opcionesCalculo()));
  document.title = `Programa ${doc.Obra.Clave} — ProMorlaQel`;
  const periodos = doc.Periodos;
  const totales = doc.TotalesPeriodo;
  let cantidades = pagina.get('cantidades') === 'si';

  // The choices of the program options form.
  const tipo = el('select', { id: 'tipo-programa', name: 'tipo' },
    doc.TiposPrograma.map((t, i) => el('option', { value: i, selected: String(i) === (pagina.get('tipo') ?? '1') }, t)));
  const importes = el('input', { type: 'radio', name: 'modo', value: 'importes', checked: !cantidades });
  const porCantidad = el('input', { type: 'radio', name: 'modo', value: 'cantidades', checked: cantidades });
  const periodo = el('select', { id: 'tipo-periodo' },
    el('option', { value: '1', selected: doc.Opciones.TipoPeriodo === '1' }, 'Mensual'),
    el('option', { value: '0', selected: doc.Opciones.TipoPeriodo === '0' }, 'Quincenal'));
  const [descarga, avisoDescarga] = botonDescarga({ clase: 'boton', id: 'descarga-programa' }, 'Descargar el programa (.xlsx)');
  const actualiza = () => {
    cantidades = porCantidad.checked;
    const p = opcionesCalculo();
    p.set('tipo', tipo.value);
    if (cantidades) p.set('cantidades', 'si');
    descarga.href = ruta(obra, '/programa.xlsx', p);
    history.replaceState(null, '', location.pathname + '?' + p.toString());
    tabla.pintadas = null;
    tabla.pinta();
  };
  periodo.addEventListener('change', () => {
    const p = parametrosPagina();
    p.set('TipoPeriodo', periodo.value);
    location.assign(location.pathname + '?' + p.toString());
  });

  // The Gantt: one row per line, a bar over its worked days in each period and
  // the amount (or quantity) of the period; totals and cumulative at the end.
  const filas = [];
  for (const p of doc.Obra.Partidas) {
    filas.push({ seccion: p });
    for (const l of p.Presups) filas.push({ linea: l, reparto: new Map(l.Periodos.map((s) => [s.P, s])) });
  }
  let acumulado = 0;
  const acumulados = totales.map((v) => (acumulado += v));
  const total = acumulado;
  filas.push({ total: 'Total del periodo', valores: totales.map(formato.dinero) });
  filas.push({ total: 'Acumulado', valores: acumulados.map(formato.dinero) });
  filas.push({ total: '% acumulado', valores: acumulados.map((v) => formato.porcentaje(total ? (100 * v) / total : 0)) });

  const columnas = [{ titulo: 'Concepto', ancho: 120 }, { titulo: 'Descripción', ancho: 260 },
    { titulo: 'Importe', ancho: 120, num: true },
    ...periodos.map((p) => ({ titulo: formato.periodo(p), ancho: 120, num: true }))];
  const celda = (fila, k) => {
    if (fila.seccion) return k === 0 ? fila.seccion.Clave : k === 1 ? fila.seccion.Descripcion : k === 2 ? formato.dinero(fila.seccion.Importe) : '';
    if (fila.total) return k === 1 ? fila.total : k >= 3 ? fila.valores[k - 3] : '';
    const l = fila.linea;
    if (k < 3) return [l.Concepto, l.Descripcion, formato.dinero(l.Importe)][k];
    const s = fila.reparto.get(k - 3);
    const p = periodos[k - 3];
    const nodo = el('div', { clase: 'gantt-celda' });
    if (s && s.d1 > 0) {
      const barra = el('div', { clase: 'gantt-barra', title: `Días ${s.d1} a ${s.d2}` });
      barra.style.left = `${((s.d1 - 1) / p.Duracion) * 100}%`;
      barra.style.width = `${((s.d2 - s.d1 + 1) / p.Duracion) * 100}%`;
      nodo.append(barra, el('span', { clase: 'gantt-importe' }, cantidades ? formato.cantidad(s.Cantidad) : formato.dinero(s.Importe)));
    }
    return nodo;
  };
  const tabla = new TablaVirtual({
    columnas, filas, celda,
    claseFila: (f) => (f.seccion ? 'seccion' : f.total ? 'total' : ''),
    alto: '560px',
  });
  tabla.nodo.id = 'gantt';
  for (const control of [tipo, importes, porCantidad]) control.addEventListener('change', actualiza);

  vacia(contenido).append(encabezadoObra(doc), mensajesCarga(doc) || '',
    el('section', { clase: 'panel', id: 'opciones-programa' }, el('h2', {}, 'Programa de obra'),
      el('div', { clase: 'acciones' },
        el('label', {}, 'Tipo de programa ', tipo),
        el('label', {}, importes, 'Importes'), el('label', {}, porCantidad, 'Cantidades'),
        el('label', {}, 'Periodos ', periodo), descarga, avisoDescarga)),
    tabla.nodo,
    el('h2', {}, 'Curva S'), curvaS(periodos, totales));
  actualiza();
}
