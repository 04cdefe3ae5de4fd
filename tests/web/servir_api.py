"""The API of `promorlaqel servir` against the command line on the sample database:
its documents, its errors, its token, its limits and its robustness."""
import concurrent.futures
import http.client
import io
import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import zipfile

sys.path.insert(0, os.path.dirname(__file__))
from servidor import (BUILD, PMQ, Servidor, cli, como_el_comando, comprueba, ejemplo,  # noqa: E402
                      termina_prueba, totales_periodo)

carpeta = tempfile.mkdtemp(prefix='pmq-web-api-')
muestra = ejemplo(carpeta)

s = Servidor(PMQ, muestra)
try:
    # The documents are the command line's bytes.
    for obra in ['A7', 'CASA01']:
        casos = [
            (f'api/obras/{obra}', ['calcular', '--json']),
            (f'api/obras/{obra}?DesglosarMaquinaria=si&TipoPeriodo=0',
             ['calcular', '--json', '--opcion', 'DesglosarMaquinaria=si', '--opcion', 'TipoPeriodo=0']),
            (f'api/obras/{obra}/resumen', ['resumen', '--formato', 'json']),
            (f'api/obras/{obra}/resumen?PUnitPorEstimacion=si', ['resumen', '--formato', 'json', '--punit-por-estimacion']),
            (f'api/obras/{obra}/resumen.csv', ['resumen', '--formato', 'csv']),
        ]
        for ruta, args in casos:
            estado, _, cuerpo = s.pide(ruta)
            esperado = cli(*args, '--bd', muestra, '--obra', obra)
            comprueba(estado == 200 and cuerpo == esperado, f'{ruta} difiere de {" ".join(args)}')
        doc = json.loads(cli('calcular', '--json', '--bd', muestra, '--obra', obra))
        lineas = [l for p in doc['Obra']['Partidas'] for l in p['Presups']]
        estado, _, cuerpo = s.pide(f'api/obras/{obra}/lineas/{len(lineas)}')
        comprueba(estado == 200 and json.loads(cuerpo) == lineas[-1], f'{obra}: la última línea difiere')
        estado, _, cuerpo = s.pide(f'api/obras/{obra}/presupuesto')
        pres = json.loads(cuerpo)
        comprueba(pres['Obra']['ImporteTotal'] == doc['Obra']['ImporteTotal'], f'{obra}: importe del presupuesto')
        comprueba(sum(len(p['Presups']) for p in pres['Obra']['Partidas']) == len(lineas), f'{obra}: líneas del presupuesto')
        totales = totales_periodo(doc)
        comprueba(all(abs(a - b) < 0.00005 for a, b in zip(totales, pres['TotalesPeriodo'])),
                  f'{obra}: totales por periodo {pres["TotalesPeriodo"]} != {totales}')

    # The works.
    estado, _, cuerpo = s.pide('api/obras')
    obras = json.loads(cuerpo)
    comprueba([o['Clave'] for o in obras] == ['A7', 'CASA01'] and obras[0]['ImporteTotal'] == 42550.2, f'lista de obras: {obras}')

    # The downloads: attachments with a safe name; the summary workbook is the command's.
    for ruta, nombre in [('programa.xlsx?tipo=1&cantidades=no', 'programa-CASA01.xlsx'),
                         ('resumen.xlsx?PUnitPorEstimacion=si', 'resumen-CASA01.xlsx')]:
        estado, cab, cuerpo = s.pide('api/obras/CASA01/' + ruta)
        comprueba(estado == 200 and cab['Content-Disposition'] == f'attachment; filename="{nombre}"', f'{ruta}: {estado} {cab}')
        comprueba(zipfile.is_zipfile(io.BytesIO(cuerpo)), f'{ruta}: no es un libro')
    # Every program kind, in amounts and in quantities, is the command's workbook.
    for tipo in range(5):
        for cantidades in ['no', 'si']:
            estado, _, libro = s.pide(f'api/obras/CASA01/programa.xlsx?tipo={tipo}&cantidades={cantidades}')
            comprueba(estado == 200, f'programa tipo {tipo} cantidades={cantidades}: {estado}')
            como_el_comando(libro, 'programa', '--bd', muestra, '--obra', 'CASA01', '--tipo', str(tipo),
                            *(['--cantidades'] if cantidades == 'si' else []))
    como_el_comando(cuerpo, 'resumen', '--bd', muestra, '--obra', 'CASA01', '--punit-por-estimacion')

    # Errors: JSON, the right status, the command line's message, no path of the server.
    mensaje_cli = subprocess.run([PMQ, 'calcular', '--bd', muestra, '--obra', 'A7', '--opcion', 'IVA=talvez'],
                                 capture_output=True, text=True).stderr.strip().removeprefix('promorlaqel: ')
    errores = [
        ('api/obras/NOEXISTE', 404, None), ('api/obras/A7/lineas/99', 404, None), ('api/nada', 404, None),
        ('api/obras/A7?IVA=talvez', 400, mensaje_cli), ('api/obras/A7/presupuesto?Foo=1', 400, None),
        ('api/obras/A7/programa.xlsx?tipo=9', 400, None), ('api/obras/A7/resumen?PUnitPorEstimacion=quiza', 400, None),
        ('estatico/no-existe.js', 404, None), ('estatico/%2e%2e/%2e%2e/etc/passwd', 404, None),
        ('estatico/..%2fapp.js', 404, None), ('obras/A7/%2e%2e/%2e%2e/x', 404, None),
    ]
    for ruta, esperado, texto in errores:
        estado, _, cuerpo = s.pide(ruta)
        error = json.loads(cuerpo).get('error', '') if cuerpo.startswith(b'{') else None
        comprueba(estado == esperado and error, f'{ruta}: {estado} {cuerpo[:120]}')
        comprueba(texto is None or error == texto, f'{ruta}: {error!r} != {texto!r}')
        comprueba(carpeta not in (error or '') and BUILD not in (error or ''), f'{ruta}: el error muestra una ruta')
    # A raw "/../" never reaches a file.
    con = http.client.HTTPConnection(s.base.split('//')[1].rstrip('/'), timeout=10)
    con.request('GET', '/estatico/../../etc/passwd')
    r = con.getresponse()
    comprueba(r.status == 404 and b'root:' not in r.read(), f'/../: {r.status}')

    # 50 parallel requests on a bounded pool are all answered.
    rutas = ['api/obras', 'api/obras/A7/presupuesto', 'api/obras/CASA01/resumen', 'api/obras/CASA01/lineas/3',
             'estatico/app.js', 'api/obras/CASA01?DesglosarMaquinaria=si'] * 9
    with concurrent.futures.ThreadPoolExecutor(max_workers=50) as grupo:
        estados = list(grupo.map(lambda r: s.pide(r)[0], rutas[:50]))
    comprueba(estados == [200] * 50, f'50 en paralelo: {estados}')

    # The database goes away, then comes back.
    shutil.move(muestra, muestra + '.fuera')
    estado, _, cuerpo = s.pide('api/obras/A7/presupuesto')
    comprueba(estado == 500 and 'disponible' in json.loads(cuerpo)['error'] and carpeta.encode() not in cuerpo, f'sin base: {estado} {cuerpo[:100]}')
    shutil.move(muestra + '.fuera', muestra)
    comprueba(s.pide('api/obras/A7/presupuesto')[0] == 200, 'la base volvió y el servicio no')

    # SIGTERM while a request is half sent: that request is still answered.
    host, puerto = s.base.split('//')[1].rstrip('/').split(':')
    cliente = socket.create_connection((host, int(puerto)), timeout=20)
    cliente.sendall(b'GET /api/obras/A7/lineas/1 HTTP/1.1\r\nHost: x\r\n')
    time.sleep(0.3)
    s.proceso.send_signal(15)
    time.sleep(0.3)
    cliente.sendall(b'Connection: close\r\n\r\n')
    respuesta = b''
    while (trozo := cliente.recv(65536)):
        respuesta += trozo
    comprueba(respuesta.startswith(b'HTTP/1.1 200'), f'petición en curso al terminar: {respuesta[:60]}')
