#include "db/motor_postgres.h"

#include "common/error_qel.h"

#include <fmt/format.h>
#include <libpq-fe.h>

#include <poll.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <vector>

namespace pmq {
namespace {

// Type identifiers of the server's built-in types (pg_type.oid).
constexpr Oid kBool = 16;
constexpr Oid kInt8 = 20;
constexpr Oid kInt2 = 21;
constexpr Oid kInt4 = 23;
constexpr Oid kOid = 26;
constexpr Oid kFloat4 = 700;
constexpr Oid kFloat8 = 701;
constexpr Oid kNumeric = 1700;

// The transaction every query runs in.
constexpr const char* kInicio = "BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY";

// Beyond this many distinct query texts the cache is emptied: queries that
// splice their values into the text would otherwise fill the server's memory.
constexpr size_t kMaxSentencias = 256;

// libpq's texts span lines ("...failed: Connection refused\n\tIs the server
// running...?"); an error is one line of sErrores.
std::string UnaLinea(std::string_view texto) {
  std::string r;
  bool blanco = false;
  for (char c : texto) {
    if (std::isspace(static_cast<unsigned char>(c))) {
      blanco = !r.empty();
      continue;
    }
    if (blanco) r.push_back(' ');
    blanco = false;
    r.push_back(c);
  }
  return r;
}

struct LiberaResultado {
  void operator()(PGresult* r) const { PQclear(r); }
};
using Resultado = std::unique_ptr<PGresult, LiberaResultado>;

std::string MensajeDe(const PGresult* r, PGconn* con) {
  const char* primario = r != nullptr ? PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
  return UnaLinea(primario != nullptr ? primario : PQerrorMessage(con));
}

// A cell in the text form the server sends, as the value the embedded engine
// would give for the same column.
void AgregaCelda(Recordset& rs, Oid tipo, const char* texto, int largo) {
  const char* fin = texto + largo;
  switch (tipo) {
    case kInt2:
    case kInt4:
    case kInt8:
    case kOid: {
      int64_t v = 0;
      auto [p, ec] = std::from_chars(texto, fin, v);
      if (ec == std::errc() && p == fin) return rs.AgregaEntero(v);
      break;
    }
    case kFloat4:
    case kFloat8:
    case kNumeric: {
      double v = 0;
      auto [p, ec] = std::from_chars(texto, fin, v);
      if (ec == std::errc() && p == fin) return rs.AgregaDouble(v);
      break;
    }
    case kBool:
      return rs.AgregaEntero(largo > 0 && texto[0] == 't' ? 1 : 0);
    default:
      break;
  }
  rs.AgregaTexto(std::string_view(texto, static_cast<size_t>(largo)));
}

// A bound value in the text form the server parses back exactly.
std::string TextoDeParametro(const Valor& v) {
  if (v.EsDouble()) {
    char buf[32];
    auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v.Double());
    (void)ec;
    return std::string(buf, p);
  }
  if (v.EsEntero()) return std::to_string(v.Entero());
  return *v.TextoCrudo();
}

// ---- Query translation ----------------------------------------------------

enum class TipoPieza { Palabra, Cita, Comentario, Blanco, Parametro, Signo };

struct Pieza {
  TipoPieza tipo;
  std::string_view texto;
};

bool LetraDePalabra(char c) {
  const auto u = static_cast<unsigned char>(c);
  return std::isalnum(u) || c == '_' || c == '$' || u >= 0x80;
}

// Cuts a query into words, quoted texts, comments, blanks, "?" and signs.
std::vector<Pieza> Piezas(std::string_view sql) {
  std::vector<Pieza> piezas;
  size_t i = 0;
  while (i < sql.size()) {
    const size_t inicio = i;
    const char c = sql[i];
    TipoPieza tipo = TipoPieza::Signo;
    if (c == '\'' || c == '"') {
      tipo = TipoPieza::Cita;
      ++i;
      while (i < sql.size()) {
        if (sql[i] == c) {
          if (i + 1 < sql.size() && sql[i + 1] == c) {
            i += 2;  // a doubled quote stays inside
            continue;
          }
          ++i;
          break;
        }
        ++i;
      }
    } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
      tipo = TipoPieza::Comentario;
      while (i < sql.size() && sql[i] != '\n') ++i;
    } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
      tipo = TipoPieza::Comentario;
      const size_t fin = sql.find("*/", i + 2);
      i = fin == std::string_view::npos ? sql.size() : fin + 2;
    } else if (std::isspace(static_cast<unsigned char>(c))) {
      tipo = TipoPieza::Blanco;
      while (i < sql.size() && std::isspace(static_cast<unsigned char>(sql[i]))) ++i;
    } else if (LetraDePalabra(c)) {
      tipo = TipoPieza::Palabra;
      while (i < sql.size() && LetraDePalabra(sql[i])) ++i;
    } else {
      tipo = c == '?' ? TipoPieza::Parametro : TipoPieza::Signo;
      ++i;
    }
    piezas.push_back({tipo, sql.substr(inicio, i - inicio)});
  }
  return piezas;
}

