// The server's JSON API: the only thing the pages talk to.

export class ErrorApi extends Error {
  constructor(estado, texto) {
    super(texto);
    this.estado = estado;
  }
}

// The options of the page's address (calculation options and the page's own
// choices), without the access token.
export function parametrosPagina() {
  const p = new URLSearchParams(location.search);
  p.delete('token');
  return p;
}

export function ruta(obra, resto = '', parametros = new URLSearchParams()) {
  const consulta = parametros.toString();
  return `/api/obras/${encodeURIComponent(obra)}${resto}${consulta ? '?' + consulta : ''}`;
}

export async function pide(direccion) {
  let respuesta;
  try {
    respuesta = await fetch(direccion, { credentials: 'same-origin', headers: { Accept: 'application/json' } });
  } catch {
    throw new ErrorApi(0, 'No hay comunicación con el servidor. ¿Sigue en marcha promorlaqel servir?');
  }
  let cuerpo = null;
  try {
    cuerpo = await respuesta.json();
  } catch {
    throw new ErrorApi(respuesta.status, `Respuesta no válida del servidor (${respuesta.status})`);
  }
  if (!respuesta.ok) throw new ErrorApi(respuesta.status, cuerpo && cuerpo.error ? cuerpo.error : `Error ${respuesta.status}`);
  return cuerpo;
}
