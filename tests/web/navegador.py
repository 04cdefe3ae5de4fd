"""The pages of `promorlaqel servir` in a real browser (headless Chromium):
A7 and CASA01, figures checked against `calcular --json`, downloads opened,
the escaping case. Screenshots go to BUILD/capturas-web/."""
import json
import os
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
from servidor import (BUILD, PMQ, XSS, Servidor, base_con_escape, cli, como_el_comando,  # noqa: E402
                      comprueba, ejemplo, termina_prueba, totales_periodo)

from selenium import webdriver  # noqa: E402
from selenium.common.exceptions import NoAlertPresentException  # noqa: E402
from selenium.webdriver.chrome.service import Service  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402

CAPTURAS = os.path.join(BUILD, 'capturas-web')
os.makedirs(CAPTURAS, exist_ok=True)


def dinero(v):
    return f'$ {v:,.2f}'


def numero(texto):
    return float(texto.replace('$', '').replace(',', '').replace('%', '').strip() or 'nan')


carpeta = tempfile.mkdtemp(prefix='pmq-web-nav-')
descargas = os.path.join(carpeta, 'descargas')
os.makedirs(descargas)
muestra = ejemplo(carpeta)

opciones = webdriver.ChromeOptions()
for a in ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
          '--disable-component-update', '--disable-sync', '--no-first-run', '--window-size=1400,1000',
          '--user-data-dir=' + os.path.join(carpeta, 'perfil')]:
    opciones.add_argument(a)
opciones.binary_location = '/usr/bin/chromium'
d = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=opciones)
d.execute_cdp_cmd('Browser.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': descargas})


def abre(url, captura=None):
    d.get(url)
    for _ in range(100):
        if d.execute_script('return document.body.dataset.listo'):
            break
        time.sleep(0.1)
    comprueba(d.execute_script('return document.body.dataset.listo') == 'si', f'{url} no cargó')
    errores = [e for e in d.get_log('browser') if e['level'] == 'SEVERE']
    comprueba(not errores, f'{url}: errores en la consola {errores}')
    if captura:
        # The whole page, up to a height that keeps the file small.
        for _ in range(2):  # tables sized by the window grow with it: measure again
            alto = d.execute_script('return Math.max(document.body.scrollHeight, document.documentElement.scrollHeight)')
            d.execute_cdp_cmd('Emulation.setDeviceMetricsOverride',
                              {'width': 1400, 'height': min(max(alto, 1000), 1800), 'deviceScaleFactor': 1, 'mobile': False})
        d.save_screenshot(os.path.join(CAPTURAS, captura + '.png'))
        d.execute_cdp_cmd('Emulation.clearDeviceMetricsOverride', {})


def espera(selector, cuantos=1):
    for _ in range(100):
        nodos = d.find_elements(By.CSS_SELECTOR, selector)
        if len(nodos) >= cuantos:
            return nodos
        time.sleep(0.1)
    return d.find_elements(By.CSS_SELECTOR, selector)


def descarga(selector, nombre, *orden):
    """Clicks a download and waits for its file; given a command, the file's
    sheets must be the ones the command writes."""
    ruta = os.path.join(descargas, nombre)
    if os.path.exists(ruta):
        os.remove(ruta)
    d.find_element(By.CSS_SELECTOR, selector).click()
    for _ in range(200):
        if os.path.exists(ruta) and not os.path.exists(ruta + '.crdownload'):
            if orden:
                como_el_comando(ruta, *orden, '--bd', muestra)
            return ruta
        time.sleep(0.1)
    comprueba(False, f'{nombre} no se descargó')
    return None