bool Es(const Pieza& p, std::string_view palabra) {
  if (p.tipo != TipoPieza::Palabra || p.texto.size() != palabra.size()) return false;
  for (size_t i = 0; i < palabra.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(p.texto[i])) != palabra[i]) return false;
  }
  return true;
}

bool Significativa(const Pieza& p) {
  return p.tipo != TipoPieza::Blanco && p.tipo != TipoPieza::Comentario;
}

// Words that end an ORDER BY list at its own depth.
bool CierraOrden(const Pieza& p) {
  for (std::string_view w : {"limit", "offset", "fetch", "for", "union", "intersect", "except",
                             "rows", "range", "groups", "window"}) {
    if (Es(p, w)) return true;
  }
  return false;
}

// One ORDER BY list being read: its parenthesis depth and its current term.
struct ListaOrden {
  int profundidad = 0;
  int ultima = -1;  // last significant piece of the term
  bool nulls = false;
  bool desc = false;
};

}  // namespace

std::string MotorPostgres::TraduceSql(std::string_view sql, int* parametros) {
  const std::vector<Pieza> piezas = Piezas(sql);
  std::map<int, std::string_view> agregados;  // text written after a piece
  std::vector<ListaOrden> listas;
  int profundidad = 0;
  auto cierra_termino = [&](ListaOrden& l) {
    if (l.ultima >= 0 && !l.nulls) agregados[l.ultima] = l.desc ? " NULLS LAST" : " NULLS FIRST";
    l = ListaOrden{l.profundidad};
  };
  for (int i = 0; i < static_cast<int>(piezas.size()); ++i) {
    const Pieza& p = piezas[static_cast<size_t>(i)];
    if (!Significativa(p)) continue;
    const bool en_lista = !listas.empty() && listas.back().profundidad == profundidad;
    if (p.texto == ")") {
      --profundidad;
      if (en_lista) {
        cierra_termino(listas.back());
        listas.pop_back();
      }
      if (!listas.empty() && listas.back().profundidad == profundidad) listas.back().ultima = i;
      continue;
    }
    if (en_lista) {
      ListaOrden& l = listas.back();
      if (p.texto == "," || p.texto == ";" || CierraOrden(p)) {
        cierra_termino(l);
        if (p.texto != ",") listas.pop_back();
        continue;
      }
      if (Es(p, "nulls")) l.nulls = true;
      if (Es(p, "desc")) l.desc = true;
      if (Es(p, "asc")) l.desc = false;
      l.ultima = i;
    }
    if (p.texto == "(") {
      ++profundidad;
      continue;
    }
    if (Es(p, "order")) {
      int j = i + 1;
      while (j < static_cast<int>(piezas.size()) && !Significativa(piezas[static_cast<size_t>(j)]))
        ++j;
      if (j < static_cast<int>(piezas.size()) && Es(piezas[static_cast<size_t>(j)], "by")) {
        listas.push_back(ListaOrden{profundidad});
        i = j;
      }
    }
  }
  while (!listas.empty()) {
    cierra_termino(listas.back());
    listas.pop_back();
  }

  std::string r;
  r.reserve(sql.size() + 16);
  int n = 0;
  for (int i = 0; i < static_cast<int>(piezas.size()); ++i) {
    const Pieza& p = piezas[static_cast<size_t>(i)];
    if (p.tipo == TipoPieza::Parametro) {
      r += fmt::format("${}", ++n);
    } else {
      r += p.texto;
    }
    if (auto it = agregados.find(i); it != agregados.end()) r += it->second;
  }
  if (parametros != nullptr) *parametros = n;
  return r;
}

