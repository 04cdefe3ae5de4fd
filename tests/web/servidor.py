"""A `promorlaqel servir` for the tests: started on a free loopback port in an
empty working folder with its own TMPDIR, stopped with SIGTERM."""
import io
import os
import signal
import subprocess
import sys
import tempfile
import urllib.error
import urllib.request
import zipfile

XSS = '<img src=x onerror=alert(1)>'
PMQ, BUILD = (os.path.abspath(a) for a in sys.argv[1:3])
fallos = []
hechas = [0]


def comprueba(condicion, texto):
    hechas[0] += 1
    if not condicion:
        fallos.append(texto)
        print('FALLA:', texto)


def termina_prueba(resumen):
    print(f'{hechas[0]} comprobaciones, {len(fallos)} fallos{resumen}')
    sys.exit(1 if fallos else 0)


def cli(*args):
    return subprocess.run([PMQ, *args], capture_output=True).stdout


def totales_periodo(doc):
    """The amount of every period, summed from the lines' shares of a `calcular --json`."""
    inicio = {p['Inicio']: i for i, p in enumerate(doc['Periodos'])}
    totales = [0.0] * len(inicio)
    for p in doc['Obra']['Partidas']:
        for linea in p['Presups']:
            for r in linea['PeriodosPorItem']:
                totales[inicio[r['P1']]] += r['Importe']
    return totales


def como_el_comando(libro, *orden):
    """`libro` (a path, or a file's bytes) holds the sheets `promorlaqel orden… --salida` writes."""
    with tempfile.TemporaryDirectory() as carpeta:
        propio = os.path.join(carpeta, 'libro.xlsx')
        cli(*orden, '--salida', propio)
        with zipfile.ZipFile(io.BytesIO(libro) if isinstance(libro, bytes) else libro) as a, zipfile.ZipFile(propio) as b:
            hojas = [n for n in b.namelist() if n.startswith('xl/worksheets/')]
            comprueba(hojas and all(a.read(n) == b.read(n) for n in hojas), f'el libro difiere de {" ".join(orden)}')


def ejemplo(carpeta, nombre='ejemplo.db'):
    """The sample database written into `carpeta`; its path."""
    ruta = os.path.join(carpeta, nombre)
    subprocess.run([PMQ, 'ejemplo', '--salida', ruta], check=True, capture_output=True)
    return ruta


def base_con_escape(carpeta):
    """The sample database with A7's work and concept descriptions replaced by markup."""
    import sqlite3
    ruta = ejemplo(carpeta, 'escape.db')
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
