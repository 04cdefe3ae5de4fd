// Building the page: every text from the server goes in as a text node, never
// as markup, so a description such as "<img src=x onerror=…>" shows as text.

export function el(etiqueta, atributos = {}, ...hijos) {
  const nodo = document.createElement(etiqueta);
  for (const [nombre, valor] of Object.entries(atributos)) {
    if (valor === undefined || valor === null || valor === false) continue;
    if (nombre.startsWith('on')) nodo.addEventListener(nombre.slice(2), valor);
    else if (nombre === 'clase') nodo.className = valor;
    else nodo.setAttribute(nombre, valor === true ? '' : String(valor));
  }
  agrega(nodo, hijos);
  return nodo;
}

export function agrega(nodo, hijos) {
  for (const h of hijos.flat()) {
    if (h === undefined || h === null || h === false) continue;
    nodo.append(h instanceof Node ? h : document.createTextNode(String(h)));
  }
  return nodo;
}

export function svg(etiqueta, atributos = {}, ...hijos) {
  const nodo = document.createElementNS('http://www.w3.org/2000/svg', etiqueta);
  for (const [nombre, valor] of Object.entries(atributos)) nodo.setAttribute(nombre, String(valor));
  for (const h of hijos.flat()) {
    if (h !== undefined && h !== null) nodo.append(h instanceof Node ? h : document.createTextNode(String(h)));
  }
  return nodo;
}

const dinero = new Intl.NumberFormat('es-MX', { minimumFractionDigits: 2, maximumFractionDigits: 2 });
const cantidad = new Intl.NumberFormat('es-MX', { minimumFractionDigits: 2, maximumFractionDigits: 6 });
const MESES = ['ene', 'feb', 'mar', 'abr', 'may', 'jun', 'jul', 'ago', 'sep', 'oct', 'nov', 'dic'];

export const formato = {
  dinero: (v) => (v === null || v === undefined ? '' : '$ ' + dinero.format(v)),
  cantidad: (v) => (v === null || v === undefined ? '' : cantidad.format(v)),
  porcentaje: (v) => (v === null || v === undefined ? '' : cantidad.format(v) + ' %'),
  fecha: (iso) => {
    if (!iso) return '-';
    const [a, m, d] = iso.split('-').map(Number);
    return `${String(d).padStart(2, '0')}/${MESES[m - 1]}/${a}`;
  },
  periodo: (p) => {
    const [a, m, d] = p.Inicio.split('-').map(Number);
    const fin = Number(p.Final.split('-')[2]);
    return d === 1 && fin >= 28 ? `${MESES[m - 1]} ${a}` : `${d}–${fin} ${MESES[m - 1]} ${a}`;
  },
};

export function vacia(nodo) {
  nodo.replaceChildren();
  return nodo;
}
