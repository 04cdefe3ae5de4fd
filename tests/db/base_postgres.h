#pragma once
// Test helpers for the PostgreSQL engine: the test server given by PMQ_PG_URI
// (scripts/postgres-prueba starts one) and a throwaway schema on it holding a
// copy of an SQLite test database, made by scripts/sqlite-a-postgres.

#include "apoyo/base_prueba.h"
#include "db/conexion.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <atomic>
#include <cctype>
#include <string>
#include <vector>

namespace pmq::prueba {

/// Every cell of a result, with the column names upper-cased.
struct Tabla {
  std::vector<std::string> columnas;
  std::vector<std::vector<Valor>> filas;
};

/// Runs a query and reads all of it.
inline Tabla Lee(Conexion& c, std::string_view sql, std::vector<Valor> parametros = {}) {
  Tabla t;
  auto rs = c.Ejecuta(sql, parametros);
  for (std::string col : rs->Columnas()) {
    for (char& ch : col) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    t.columnas.push_back(col);
  }
  rs->MoveFirst();
  for (int64_t i = 0; i < rs->RecordCount(); ++i) {
    std::vector<Valor> fila;
    for (int c = 0; c < static_cast<int>(t.columnas.size()); ++c) fila.push_back(rs->Fields(c));
    t.filas.push_back(std::move(fila));
    rs->MoveNext();
  }
  return t;
}

/// The same query through two connections gives the same columns, rows and
/// values (type included). Returns the number of rows.
inline size_t ComparaConsulta(Conexion& a, Conexion& b, std::string_view sql,
                              std::vector<Valor> parametros = {}) {
  SCOPED_TRACE(std::string(sql));
  const Tabla x = Lee(a, sql, parametros);
  const Tabla y = Lee(b, sql, parametros);
  EXPECT_EQ(x.columnas, y.columnas);
  EXPECT_EQ(x.filas.size(), y.filas.size());
  for (size_t i = 0; i < x.filas.size() && i < y.filas.size(); ++i)
    EXPECT_EQ(x.filas[i], y.filas[i]) << "fila " << i;
  return x.filas.size();
}

/// The test server's URI, "" when none was given.
inline std::string UriPostgres() {
  const char* uri = std::getenv("PMQ_PG_URI");
  return uri != nullptr ? uri : "";
}

/// A schema of the test server, dropped (with its tables) by the destructor.
/// Its URI makes the schema the search path, so that the engine finds the
/// tables by their plain names.
class EsquemaPostgres {
 public:
  EsquemaPostgres() {
    static std::atomic<int> contador{0};
    nombre_ = "pmq_prueba_" + std::to_string(::getpid()) + "_" + std::to_string(++contador);
  }
  ~EsquemaPostgres() {
    if (creado_) Psql("DROP SCHEMA IF EXISTS " + nombre_ + " CASCADE");
  }
  EsquemaPostgres(const EsquemaPostgres&) = delete;
  EsquemaPostgres& operator=(const EsquemaPostgres&) = delete;

  /// Copies an SQLite project database into the schema (creating it).
  void Copia(const std::string& sqlite) {
    creado_ = true;
    const std::string orden = std::string(PMQ_SOURCE_DIR) +
                              "/scripts/sqlite-a-postgres --esquema " + nombre_ + " " +
                              Comillas(sqlite) + " " + Comillas(UriPostgres()) + " >/dev/null";
    ASSERT_EQ(std::system(orden.c_str()), 0) << orden;
  }
  /// Runs SQL on the server as the test's owner (read-write), in the schema.
  void Psql(const std::string& sql) const {
    const std::string orden = "psql -X -q -v ON_ERROR_STOP=1 " + Comillas(Uri()) + " -c " +
                              Comillas("SET client_min_messages = warning; " + sql) + " >/dev/null";
    EXPECT_EQ(std::system(orden.c_str()), 0) << orden;
  }
  /// The URI that opens the schema.
  std::string Uri() const {
    const std::string base = UriPostgres();
    return base + (base.find('?') == std::string::npos ? "?" : "&") + "options=-csearch_path%3D" +
           nombre_;
  }
  const std::string& Nombre() const { return nombre_; }

 private:
  std::string nombre_;
  bool creado_ = false;
};

}  // namespace pmq::prueba

/// Skips the test, saying why, when no test server is given; fails it instead
/// when PMQ_PG_OBLIGATORIO is set (CI), so the server tests never pass unseen.
#define PMQ_REQUIERE_POSTGRES()                                               \
  do {                                                                        \
    if (::pmq::prueba::UriPostgres().empty()) {                               \
      if (std::getenv("PMQ_PG_OBLIGATORIO") != nullptr) {                     \
        FAIL() << "PMQ_PG_OBLIGATORIO está definida pero falta PMQ_PG_URI";   \
      }                                                                       \
      GTEST_SKIP() << "Sin servidor PostgreSQL de prueba: defina PMQ_PG_URI " \
                      "(eval \"$(scripts/postgres-prueba start)\")";          \
    }                                                                         \
  } while (0)