finally:
    codigo = s.termina()
comprueba(codigo == 0, f'SIGTERM: salida {codigo}')
comprueba(os.listdir(s.trabajo) == [] and os.listdir(s.tmp) == [], 'el servidor dejó archivos')

# Any other address needs the token: generated, printed in the address, then
# kept in a cookie; Bearer works too; without it, 401.
s = Servidor(PMQ, muestra, '--escuchar', '0.0.0.0')
try:
    comprueba('?token=' in s.url, f'sin token en {s.url}')
    token = s.url.split('token=')[1]
    comprueba(s.pide('api/obras')[0] == 401, 'sin token no es 401')
    comprueba(s.pide('api/obras', {'Authorization': 'Bearer x' + token[1:]})[0] == 401, 'token falso aceptado')
    comprueba(s.pide('api/obras', {'Authorization': 'Bearer ' + token})[0] == 200, 'Bearer rechazado')
    estado, cab, _ = s.pide('?token=' + token)
    comprueba(estado == 200 and 'HttpOnly' in (cab['Set-Cookie'] or ''), 'la primera visita no deja la cookie')
    comprueba(s.pide('api/obras', {'Cookie': 'pmq_token=' + token})[0] == 200, 'cookie rechazada')
finally:
    s.termina()

shutil.rmtree(carpeta, ignore_errors=True)
termina_prueba('')