// ---- Connection -----------------------------------------------------------

std::string MotorPostgres::DescribeUri(const std::string& uri) {
  char* error = nullptr;
  PQconninfoOption* opciones = PQconninfoParse(uri.c_str(), &error);
  if (opciones == nullptr) {
    std::string texto = error != nullptr ? UnaLinea(error) : "sin memoria";
    PQfreemem(error);
    throw ErrorQel(errores::kBaseDatos,
                   fmt::format("La dirección del servidor PostgreSQL no es válida: {}", texto));
  }
  std::string base, host, puerto, usuario;
  for (PQconninfoOption* o = opciones; o->keyword != nullptr; ++o) {
    if (o->val == nullptr) continue;
    const std::string_view clave = o->keyword;
    if (clave == "dbname") base = o->val;
    if (clave == "host" || (clave == "hostaddr" && host.empty())) host = o->val;
    if (clave == "port") puerto = o->val;
    if (clave == "user") usuario = o->val;
  }
  PQconninfoFree(opciones);
  return fmt::format("base '{}' en {}:{}, usuario '{}'", base.empty() ? "(predeterminada)" : base,
                     host.empty() ? "(socket local)" : host, puerto.empty() ? "5432" : puerto,
                     usuario.empty() ? "(predeterminado)" : usuario);
}

MotorPostgres::MotorPostgres(const std::string& uri) {
  descripcion_ = DescribeUri(uri);
  // Earlier entries yield to the URI's own settings, later ones override them.
  std::vector<const char*> claves;
  std::vector<const char*> valores;
  const std::string espera = std::to_string(kEsperaConexion);
  if (std::getenv("PGCONNECT_TIMEOUT") == nullptr) {
    claves.push_back("connect_timeout");
    valores.push_back(espera.c_str());
  }
  // A server that vanishes (a dropped link, a machine turned off) is noticed
  // by TCP keepalives within a minute instead of never; the URI may set its own.
  for (const auto& [clave, valor] :
       {std::pair{"keepalives", "1"}, std::pair{"keepalives_idle", "30"},
        std::pair{"keepalives_interval", "10"}, std::pair{"keepalives_count", "3"}}) {
    claves.push_back(clave);
    valores.push_back(valor);
  }
  claves.push_back("fallback_application_name");
  valores.push_back("promorlaqel");
  claves.push_back("dbname");
  valores.push_back(uri.c_str());
  claves.push_back("client_encoding");
  valores.push_back("UTF8");
  claves.push_back(nullptr);
  valores.push_back(nullptr);
  con_ = PQconnectdbParams(claves.data(), valores.data(), 1);
  if (con_ == nullptr) throw ErrorQel(errores::kMemoria);
  if (PQstatus(con_) != CONNECTION_OK) {
    std::string mensaje = fmt::format("No se pudo conectar con PostgreSQL ({}): {}", descripcion_,
                                      UnaLinea(PQerrorMessage(con_)));
    PQfinish(con_);
    con_ = nullptr;
    throw ErrorQel(errores::kBaseDatos, std::move(mensaje));
  }
  // Values in the forms the conversions expect (ISO dates, doubles that read
  // back exactly), and one read-only snapshot for everything that follows.
  // (Each command goes alone: several in one text would run as one implicit
  // transaction, begun before the read-only setting applies.)
  // The statement timeout is the server's own unless the URI's options set it.
  const std::string tiempo = fmt::format("SET statement_timeout = '{}'", kTiempoConsulta);
  const bool tiempo_propio =
      uri.find("statement_timeout") != std::string::npos || std::getenv("PGOPTIONS") != nullptr;
  std::vector<const char*> ordenes = {"SET datestyle = 'ISO, YMD'", "SET extra_float_digits = 3"};
  if (!tiempo_propio) ordenes.push_back(tiempo.c_str());
  ordenes.push_back(
      "SET SESSION CHARACTERISTICS AS TRANSACTION ISOLATION LEVEL REPEATABLE READ, READ ONLY");
  ordenes.push_back(kInicio);
  for (const char* orden : ordenes) {
    Resultado r(PQexec(con_, orden));
    if (PQresultStatus(r.get()) != PGRES_COMMAND_OK) {
      std::string mensaje = fmt::format("No se pudo preparar la sesión de PostgreSQL ({}): {}",
                                        descripcion_, MensajeDe(r.get(), con_));
      r.reset();
      PQfinish(con_);
      con_ = nullptr;
      throw ErrorQel(errores::kBaseDatos, std::move(mensaje));
    }
  }
  // The client waits for an answer as long as the server may run a statement,
  // and a margin; with no statement timeout, as long as it takes.
  {
    Resultado r(PQexec(con_, "SELECT setting FROM pg_settings WHERE name = 'statement_timeout'"));
    if (PQresultStatus(r.get()) == PGRES_TUPLES_OK && PQntuples(r.get()) == 1) {
      const long ms = std::strtol(PQgetvalue(r.get(), 0, 0), nullptr, 10);
      if (ms > 0)
        espera_ms_ = static_cast<int>(std::min<long>(ms, 86'400'000L)) + kMargenRespuesta * 1000;
    }
  }
}

