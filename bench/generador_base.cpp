#include "generador_base.h"

#include "common/fecha.h"
#include "db/esquema.h"

#include <fmt/format.h>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <unordered_set>

namespace pmq::bench {
namespace {

[[noreturn]] void Falla(sqlite3* db, std::string_view que) {
  throw std::runtime_error(
      fmt::format("{}: {}", que, db != nullptr ? sqlite3_errmsg(db) : "sin base"));
}

void Exec(sqlite3* db, const std::string& sql) {
  char* error = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::string texto = error != nullptr ? error : "";
    sqlite3_free(error);
    throw std::runtime_error(fmt::format("{}: {}", sql.substr(0, 60), texto));
  }
}

// One prepared INSERT, bound column by column and run once per row.
class Insercion {
 public:
  Insercion(sqlite3* db, const std::string& sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st_, nullptr) != SQLITE_OK) Falla(db, sql);
  }
  ~Insercion() { sqlite3_finalize(st_); }
  Insercion(const Insercion&) = delete;
  Insercion& operator=(const Insercion&) = delete;

  Insercion& T(std::string_view v) {
    sqlite3_bind_text(st_, ++n_, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    return *this;
  }
  Insercion& D(double v) {
    sqlite3_bind_double(st_, ++n_, v);
    return *this;
  }
  Insercion& I(int64_t v) {
    sqlite3_bind_int64(st_, ++n_, v);
    return *this;
  }
  Insercion& Nulo() {
    sqlite3_bind_null(st_, ++n_);
    return *this;
  }
  void Corre() {
    if (sqlite3_step(st_) != SQLITE_DONE) Falla(db_, "insert");
    sqlite3_reset(st_);
    n_ = 0;
  }

 private:
  sqlite3* db_;
  sqlite3_stmt* st_ = nullptr;
  int n_ = 0;
};

std::string Iso(int32_t serial) {
  return Fecha::DesdeSerial(serial).Iso();
}

constexpr const char* kPalabras[] = {
    "concreto",   "acero",   "cimbra",    "muro",     "losa",     "trabe",
    "columna",    "zapata",  "firme",     "aplanado", "tabique",  "impermeabilizante",
    "excavación", "relleno", "pintura",   "tubería",  "cableado", "registro",
    "castillo",   "dala",    "plantilla", "block",    "mortero",  "yeso"};

}  // namespace

GeneradorBase::GeneradorBase(TamanoBase tamano, uint64_t semilla)
    : t_(std::move(tamano)), azar_(semilla) {}

int32_t GeneradorBase::Entre(int32_t a, int32_t b) {
  if (b <= a) return a;
  return a + static_cast<int32_t>(azar_() % static_cast<uint64_t>(b - a + 1));
}

double GeneradorBase::Real(double a, double b, int decimales) {
  const double u = static_cast<double>(azar_() >> 11) * (1.0 / 9007199254740992.0);
  const double escala = std::pow(10.0, decimales);
  return std::round((a + (b - a) * u) * escala) / escala;
}

std::string GeneradorBase::Nombre(std::string_view raiz, int32_t n) {
  std::string texto(raiz);
  const int32_t palabras = Entre(3, 7);
  for (int32_t i = 0; i < palabras; ++i) {
    texto += ' ';
    texto += kPalabras[azar_() % std::size(kPalabras)];
  }
  texto += fmt::format(" no. {}", n);
  return texto;
}

void GeneradorBase::Escribe(const std::string& ruta) {
  if (std::filesystem::exists(ruta)) throw std::runtime_error("ya existe " + ruta);
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(ruta.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
      SQLITE_OK) {
    sqlite3_close(db);
    throw std::runtime_error("no se pudo crear " + ruta);
  }
  try {
    Exec(db, "PRAGMA journal_mode=OFF");
    Exec(db, "PRAGMA synchronous=OFF");
    Exec(db, std::string(EsquemaSql()));
    Exec(db, "BEGIN");
    Catalogo(db);
    Analisis(db);
    Maquinas(db);
    Obra(db);
    Presupuesto(db);
    Estimaciones(db);
    Exec(db, "COMMIT");
    Exec(db, "ANALYZE");
  } catch (...) {
    sqlite3_close(db);
    std::filesystem::remove(ruta);
    throw;
  }
  sqlite3_close(db);
}

