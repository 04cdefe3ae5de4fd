"""A `promorlaqel servir` for the tests: started on a free loopback port in an
empty working folder with its own TMPDIR, stopped with SIGTERM."""
import os
import signal
import subprocess
import tempfile
import urllib.error
import urllib.request

XSS = '<img src=x onerror=alert(1)>'


def base_con_escape(promorlaqel, carpeta):
    """The sample database with A7's work and concept descriptions replaced by markup."""
    import sqlite3
    ruta = os.path.join(carpeta, 'escape.db')
    subprocess.run([promorlaqel, 'ejemplo', '--salida', ruta], check=True, capture_output=True)
    con = sqlite3.connect(ruta)
    con.execute("UPDATE OBRAS SET NOMBREOBRA = ?, DESC_OBRA = ? WHERE OBRA = 'A7'", (XSS, XSS))
    con.execute("UPDATE CONCEPTO SET NOM_CORTO = ?, NOM_LARGO = ? WHERE CONCEPTO = 'C-100'", (XSS, XSS))
    con.commit()
    con.close()
    return ruta


class Servidor:
    def __init__(self, promorlaqel, bd, *extra):
        self.trabajo = tempfile.mkdtemp(prefix='pmq-web-cwd-')
        self.tmp = tempfile.mkdtemp(prefix='pmq-web-tmp-')
        entorno = dict(os.environ, TMPDIR=self.tmp)
        self.proceso = subprocess.Popen([promorlaqel, 'servir', '--bd', bd, '--puerto', '0', *extra],
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                                        cwd=self.trabajo, env=entorno)
        linea = self.proceso.stdout.readline().strip()
        assert linea.startswith('Sirviendo en http://'), f'primera línea: {linea!r}'
        self.url = linea[len('Sirviendo en '):]
        self.base = self.url.split('?')[0]

    def pide(self, ruta, cabeceras=None):
        """(status, headers, body bytes) of a GET."""
        peticion = urllib.request.Request(self.base + ruta.lstrip('/'), headers=cabeceras or {})
        try:
            with urllib.request.urlopen(peticion, timeout=60) as r:
                return r.status, r.headers, r.read()
        except urllib.error.HTTPError as e:
            return e.code, e.headers, e.read()

    def termina(self):
        self.proceso.send_signal(signal.SIGTERM)
        codigo = self.proceso.wait(timeout=20)
        self.stderr = self.proceso.stderr.read()
        return codigo