MotorPostgres::~MotorPostgres() {
  // Closing ends the transaction without changing anything.
  PQfinish(con_);
}

std::unique_ptr<Motor> MotorPostgres::Abre(const std::string& uri) {
  return std::make_unique<MotorPostgres>(uri);
}

void MotorPostgres::Recupera() {
  if (PQstatus(con_) != CONNECTION_OK) return;
  if (PQtransactionStatus(con_) == PQTRANS_INERROR) {
    Resultado fin(PQexec(con_, "ROLLBACK"));
    Resultado inicio(PQexec(con_, kInicio));
  }
}

void MotorPostgres::Falla(std::string_view que, std::string detalle) {
  if (perdida_ || PQstatus(con_) != CONNECTION_OK) {
    perdida_ = true;
    throw ErrorQel(errores::kBaseDatos, fmt::format("Se perdió la conexión con PostgreSQL ({}): {}",
                                                    descripcion_, detalle));
  }
  Recupera();
  throw ErrorQel(errores::kBaseDatos, fmt::format("{}: {}", que, detalle));
}

pg_result* MotorPostgres::Ejecuta(const std::function<int()>& envia) {
  if (perdida_) Falla("Error en la consulta", "la conexión ya se había perdido");
  if (envia() == 0) Falla("Error en la consulta", UnaLinea(PQerrorMessage(con_)));
  Espera(std::chrono::steady_clock::now() + std::chrono::milliseconds(espera_ms_));
  // The last result is the statement's; a failed one carries the error.
  PGresult* ultimo = nullptr;
  while (PGresult* r = PQgetResult(con_)) {
    if (ultimo != nullptr) PQclear(ultimo);
    ultimo = r;
  }
  return ultimo;
}

void MotorPostgres::Espera(std::chrono::steady_clock::time_point limite) {
  while (PQisBusy(con_) != 0) {
    if (espera_ms_ == 0) {
      pollfd espera{PQsocket(con_), POLLIN, 0};
      if (::poll(&espera, 1, -1) < 0 && errno != EINTR) Falla("Error en la consulta", "poll");
      if (PQconsumeInput(con_) == 0) Falla("Error en la consulta", UnaLinea(PQerrorMessage(con_)));
      continue;
    }
    const auto falta = std::chrono::duration_cast<std::chrono::milliseconds>(
        limite - std::chrono::steady_clock::now());
    pollfd espera{PQsocket(con_), POLLIN, 0};
    const int listo = falta.count() > 0 ? ::poll(&espera, 1, static_cast<int>(falta.count())) : 0;
    if (listo < 0 && errno == EINTR) continue;
    if (listo == 0) {
      perdida_ = true;
      throw ErrorQel(errores::kBaseDatos,
                     fmt::format("El servidor PostgreSQL no respondió en {} s ({}); se deja de "
                                 "leer la base",
                                 espera_ms_ / 1000, descripcion_));
    }
    if (listo < 0 || PQconsumeInput(con_) == 0) {
      Falla("Error en la consulta", UnaLinea(PQerrorMessage(con_)));
    }
  }
}