void GeneradorBase::Catalogo(sqlite3* db) {
  const int32_t n = t_.conceptos;
  auto parte = [&](double fraccion) {
    return std::max<int32_t>(1, static_cast<int32_t>(n * fraccion));
  };
  const int32_t cuadrillas = parte(0.02), basicos2 = parte(0.08), basicos1 = parte(0.08),
                precios = parte(0.30), mano = parte(0.03), sub = parte(0.02), ind = parte(0.01),
                maq = std::max<int32_t>(1, t_.maquinas);
  const int32_t materiales =
      std::max<int32_t>(4, n - cuadrillas - basicos2 - basicos1 - precios - mano - sub - ind - maq);
  Insercion ins(
      db,
      "insert into CONCEPTO (CONCEPTO, UNIDAD, COSTO, ACTUALIZAD, FACCONV, UNICOM, FSREAL_MO, "
      "NOM_CORTO, NOM_LARGO, CMAQUINA, TIPOCMAQ, TIPO) values (?,?,?,?,?,?,?,?,?,?,?,?)");
  const std::string fecha = Iso(Fecha::DesdeYmd(2020, 11, 2).Serial());
  auto agrega = [&](std::vector<std::string>& lista, int32_t cuantos, std::string_view prefijo,
                    int tipo, std::string_view unidad, double costo_max) {
    for (int32_t i = 1; i <= cuantos; ++i) {
      std::string clave = fmt::format("{}-{:06d}", prefijo, i);
      const bool es_maquina = tipo == 3;
      ins.T(clave).T(unidad).D(Real(0.5, costo_max, 2)).T(fecha);
      if (azar_() % 5 == 0)
        ins.D(Real(0.5, 20, 3)).T("pza");
      else
        ins.Nulo().Nulo();
      ins.D(tipo == 2 ? Real(1.5, 1.9, 4) : 1.0);
      ins.T(Nombre(prefijo, i));
      if (azar_() % 2 == 0)
        ins.T(Nombre("Descripción larga de", i));
      else
        ins.Nulo();
      if (es_maquina)
        ins.T(fmt::format("M{:05d}", i)).I(Entre(1, 3));
      else
        ins.Nulo().Nulo();
      ins.I(tipo).Corre();
      lista.push_back(std::move(clave));
    }
  };
  agrega(materiales_, materiales, "MAT", 1, "m3", 3000);
  agrega(mano_obra_, mano, "MO", 2, "jor", 900);
  agrega(maquinas_, maq, "EQ", 3, "hr", 1500);
  agrega(basicos2_, basicos2, "BB", 4, "m3", 2000);
  agrega(basicos1_, basicos1, "BA", 4, "m3", 2500);
  agrega(precios_, precios, "PU", 5, "m2", 5000);
  agrega(subcontratos_, sub, "SUB", 6, "lote", 20000);
  agrega(indirectos_, ind, "IND", 7, "%", 100);
  agrega(cuadrillas_, cuadrillas, "CU", 8, "jor", 2500);
}

void GeneradorBase::Analisis(sqlite3* db) {
  Insercion ins(db, "insert into MATRICES (MATRIZ, CONCEPTO, CANTIDAD) values (?,?,?)");
  auto de = [&](const std::vector<std::string>& lista) -> const std::string& {
    return lista[azar_() % lista.size()];
  };
  auto fila = [&](const std::string& matriz, const std::string& componente, double cantidad) {
    ins.T(matriz).T(componente).D(cantidad).Corre();
  };
  // Crews: three labour rows each.
  int64_t restantes = t_.filas_analisis;
  for (const std::string& c : cuadrillas_) {
    for (int k = 0; k < 3 && restantes > 0; ++k, --restantes)
      fila(c, de(mano_obra_), Real(0.1, 1, 3));
  }
  // The rest spread evenly over the basic and unit-price analyses.
  const int64_t compuestos =
      static_cast<int64_t>(basicos2_.size() + basicos1_.size() + precios_.size());
  const int64_t base = restantes / compuestos;
  int64_t sobra = restantes % compuestos;
  auto cuantas = [&]() {
    int64_t k = base;
    if (sobra > 0) {
      ++k;
      --sobra;
    }
    return k;
  };
  auto insumo = [&]() -> const std::string& {
    const uint64_t r = azar_() % 100;
    if (r < 70) return de(materiales_);
    if (r < 85) return de(mano_obra_);
    if (r < 97) return de(maquinas_);
    return r < 99 ? de(subcontratos_) : de(indirectos_);
  };
  for (const std::string& b : basicos2_) {
    for (int64_t k = cuantas(); k > 0; --k) fila(b, insumo(), Real(0.001, 2, 4));
  }
  for (const std::string& b : basicos1_) {
    int64_t k = cuantas();
    for (int64_t j = 0; j < 2 && k > 1; ++j, --k) fila(b, de(basicos2_), Real(0.01, 1.5, 4));
    for (; k > 0; --k) fila(b, insumo(), Real(0.001, 2, 4));
  }
  for (const std::string& p : precios_) {
    int64_t k = cuantas();
    for (int64_t j = 0; j < 2 && k > 1; ++j, --k) fila(p, de(basicos1_), Real(0.01, 1.5, 4));
    if (k > 2) {
      fila(p, de(cuadrillas_), Real(0.01, 0.5, 4));
      --k;
    }
    for (; k > 0; --k) fila(p, insumo(), Real(0.001, 3, 4));
  }
}