s = Servidor(PMQ, muestra)
try:
    abre(s.url, 'obras')
    filas = d.find_elements(By.CSS_SELECTOR, '#obras tbody tr')
    obras = json.loads(s.pide('api/obras')[2])
    comprueba([f.find_elements(By.TAG_NAME, 'td')[4].text for f in filas] == [dinero(o['ImporteTotal']) for o in obras],
              'importes de la lista de obras')
    buscador = d.find_element(By.CSS_SELECTOR, 'input[type=search]')
    buscador.send_keys('casa')
    comprueba(len(d.find_elements(By.CSS_SELECTOR, '#obras tbody tr[data-obra]')) == 1, 'la búsqueda no filtra')

    for obra in ['A7', 'CASA01']:
        doc = json.loads(cli('calcular', '--json', '--bd', muestra, '--obra', obra))
        lineas = [l for p in doc['Obra']['Partidas'] for l in p['Presups']]

        # The budget: header total, the first line's amount, its detail.
        abre(f'{s.base}obras/{obra}', f'{obra}-presupuesto')
        comprueba(d.find_element(By.ID, 'importe-total').text == dinero(doc['Obra']['ImporteTotal']), f'{obra}: importe total')
        primera = espera('#presupuesto .fila[data-fila="1"]')[0]
        celdas = primera.find_elements(By.CSS_SELECTOR, '.celda')
        comprueba(abs(numero(celdas[5].text) - lineas[0]['Des']['Importe']) < 0.005, f'{obra}: importe de la línea 1')
        primera.click()
        repartos = espera('#reparto tbody tr', len(lineas[0]['PeriodosPorItem']))
        comprueba([numero(r.find_elements(By.TAG_NAME, 'td')[4].text) for r in repartos] ==
                  [round(x['Importe'], 2) for x in lineas[0]['PeriodosPorItem']], f'{obra}: reparto de la línea 1')
        d.save_screenshot(os.path.join(CAPTURAS, f'{obra}-linea.png'))

        # Options travel in the address and show in the form, changed ones marked.
        abre(f'{s.base}obras/{obra}?DesglosarMaquinaria=si&TipoPeriodo=0')
        casilla = d.find_element(By.CSS_SELECTOR, '#opciones input[name=DesglosarMaquinaria]')
        comprueba(casilla.is_selected() and 'cambiada' in casilla.find_element(By.XPATH, '..').get_attribute('class'),
                  f'{obra}: la opción de la dirección no se ve en el formulario')
        quincenal = json.loads(cli('calcular', '--json', '--bd', muestra, '--obra', obra, '--opcion', 'TipoPeriodo=0'))
        comprueba(d.find_element(By.XPATH, "//dt[text()='Periodos']/following-sibling::dd").text == str(len(quincenal['Periodos'])),
                  f'{obra}: periodos quincenales')

        # The program: period totals at the end of the Gantt, the S-curve, the download.
        abre(f'{s.base}obras/{obra}/programa', f'{obra}-programa')
        totales = totales_periodo(doc)
        d.execute_script("document.querySelector('#gantt .desplazable').scrollTop = 1e9")
        time.sleep(0.3)
        fila_total = [f for f in espera('#gantt .fila.total') if 'Total del periodo' in f.text][0]
        mostrados = [numero(c.text) for c in fila_total.find_elements(By.CSS_SELECTOR, '.celda')[3:]]
        comprueba(all(abs(a - b) < 0.005 for a, b in zip(mostrados, totales)) and len(mostrados) == len(totales),
                  f'{obra}: totales del Gantt {mostrados} != {totales}')
        comprueba(len(d.find_elements(By.CSS_SELECTOR, '#curva-s circle')) == len(totales), f'{obra}: puntos de la curva S')
        descarga('#descarga-programa', f'programa-{obra}.xlsx', 'programa', '--obra', obra, '--tipo', '1')

        # The summary: the grid's first row, both downloads.
        abre(f'{s.base}obras/{obra}/resumen', f'{obra}-resumen')
        rejilla = json.loads(cli('resumen', '--formato', 'json', '--bd', muestra, '--obra', obra))
        fila = espera('#rejilla .fila[data-fila="1"]')[0]
        comprueba([c.text for c in fila.find_elements(By.CSS_SELECTOR, '.celda')][:6] == rejilla['Celdas'][2][1:7],
                  f'{obra}: segunda fila de la rejilla')
        comprueba(descarga('#descarga-csv', f'resumen-{obra}.csv') is not None, f'{obra}: sin CSV')
        descarga('#descarga-xlsx', f'resumen-{obra}.xlsx', 'resumen', '--obra', obra)
finally:
    s.termina()

# Escaping: descriptions with markup show as text, never as elements.
s = Servidor(PMQ, base_con_escape(carpeta))
try:
    for pagina in ['', 'obras/A7', 'obras/A7/programa']:
        abre(s.base + pagina, 'escape-' + (pagina.replace('/', '-') or 'obras'))
        if pagina == 'obras/A7':
            comprueba(XSS in d.find_element(By.ID, 'titulo-obra').text, 'la descripción no se ve como texto')
            espera('#presupuesto .fila[data-fila="1"]')[0].click()
            espera('#reparto tbody tr')
            comprueba(XSS in d.find_element(By.CSS_SELECTOR, '#detalle h2').text, 'la línea no se ve como texto')
        else:
            comprueba(XSS in d.find_element(By.TAG_NAME, 'main').text, f'/{pagina}: el texto no aparece')
        comprueba(not d.find_elements(By.CSS_SELECTOR, 'img[src="x"]'), f'/{pagina}: se creó la imagen')
        try:
            d.switch_to.alert
            comprueba(False, f'/{pagina}: se ejecutó el script')
        except NoAlertPresentException:
            pass
finally:
    s.termina()
    d.quit()

termina_prueba(f'; capturas en {CAPTURAS}')