const MotorPostgres::Sentencia& MotorPostgres::Prepara(std::string_view sql) {
  std::string clave(sql);
  if (auto it = sentencias_.find(clave); it != sentencias_.end()) return it->second;
  if (sentencias_.size() >= kMaxSentencias) {
    Resultado r(PQexec(con_, "DEALLOCATE ALL"));
    if (PQresultStatus(r.get()) != PGRES_COMMAND_OK)
      Falla("Error al liberar consultas", MensajeDe(r.get(), con_));
    sentencias_.clear();
  }
  Sentencia s;
  s.nombre = fmt::format("pmq{}", ++siguiente_);
  const std::string traducida = TraduceSql(sql, &s.parametros);
  Resultado r(Ejecuta([&] {
    return PQsendPrepare(con_, s.nombre.c_str(), traducida.c_str(), s.parametros, nullptr);
  }));
  if (PQresultStatus(r.get()) != PGRES_COMMAND_OK)
    Falla("Error en la consulta", MensajeDe(r.get(), con_));
  return sentencias_.emplace(std::move(clave), std::move(s)).first->second;
}

std::unique_ptr<Recordset> MotorPostgres::Consulta(std::string_view sql,
                                                   std::span<const Valor> parametros) {
  const Sentencia& s = Prepara(sql);
  if (s.parametros != static_cast<int>(parametros.size())) {
    throw ErrorQel(errores::kBaseDatos, fmt::format("La consulta espera {} parámetros y recibió {}",
                                                    s.parametros, parametros.size()));
  }
  std::vector<std::string> textos(parametros.size());
  std::vector<const char*> valores(parametros.size(), nullptr);
  for (size_t i = 0; i < parametros.size(); ++i) {
    if (parametros[i].EsNulo()) continue;
    textos[i] = TextoDeParametro(parametros[i]);
    valores[i] = textos[i].c_str();
  }
  if (perdida_) Falla("Error en la consulta", "la conexión ya se había perdido");
  if (PQsendQueryPrepared(con_, s.nombre.c_str(), s.parametros, valores.data(), nullptr, nullptr,
                          0) == 0) {
    Falla("Error en la consulta", UnaLinea(PQerrorMessage(con_)));
  }
  // Rows arrive one result each and go straight into the packed record set,
  // so the whole result is never held twice (as libpq's and as ours). The
  // server's answer keeps the one deadline of the query.
#ifdef LIBPQ_HAS_CHUNK_MODE
  PQsetChunkedRowsMode(con_, 1000);
#else
  PQsetSingleRowMode(con_);
#endif
  const auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(espera_ms_);
  std::unique_ptr<Recordset> rs;
  std::vector<Oid> tipos;
  Resultado fallo;  // the statement's error, if any, once every result is read
  for (;;) {
    Espera(limite);
    Resultado r(PQgetResult(con_));
    if (!r) break;
    const ExecStatusType estado = PQresultStatus(r.get());
    if (estado != PGRES_SINGLE_TUPLE && estado != PGRES_TUPLES_OK && estado != PGRES_COMMAND_OK
#ifdef LIBPQ_HAS_CHUNK_MODE
        && estado != PGRES_TUPLES_CHUNK
#endif
    ) {
      fallo = std::move(r);
      continue;
    }
    if (!rs) {
      const int ncol = PQnfields(r.get());
      std::vector<std::string> columnas;
      columnas.reserve(static_cast<size_t>(ncol));
      for (int c = 0; c < ncol; ++c) {
        columnas.emplace_back(PQfname(r.get(), c));
        tipos.push_back(PQftype(r.get(), c));
      }
      rs = std::make_unique<Recordset>(std::move(columnas));
    }
    const int ncol = static_cast<int>(tipos.size());
    const int nfil = PQntuples(r.get());
    for (int f = 0; f < nfil; ++f) {
      for (int c = 0; c < ncol; ++c) {
        if (PQgetisnull(r.get(), f, c)) {
          rs->AgregaNulo();
        } else {
          AgregaCelda(*rs, tipos[static_cast<size_t>(c)], PQgetvalue(r.get(), f, c),
                      PQgetlength(r.get(), f, c));
        }
      }
    }
  }
  if (fallo || !rs) Falla("Error en la consulta", MensajeDe(fallo.get(), con_));
  rs->Ajusta();
  return rs;
}

}  // namespace pmq
