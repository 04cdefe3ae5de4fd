// The calculation options as form controls, and the header and messages every
// page of a work shows.
import { el, formato } from './dom.js';

const ENUMERACIONES = {
  TipoPeriodo: [['0', 'Quincenal'], ['1', 'Mensual']],
  TipoPrograma: [['-1', 'Ninguno'], ['0', 'TotalImportes'], ['1', 'TotalCantidades'], ['2', 'MaterialesCantidades'],
    ['3', 'MaterialesImportes'], ['4', 'ManoDeObraCantidades'], ['5', 'ManoDeObraImportes'],
    ['6', 'MaquinariaCantidades'], ['7', 'MaquinariaImportes']],
  TipoCalculoDias: [['1', 'ParaInsumo'], ['2', 'ParaConcepto']],
};

// The options form: on "Calcular" the page opens again with the changed
// options in its address.
export function formularioOpciones(opciones, predeterminadas) {
  const controles = {};
  const campos = Object.entries(opciones).map(([nombre, valor]) => {
    let control;
    if (valor === 'si' || valor === 'no') {
      control = el('input', { type: 'checkbox', name: nombre, checked: valor === 'si' });
    } else if (ENUMERACIONES[nombre]) {
      control = el('select', { name: nombre }, ENUMERACIONES[nombre].map(([v, t]) => el('option', { value: v, selected: v === valor }, `${v} ${t}`)));
    } else if (nombre === 'FactorDestajos') {
      control = el('input', { type: 'number', step: 'any', name: nombre, value: valor });
    } else {
      control = el('input', { type: 'text', name: nombre, value: valor });
    }
    controles[nombre] = control;
    const omision = predeterminadas[nombre];
    return el('label', { title: `Por omisión: ${omision === '' ? '(vacío)' : omision}`, clase: valor !== omision ? 'cambiada' : null },
      control, nombre);
  });
  const aplica = (evento) => {
    evento.preventDefault();
    const p = new URLSearchParams(location.search);
    p.delete('token');
    for (const [nombre, control] of Object.entries(controles)) {
      const nuevo = control.type === 'checkbox' ? (control.checked ? 'si' : 'no') : control.value;
      if (nuevo !== opciones[nombre]) p.set(nombre, nuevo);
    }
    const consulta = p.toString();
    location.assign(location.pathname + (consulta ? '?' + consulta : ''));
  };
  return el('details', { clase: 'panel' }, el('summary', {}, 'Opciones del cálculo'),
    el('form', { onsubmit: aplica, id: 'opciones' }, el('div', { clase: 'opciones' }, campos),
      el('div', { clase: 'acciones' }, el('button', { type: 'submit' }, 'Calcular'),
        el('a', { href: location.pathname, clase: 'boton secundario' }, 'Valores por omisión'))));
}

export function encabezadoObra(doc) {
  const o = doc.Obra;
  const dato = (t, v, id) => [el('dt', {}, t), el('dd', { id }, v)];
  return el('section', { clase: 'panel' },
    el('h1', { id: 'titulo-obra' }, `${o.Clave} — ${o.Descripcion}`),
    el('dl', { clase: 'datos' },
      dato('Inicio', formato.fecha(o.Inicio)), dato('Terminación', formato.fecha(o.Final)),
      dato('Días', o.DiasObra), dato('Importe total', formato.dinero(o.ImporteTotal), 'importe-total'),
      dato('IVA', `${o.IVA} %`), dato('Factor de desperdicio', o.FacDe),
      dato('Factor de mando intermedio', o.FacMI), dato('Factor de herramienta menor', o.FacHM),
      dato('Estimaciones', o.NoEstimaciones), dato('Periodos', doc.Periodos.length)));
}

// What the load left: the result, the errors text and the message boxes.
export function mensajesCarga(doc) {
  const hay = doc.sErrores || doc.Mensajes.length || doc.Resultado !== 1;
  if (!hay) return null;
  const resultado = { 0: 'la obra no se calculó', 2: 'la base es de una estructura anterior' }[doc.Resultado];
  return el('section', { clase: 'panel error', id: 'mensajes' },
    el('h2', {}, 'Mensajes de la carga'),
    resultado ? el('p', {}, `Resultado ${doc.Resultado}: ${resultado}`) : null,
    doc.Mensajes.map((m) => el('p', {}, `[${m.Titulo}] ${m.Texto}`)),
    doc.sErrores ? el('pre', { clase: 'aviso' }, doc.sErrores) : null);
}
