// A table that keeps in the document only the rows in view (plus a margin), so
// a budget of 20,000 lines scrolls as lightly as one of twenty.
import { el, vacia } from './dom.js';

const ALTO_FILA = 28;
const MARGEN = 10;

export class TablaVirtual {
  // columnas: [{ titulo, ancho (pixels), num }]
  // filas: any array; celda(fila, i) returns a text or a node;
  // claseFila(fila) extra classes; alClic(fila) when a row is clicked.
  constructor({ columnas, filas, celda, claseFila = () => '', alClic = null, alto = null }) {
    Object.assign(this, { columnas, filas, celda, claseFila, alClic });
    // Fixed widths: every row, drawn on its own, lines up with the heading.
    this.plantilla = columnas.map((c) => `${c.ancho || 100}px`).join(' ');
    this.ancho = columnas.reduce((s, c) => s + (c.ancho || 100), 0);
    this.encabezado = el('div', { clase: 'encabezado', role: 'row' },
      columnas.map((c) => el('div', { clase: 'celda' + (c.num ? ' num' : ''), role: 'columnheader' }, c.titulo)));
    this.encabezado.style.gridTemplateColumns = this.plantilla;
    this.encabezado.style.width = `${this.ancho}px`;
    this.espaciador = el('div', { clase: 'espaciador' });
    this.espaciador.style.width = `${this.ancho}px`;
    this.desplazable = el('div', { clase: 'desplazable' }, this.espaciador);
    if (alto) this.desplazable.style.maxHeight = alto;
    this.nodo = el('div', { clase: 'tabla-v', role: 'table' }, this.desplazable);
    this.desplazable.prepend(this.encabezado);
    this.encabezado.style.position = 'sticky';
    this.encabezado.style.top = '0';
    this.encabezado.style.zIndex = '1';
    this.desplazable.addEventListener('scroll', () => this.pinta());
    new ResizeObserver(() => this.pinta()).observe(this.desplazable);
    this.cambiaFilas(filas);
  }

  cambiaFilas(filas) {
    this.filas = filas;
    this.espaciador.style.height = `${filas.length * ALTO_FILA}px`;
    this.pintadas = null;
    this.pinta();
  }

  pinta() {
    const arriba = Math.max(0, this.desplazable.scrollTop - ALTO_FILA);
    const alto = this.desplazable.clientHeight || 600;
    const desde = Math.max(0, Math.floor(arriba / ALTO_FILA) - MARGEN);
    const hasta = Math.min(this.filas.length, Math.ceil((arriba + alto) / ALTO_FILA) + MARGEN);
    if (this.pintadas && this.pintadas[0] === desde && this.pintadas[1] === hasta) return;
    this.pintadas = [desde, hasta];
    vacia(this.espaciador);
    for (let i = desde; i < hasta; i++) {
      const fila = this.filas[i];
      const clases = ['fila', this.claseFila(fila), this.alClic && this.claseFila(fila) === '' ? 'clicable' : '']
        .filter(Boolean).join(' ');
      const nodo = el('div', { clase: clases, role: 'row', 'data-fila': i },
        this.columnas.map((c, k) => el('div', { clase: 'celda' + (c.num ? ' num' : ''), role: 'cell' }, this.celda(fila, k))));
      nodo.style.top = `${i * ALTO_FILA}px`;
      nodo.style.gridTemplateColumns = this.plantilla;
      if (this.alClic && this.claseFila(fila) === '') nodo.addEventListener('click', () => this.alClic(fila));
      this.espaciador.append(nodo);
    }
  }
}
