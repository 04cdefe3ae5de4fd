#include "api_obras.h"

#include <promorlaqel/common/resultado_escritura.h>
#include <promorlaqel/db/conexion.h>
#include <promorlaqel/db/recordset.h>
#include <promorlaqel/model/obra.h>
#include <promorlaqel/model/programa.h>
#include <promorlaqel/reports/program/programas_ctrl.h>
#include <promorlaqel/reports/summary/resumenes_ctrl.h>
#include "calculo.h"
#include "directorio_temporal.h"
#include "documento_presupuesto.h"
#include "error_uso.h"
#include "escritor_json.h"
#include "opciones_comunes.h"
#include "salida_rejilla.h"
#include "volcado_json.h"

#include <fmt/format.h>
#include <httplib.h>
#include <strings.h>

#include <charconv>
#include <cstdio>
#include <sstream>
#include <streambuf>

namespace pmq::web {
namespace {

constexpr std::string_view kJson = "application/json; charset=utf-8";
constexpr std::string_view kXlsx =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";
constexpr std::string_view kBaseNoDisponible =
    "La base de datos del proyecto no está disponible; inténtelo de nuevo cuando vuelva a estarlo";

// Writes into the response in pieces of 64 KiB, so a dump of gigabytes is
// never held in memory. When the client goes away the stream turns bad and
// the rest of the dump writes nothing.
class SalidaEnTrozos : public std::streambuf {
 public:
  explicit SalidaEnTrozos(httplib::DataSink& sink) : sink_(sink) { setp(buf_, buf_ + sizeof buf_); }
  ~SalidaEnTrozos() override = default;

