// Download buttons: the file is asked for first, so that a failure (a kind of
// program that is not produced, the database gone) is told on the page
// instead of ending as a broken download.
import { el } from './dom.js';

export function botonDescarga(atributos, texto) {
  const aviso = el('span', { clase: 'aviso-descarga', role: 'alert' });
  const boton = el('a', { ...atributos, download: '' }, texto);
  boton.addEventListener('click', async (evento) => {
    evento.preventDefault();
    aviso.textContent = 'Preparando el archivo…';
    try {
      const respuesta = await fetch(boton.href, { credentials: 'same-origin' });
      if (!respuesta.ok) {
        const cuerpo = await respuesta.json().catch(() => ({}));
        aviso.textContent = cuerpo.error || `Error ${respuesta.status}`;
        return;
      }
      const nombre = /filename="([^"]+)"/.exec(respuesta.headers.get('Content-Disposition') || '');
      const enlace = el('a', { href: URL.createObjectURL(await respuesta.blob()), download: nombre ? nombre[1] : '' });
      document.body.append(enlace);
      enlace.click();
      enlace.remove();
      setTimeout(() => URL.revokeObjectURL(enlace.href), 60000);
      aviso.textContent = '';
    } catch {
      aviso.textContent = 'No hay comunicación con el servidor.';
    }
  });
  return [boton, aviso];
}