void GeneradorBase::Maquinas(sqlite3* db) {
  Insercion ins(
      db,
      "insert into MAQUINA (MAQUINA, UNIDAD, VAL_A1, NOMBRE1, NOMBRE2, NOMBRE3, CAPACIDAD, MARCA, "
      "MODELO, ORIGEN, UBICACION, GASOLINA, CANT_GAS, DIESEL, CANT_DIE, O_FUENTES, C_OTRAS, "
      "O_CONSUM, "
      "ACEITE, CANT_ACEI, LLANTAS, CANT_LLAN, PZAS_ESP, CANT_PZAS, CUADRILLA, CANT_OPER) "
      "values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
  auto material = [&]() -> const std::string& {
    return materiales_[azar_() % std::min<size_t>(materiales_.size(), 40)];
  };
  for (size_t i = 1; i <= maquinas_.size(); ++i) {
    const auto n = static_cast<int32_t>(i);
    ins.T(fmt::format("M{:05d}", n)).T("hr").D(Real(100000, 4000000, 2));
    ins.T(Nombre("Equipo", n)).T("modelo").T(fmt::format("serie {}", n));
    ins.T(fmt::format("{} hp", Entre(50, 400)))
        .T("marca")
        .T(fmt::format("X-{}", Entre(1, 999)))
        .T("importado")
        .T("almacén");
    const bool diesel = azar_() % 3 != 0;
    if (diesel)
      ins.Nulo().D(0).T(material()).D(Real(5, 40, 3));
    else
      ins.T(material()).D(Real(5, 30, 3)).Nulo().D(0);
    ins.Nulo().D(0).T(material());
    ins.T(material())
        .D(Real(0.05, 0.5, 4))
        .T(material())
        .D(Real(0.001, 0.01, 5))
        .T(material())
        .D(Real(0.001, 0.05, 5));
    ins.T(cuadrillas_[azar_() % cuadrillas_.size()]).D(Real(0.1, 1, 3)).Corre();
  }
}

void GeneradorBase::Obra(sqlite3* db) {
  const Fecha inicio = Fecha::DesdeYmd(2021, 1, 11);
  int anio = 2021 + (t_.meses - 1) / 12;
  int mes = 1 + (t_.meses - 1) % 12;
  const Fecha fin = Fecha::DesdeYmd(anio, mes, 20);
  inicio_ = inicio.Serial();
  final_ = fin.Serial();
  Insercion obras(db,
                  "insert into OBRAS (OBRA, NOMBREOBRA, DESC_OBRA, LINHEAD1, LINHEAD2, LINHEAD3, "
                  "INICIO, FINAL, "
                  "VIVIENDA, IVAAPLIC) values (?,?,?,?,?,?,?,?,?,?)");
  obras.T(kObra)
      .T("Obra de prueba de escala")
      .T("Conjunto habitacional de prueba para medir tiempos")
      .T("Constructora de Prueba S.A. de C.V.")
      .T("Contrato 2021-001")
      .T("Programa de obra")
      .T(Iso(inicio_))
      .T(Iso(final_))
      .I(0)
      .D(16)
      .Corre();
  Exec(db, fmt::format("insert into FSR (OBRA, FACTMI, FACTHMT) values ('{}', 3, 2)", kObra));
  Exec(db, fmt::format("insert into FSCD (OBRA, DESPMAT) values ('{}', 5)", kObra));
  Exec(db, fmt::format("insert into FACMAQ values ('{}', 1,1,1,1,1,0.8,1,1,1, 1,1,1,1,1,0.5,1,1,1)",
                       kObra));
}

void GeneradorBase::Presupuesto(sqlite3* db) {
  Insercion partidas(
      db,
      "insert into PARTIDAS (OBRA, PARTIDA, NOMPARTIDA, PNOM_LARGO, PI_F, PT_F, IMPORTE) "
      "values (?,?,?,?,?,?,?)");
  Insercion presups(
      db,
      "insert into PRESUPS (OBRA, PARTIDA, FRENTE, CONCEPTO, CANT_PRES, ADITIVA, DEDUCTIVA, "
      "FECHA_INI, FECHA_FIN, PUNIT, IMPORTE, ORDEN) values (?,?,?,?,?,?,?,?,?,?,?,?)");
  const int32_t por_partida = std::max<int32_t>(1, t_.lineas_por_partida);
  const int32_t num_partidas = (t_.lineas + por_partida - 1) / por_partida;
  const int32_t dias = final_ - inicio_ + 1;
  int32_t hechas = 0;
  for (int32_t s = 1; s <= num_partidas; ++s) {
    const std::string partida = fmt::format("{:03d}", s);
    const int32_t aqui = std::min(por_partida, t_.lineas - hechas);
    std::unordered_set<std::string> usados;
    double importe = 0;
    int32_t pi = final_, pt = inicio_;
    for (int32_t j = 1; j <= aqui; ++j) {
      Linea l;
      l.partida = partida;
      do {
        l.concepto = precios_[azar_() % precios_.size()];
        const uint64_t f = azar_() % 4;
        l.frente = f == 0 ? "" : fmt::format("F{}", f);
      } while (!usados.insert(l.frente + "|" + l.concepto).second);
      l.cantidad = Real(1, 2000, 3);
      l.punit = Real(10, 9000, 2);
      const double imp = std::round(l.cantidad * l.punit * 100) / 100;
      importe += imp;
      const int32_t duracion = std::min(dias, Entre(7, 150));
      const int32_t f1 = inicio_ + Entre(0, dias - duracion);
      const int32_t f2 = f1 + duracion - 1;
      pi = std::min(pi, f1);
      pt = std::max(pt, f2);
      presups.T(kObra).T(partida).T(l.frente).T(l.concepto).D(l.cantidad);
      if (azar_() % 10 == 0)
        presups.D(Real(0, 50, 3)).D(Real(0, 20, 3));
      else
        presups.D(0).D(0);
      presups.T(Iso(f1)).T(Iso(f2)).D(l.punit).D(imp).I(hechas + j).Corre();
      lineas_.push_back(std::move(l));
    }
    hechas += aqui;
    partidas.T(kObra)
        .T(partida)
        .T(fmt::format("Partida {}", s))
        .T(Nombre("Partida", s))
        .T(Iso(pi))
        .T(Iso(pt))
        .D(std::round(importe * 100) / 100)
        .Corre();
  }
}

void GeneradorBase::Estimaciones(sqlite3* db) {
  const int32_t e = std::max<int32_t>(1, t_.estimaciones);
  Insercion est1(db,
                 "insert into EST1 (OBRA, ESTIMACION, FECHA_EST, INI_EST, FIN_EST, DEDUC_EST, "
                 "AMORT_EST, IVA_AMORT) "
                 "values (?,?,?,?,?,?,?,?)");
  const int32_t dias = final_ - inicio_ + 1;
  for (int32_t k = 1; k <= e; ++k) {
    const int32_t ini = inicio_ + (k - 1) * dias / e;
    const int32_t fin = inicio_ + k * dias / e - 1;
    est1.T(kObra)
        .I(k)
        .T(Iso(fin + 3))
        .T(Iso(ini))
        .T(Iso(fin))
        .D(Real(0, 5000, 2))
        .D(Real(0, 5000, 2))
        .D(0)
        .Corre();
  }
  Insercion est2(db,
                 "insert into EST2 (OBRA, ESTIMACION, PARTIDA, FRENTE, CONCEPTO, CANT_EST, PUNIT, "
                 "IMPORTE, ORDEN) "
                 "values (?,?,?,?,?,?,?,?,?)");
  const auto l = static_cast<int64_t>(lineas_.size());
  if (l == 0) return;
  const int64_t total = std::min<int64_t>(t_.filas_est2, l * e);
  const int64_t base = total / l;
  int64_t sobra = total % l;
  int64_t orden = 0;
  for (int64_t i = 0; i < l; ++i) {
    const Linea& linea = lineas_[static_cast<size_t>(i)];
    int64_t n = base;
    if (sobra > 0) {
      ++n;
      --sobra;
    }
    if (n == 0) continue;
    // The last line reaches the last estimate, so the work has all of them.
    const int32_t desde =
        i == l - 1 ? e - static_cast<int32_t>(n) + 1 : Entre(1, e - static_cast<int32_t>(n) + 1);
    const double parte = std::round(linea.cantidad / static_cast<double>(n) * 1000) / 1000;
    for (int32_t k = desde; k < desde + n; ++k) {
      est2.T(kObra)
          .I(k)
          .T(linea.partida)
          .T(linea.frente)
          .T(linea.concepto)
          .D(parte)
          .D(linea.punit)
          .D(std::round(parte * linea.punit * 100) / 100)
          .I(++orden)
          .Corre();
    }
  }
}

}  // namespace pmq::bench
