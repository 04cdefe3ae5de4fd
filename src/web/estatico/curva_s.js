// The S-curve of a program in SVG: the amount of each period as a column and
// the cumulative percentage as a line.
import { svg, formato } from './dom.js';

export function curvaS(periodos, totales) {
  const ancho = 900, alto = 300, izq = 56, der = 20, arr = 16, abj = 40;
  const total = totales.reduce((s, v) => s + v, 0);
  const n = periodos.length;
  const paso = n > 0 ? (ancho - izq - der) / n : 0;
  const maximo = Math.max(...totales, 0) || 1;
  const y = (fraccion) => arr + (1 - fraccion) * (alto - arr - abj);
  const nodos = [];
  for (let k = 0; k <= 4; k++) {
    nodos.push(svg('line', { class: 'rejilla', x1: izq, x2: ancho - der, y1: y(k / 4), y2: y(k / 4) }));
    nodos.push(svg('text', { x: izq - 6, y: y(k / 4) + 4, 'text-anchor': 'end' }, `${k * 25} %`));
  }
  let acumulado = 0;
  const puntos = [`${izq},${y(0)}`];
  totales.forEach((v, i) => {
    const x = izq + i * paso;
    const h = (v / maximo) * (alto - arr - abj) * 0.6;
    nodos.push(svg('rect', { class: 'columna', x: x + paso * 0.2, width: paso * 0.6, y: y(0) - h, height: h },
      svg('title', {}, `${formato.periodo(periodos[i])}: ${formato.dinero(v)}`)));
    acumulado += v;
    puntos.push(`${x + paso},${y(total ? acumulado / total : 0)}`);
    nodos.push(svg('text', { x: x + paso / 2, y: alto - abj + 16, 'text-anchor': 'middle' }, formato.periodo(periodos[i])));
  });
  nodos.push(svg('polyline', { class: 'linea', points: puntos.join(' ') }));
  acumulado = 0;
  totales.forEach((v, i) => {
    acumulado += v;
    nodos.push(svg('circle', { class: 'punto', cx: izq + (i + 1) * paso, cy: y(total ? acumulado / total : 0), r: 3.5 },
      svg('title', {}, `Acumulado a ${formato.periodo(periodos[i])}: ${formato.dinero(acumulado)}`)));
  });
  nodos.push(svg('line', { class: 'eje', x1: izq, x2: ancho - der, y1: y(0), y2: y(0) }));
  nodos.push(svg('line', { class: 'eje', x1: izq, x2: izq, y1: arr, y2: y(0) }));
  return svg('svg', { class: 'curva-s', id: 'curva-s', viewBox: `0 0 ${ancho} ${alto}`, role: 'img',
    'aria-label': 'Curva S: avance acumulado por periodo' }, nodos);
}