 protected:
  int_type overflow(int_type c) override {
    if (!Vacia()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return Vacia() ? 0 : -1; }

 private:
  bool Vacia() {
    const size_t n = static_cast<size_t>(pptr() - pbase());
    setp(buf_, buf_ + sizeof buf_);
    return n == 0 || sink_.write(buf_, n);
  }
  httplib::DataSink& sink_;
  char buf_[64 * 1024];
};

// A logical parameter of the query, when given; false after answering 400.
bool Logico(const httplib::Request& req, const char* nombre, bool& valor, httplib::Response& res) {
  if (!req.has_param(nombre)) return true;
  const std::string texto = req.get_param_value(nombre);
  for (const char* si : {"si", "sí", "true", "1"}) {
    if (strcasecmp(texto.c_str(), si) == 0) return (valor = true);
  }
  for (const char* no : {"no", "false", "0"}) {
    if (strcasecmp(texto.c_str(), no) == 0) return !(valor = false);
  }
  ApiObras::Error(res, 400,
                  std::string(nombre) + ": \"" + texto + "\" no es un valor lógico (si/no)");
  return false;
}

// A file name from a work's code: letters, digits, '-' and '_' only.
std::string NombreSeguro(std::string_view base, const std::string& obra, std::string_view ext) {
  std::string nombre(base);
  nombre += '-';
  for (unsigned char c : obra) nombre += std::isalnum(c) || c == '-' || c == '_' ? char(c) : '_';
  return nombre + std::string(ext);
}

void Adjunto(httplib::Response& res, std::string contenido, std::string_view tipo,
             const std::string& nombre) {
  res.set_header("Content-Disposition", "attachment; filename=\"" + nombre + "\"");
  res.set_header("Cache-Control", "no-store");
  res.set_content(std::move(contenido), std::string(tipo).c_str());
}

// Why a workbook was not written, for the answer: the private folder's path
// is taken out of it.
std::string Motivo(const ResultadoEscritura& r, const std::string& carpeta) {
  std::string texto = r.motivo;
  for (size_t p; (p = texto.find(carpeta)) != std::string::npos;)
    texto.erase(p, carpeta.size() + 1);
  return texto.empty() ? std::string() : ": " + texto;
}

}  // namespace

void ApiObras::Error(httplib::Response& res, int estado, std::string_view texto) {
  res.status = estado;
  res.set_content("{\"error\": " + cli::EscritorJson::Cadena(texto) + "}\n", kJson.data());
}

void ApiObras::Registra(httplib::Server& s) {
  const std::string obra = "/api/obras/([^/]+)";
  s.Get("/api/obras", [this](const Request& q, Response& r) { Obras(q, r); });
  s.Get(obra, [this](const Request& q, Response& r) { Documento(q, r); });
  s.Get(obra + "/presupuesto", [this](const Request& q, Response& r) { Presupuesto(q, r); });
  s.Get(obra + "/lineas/([0-9]{1,9})", [this](const Request& q, Response& r) { Linea(q, r); });
  s.Get(obra + "/resumen", [this](const Request& q, Response& r) { Resumen(q, r, false); });
  s.Get(obra + "/resumen\\.csv", [this](const Request& q, Response& r) { Resumen(q, r, true); });
  s.Get(obra + "/resumen\\.xlsx", [this](const Request& q, Response& r) { ResumenXlsx(q, r); });
  s.Get(obra + "/programa\\.xlsx", [this](const Request& q, Response& r) { ProgramaXlsx(q, r); });
  s.Get("/api/.*", [](const Request&, Response& r) { Error(r, 404, "No existe esa ruta"); });
}

std::vector<std::string> ApiObras::Claves() const {
  Conexion conexion;
  conexion.Open(bd_);
  auto rs = conexion.Ejecuta("SELECT OBRA FROM OBRAS ORDER BY OBRA");
  std::vector<std::string> claves;
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) claves.push_back(rs->Fields(0).Texto());
  return claves;
}

std::optional<std::string> ApiObras::Obra(const std::string& clave, Response& res) {
  std::vector<std::string> claves;
  try {
    if (!cache_.BaseDisponible()) throw std::runtime_error("archivo ausente");
    claves = Claves();
  } catch (const std::exception& e) {
    fmt::print(stderr, "servir: la base no está disponible: {}\n", e.what());
    Error(res, 500, kBaseNoDisponible);
    return std::nullopt;
  }
  for (const std::string& c : claves) {
    if (c.size() == clave.size() && strcasecmp(c.c_str(), clave.c_str()) == 0) return c;
  }
  Error(res, 404, "No existe la obra " + clave);
  return std::nullopt;
}

std::optional<std::vector<std::string>> ApiObras::Opciones(
    const Request& req, const std::string& obra, std::initializer_list<std::string_view> propios,
    std::string& clave_cache, Response& res) const {
  std::vector<std::string> opciones;
  for (const auto& [nombre, valor] : req.params) {
    bool propio = nombre == "token";
    for (std::string_view p : propios) propio = propio || nombre == p;
    if (!propio) opciones.push_back(nombre + "=" + valor);
  }
  try {
    Programa prueba;
    cli::OpcionesComunes(bd_, obra, opciones).Aplica(prueba);
    clave_cache = obra;
    for (const auto& [nombre, valor] : cli::OpcionesComunes::Valores(prueba)) {
      clave_cache += '\n' + nombre + '=' + valor;
    }
  } catch (const cli::ErrorUso& e) {
    Error(res, 400, e.what());
    return std::nullopt;
  }
  return opciones;
}

std::shared_ptr<const CacheResultados::Resultado> ApiObras::Modelo(
    const std::string& obra, const std::vector<std::string>& opciones,
    const std::string& clave_cache) {
  return cache_.Obtiene("modelo\n" + clave_cache, [&] {
    cli::Calculo calculo(cli::OpcionesComunes(bd_, obra, opciones));
    calculo.Calcula();
    auto r = std::make_unique<CacheResultados::Resultado>();
    r->resultado = calculo.Resultado();
    r->errores = calculo.Errores();
    r->mensajes = calculo.Consola().Mensajes();
    r->raiz = calculo.SueltaRaiz();
    std::ostringstream presupuesto;
    r->lineas =
        DocumentoPresupuesto::Escribe(*r->raiz, r->resultado, r->errores, r->mensajes, presupuesto);
    r->texto = std::move(presupuesto).str();
    return r;
  });
}

void ApiObras::Obras(const Request&, Response& res) {
  std::vector<std::string> claves;
  try {
    if (!cache_.BaseDisponible()) throw std::runtime_error("archivo ausente");
    claves = Claves();
  } catch (const std::exception& e) {
    fmt::print(stderr, "servir: la base no está disponible: {}\n", e.what());
    Error(res, 500, kBaseNoDisponible);
    return;
  }
  // The list is kept as one result: its works' models are not, so a
  // database of many works does not push out the ones people are looking at.
  std::string clave_lista = "obras";
  for (const std::string& clave : claves) clave_lista += '\n' + clave;
  auto lista = cache_.Obtiene(clave_lista, [&] {
    std::ostringstream texto;
    cli::EscritorJson j(texto, 0);
    j.AbreLista();
    for (const std::string& clave : claves) {
      cli::Calculo calculo(cli::OpcionesComunes(bd_, clave, {}));
      calculo.Calcula();
      const pmq::Obra& o = *calculo.Raiz().Obra;
      j.AbreObjeto();
      j.Campo("Clave", clave);
      j.Campo("Nombre", o.Des.Descripcion);
      j.Campo("Inicio", o.Des.Inicio);
      j.Campo("Final", o.Des.Final);
      j.Campo("ImporteTotal", o.ImporteTotal);
      j.CierraObjeto();
    }
    j.CierraLista();
    j.Termina();
    auto r = std::make_unique<CacheResultados::Resultado>();
    r->resultado = 1;
    r->texto = std::move(texto).str();
    return r;
  });
  res.set_content(lista->texto, kJson.data());
}

void ApiObras::Documento(const Request& req, Response& res) {
  auto obra = Obra(req.matches[1], res);
  std::string clave;
  if (!obra) return;
  auto opciones = Opciones(req, *obra, {}, clave, res);
  if (!opciones) return;
  std::shared_ptr<const CacheResultados::Resultado> r = Modelo(*obra, *opciones, clave);
  res.set_chunked_content_provider(kJson.data(), [r](size_t, httplib::DataSink& sink) {
    SalidaEnTrozos trozos(sink);
    std::ostream salida(&trozos);
    cli::VolcadoJson(*r->raiz, r->resultado, r->errores, r->mensajes).Escribe(salida, -1);
    salida.flush();
    if (salida) sink.done();
    return static_cast<bool>(salida);
  });
}

void ApiObras::Presupuesto(const Request& req, Response& res) {
  auto obra = Obra(req.matches[1], res);
  std::string clave;
  if (!obra) return;
  auto opciones = Opciones(req, *obra, {}, clave, res);
  if (!opciones) return;
  res.set_content(Modelo(*obra, *opciones, clave)->texto, kJson.data());
}

void ApiObras::Linea(const Request& req, Response& res) {
  auto obra = Obra(req.matches[1], res);
  std::string clave;
  if (!obra) return;
  auto opciones = Opciones(req, *obra, {}, clave, res);
  if (!opciones) return;
  const std::string numero = req.matches[2];
  int64_t n = 0;
  std::from_chars(numero.data(), numero.data() + numero.size(), n);
  auto r = Modelo(*obra, *opciones, clave);
  std::ostringstream texto;
  if (!cli::VolcadoJson(*r->raiz, r->resultado, r->errores, r->mensajes).EscribeLinea(texto, n)) {
    Error(res, 404, fmt::format("La obra {} no tiene la línea {}", *obra, numero));
    return;
  }
  res.set_content(std::move(texto).str(), kJson.data());
}

void ApiObras::Resumen(const Request& req, Response& res, bool csv) {
  auto obra = Obra(req.matches[1], res);
  std::string clave;
  if (!obra) return;
  auto opciones = Opciones(req, *obra, {"PUnitPorEstimacion"}, clave, res);
  if (!opciones) return;
  bool punit = false;
  if (!Logico(req, "PUnitPorEstimacion", punit, res)) return;
  auto r = cache_.Obtiene(std::string("resumen\n") + (punit ? "1\n" : "0\n") + clave, [&] {
    cli::Calculo calculo(cli::OpcionesComunes(bd_, *obra, *opciones));
    calculo.Calcula();
    auto r = std::make_unique<CacheResultados::Resultado>();
    r->resultado = calculo.Resultado();
    r->errores = calculo.Errores();
    if (r->resultado == 0) return r;
    ResumenesCtrl& ctrl = *calculo.Raiz().ResumenesEstCtrl;
    ctrl.Programa = &calculo.Raiz();
    ctrl.PUnitPorEstimacion = punit;
    std::string errores_resumen;
    ctrl.ColocaResumen(errores_resumen);
    std::ostringstream json, texto_csv;
    cli::SalidaRejilla::Json(*ctrl.Grid(), json);
    cli::SalidaRejilla::Csv(*ctrl.Grid(), texto_csv);
    r->texto = std::move(json).str();
    r->csv = std::move(texto_csv).str();
    return r;
  });
  if (r->resultado == 0) {
    Error(res, 500, "La obra " + *obra + " no se pudo calcular");
    return;
  }
  if (csv) {
    Adjunto(res, r->csv, "text/csv; charset=utf-8", NombreSeguro("resumen", *obra, ".csv"));
  } else {
    res.set_content(r->texto, kJson.data());
  }
}

void ApiObras::ProgramaXlsx(const Request& req, Response& res) {
  auto obra = Obra(req.matches[1], res);
  std::string clave;
  if (!obra) return;
  auto opciones = Opciones(req, *obra, {"tipo", "cantidades"}, clave, res);
  if (!opciones) return;
  int tipo = 1;
  if (req.has_param("tipo")) {
    const std::string t = req.get_param_value("tipo");
    if (t.size() != 1 || t[0] < '0' || t[0] > '4') {
      Error(res, 400, "tipo: \"" + t + "\" no es un tipo de programa (0 a 4)");
      return;
    }
    tipo = t[0] - '0';
  }
  bool cantidades = false;
  if (!Logico(req, "cantidades", cantidades, res)) return;
  DirectorioTemporal carpeta;
  const std::string nombre = NombreSeguro("programa", *obra, ".xlsx");
  ResultadoEscritura escrito = ResultadoEscritura::NoEscrito("la obra no se pudo calcular");
  {
    auto libreria = cache_.Biblioteca();
    cli::Calculo calculo(cli::OpcionesComunes(bd_, *obra, *opciones));
    if (calculo.Calcula() != 0) {
      ProgramasCtrl& ctrl = *calculo.Raiz().ProgramasObraCtrl;
      ctrl.Programa = &calculo.Raiz();
      escrito =
          ctrl.Escribe(carpeta.Ruta() + "/" + nombre, static_cast<enumTipoProgramaMensual>(tipo),
                       !cantidades, calculo.Errores());
    }
    if (!escrito) fmt::print(stderr, "servir: programa de {}: {}\n", *obra, calculo.Errores());
  }
  if (!escrito) {
    Error(res, 500,
          "No se pudo escribir el programa de la obra " + *obra + Motivo(escrito, carpeta.Ruta()));
    return;
  }
  Adjunto(res, carpeta.Lee(nombre), kXlsx, nombre);
}

void ApiObras::ResumenXlsx(const Request& req, Response& res) {
  auto obra = Obra(req.matches[1], res);
  std::string clave;
  if (!obra) return;
  auto opciones = Opciones(req, *obra, {"PUnitPorEstimacion"}, clave, res);
  if (!opciones) return;
  bool punit = false;
  if (!Logico(req, "PUnitPorEstimacion", punit, res)) return;
  DirectorioTemporal carpeta;
  const std::string nombre = NombreSeguro("resumen", *obra, ".xlsx");
  ResultadoEscritura escrito = ResultadoEscritura::NoEscrito("la obra no se pudo calcular");
  {
    auto libreria = cache_.Biblioteca();
    cli::Calculo calculo(cli::OpcionesComunes(bd_, *obra, *opciones));
    if (calculo.Calcula() != 0) {
      ResumenesCtrl& ctrl = *calculo.Raiz().ResumenesEstCtrl;
      ctrl.Programa = &calculo.Raiz();
      ctrl.PUnitPorEstimacion = punit;
      ctrl.ColocaResumen(calculo.Errores());
      escrito = ctrl.Escribe(carpeta.Ruta() + "/" + nombre, calculo.Errores());
    }
    if (!escrito) fmt::print(stderr, "servir: resumen de {}: {}\n", *obra, calculo.Errores());
  }
  if (!escrito) {
    Error(res, 500,
          "No se pudo escribir el resumen de la obra " + *obra + Motivo(escrito, carpeta.Ruta()));
    return;
  }
  Adjunto(res, carpeta.Lee(nombre), kXlsx, nombre);
}

}  // namespace pmq::web
