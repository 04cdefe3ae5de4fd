#include "db/base_nueva.h"

#include "common/error_qel.h"
#include "db/esquema.h"

#include <fmt/format.h>
#include <sqlite3.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace pmq {
namespace {

// The temporary file and its journal are removed unless the database was
// linked into place.
class ArchivoTemporal {
 public:
  explicit ArchivoTemporal(const std::string& destino) {
    std::string patron = destino + ".tmpXXXXXX";
    std::vector<char> nombre(patron.begin(), patron.end());
    nombre.push_back('\0');
    const int fd = ::mkstemp(nombre.data());
    if (fd < 0) {
      const int e = errno;
      throw ErrorQel(e == ENOENT   ? errores::kRuta
                     : e == EACCES ? errores::kPermiso
                                   : errores::kArchivo,
                     fmt::format("No se puede crear un archivo en la carpeta de '{}': {}", destino,
                                 std::strerror(e)));
    }
    ::close(fd);
    ruta_ = nombre.data();
  }
  ~ArchivoTemporal() {
    ::unlink(ruta_.c_str());
    ::unlink((ruta_ + "-journal").c_str());
  }
  ArchivoTemporal(const ArchivoTemporal&) = delete;
  ArchivoTemporal& operator=(const ArchivoTemporal&) = delete;
  const std::string& Ruta() const { return ruta_; }

 private:
  std::string ruta_;
};

// Runs every statement of `sql` on a new database at `ruta`, in one transaction.
void Escribe(const std::string& ruta, std::string_view sql) {
  sqlite3* db = nullptr;
  const int abierta =
      sqlite3_open_v2(ruta.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  std::string texto = "BEGIN;\n";
  texto += sql;
  texto += "\nCOMMIT;";
  char* error = nullptr;
  if (abierta != SQLITE_OK ||
      sqlite3_exec(db, texto.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::string mensaje =
        fmt::format("No se pudo escribir la base de datos: {}", error != nullptr ? error
                                                                : db != nullptr ? sqlite3_errmsg(db)
                                                                                : "sin memoria");
    sqlite3_free(error);
    sqlite3_close(db);
    throw ErrorQel(errores::kBaseDatos, mensaje);
  }
  if (sqlite3_close(db) != SQLITE_OK) {
    throw ErrorQel(errores::kBaseDatos, "No se pudo cerrar la base de datos nueva");
  }
}

// Moves `origen` to `destino` unless `destino` exists, in one step.
void ColocaSinSobrescribir(const std::string& origen, const std::string& destino) {
  if (::renameat2(AT_FDCWD, origen.c_str(), AT_FDCWD, destino.c_str(), RENAME_NOREPLACE) == 0)
    return;
  int e = errno;
  if (e == EINVAL || e == ENOSYS) {
    // A file system without no-replace renames: a hard link fails the same way
    // when the target exists.
    if (::link(origen.c_str(), destino.c_str()) == 0) return;
    e = errno;
  }
  if (e == EEXIST) {
    throw ErrorQel(errores::kArchivoExiste,
                   fmt::format("El archivo '{}' ya existe; no se sobrescribe", destino));
  }
  throw ErrorQel(errores::kPermiso,
                 fmt::format("No se pudo colocar '{}': {}", destino, std::strerror(e)));
}

}  // namespace

bool CreaBaseSqlite(const std::string& ruta, std::string_view sql, std::string& sErrores) {
  try {
    struct stat info {};
    if (::lstat(ruta.c_str(), &info) == 0) {
      throw ErrorQel(errores::kArchivoExiste,
                     fmt::format("El archivo '{}' ya existe; no se sobrescribe", ruta));
    }
    ArchivoTemporal temporal(ruta);
    Escribe(temporal.Ruta(), sql);
    // mkstemp makes the file private; a database gets the usual permissions.
    const mode_t mascara = ::umask(0);
    ::umask(mascara);
    ::chmod(temporal.Ruta().c_str(), 0666 & ~mascara);
    ColocaSinSobrescribir(temporal.Ruta(), ruta);
    return true;
  } catch (...) {
    AnotaExcepcion(sErrores, "BaseNueva", "CreaBaseSqlite");
    return false;
  }
}

std::string SqlBaseEjemplo() {
  std::string sql(EsquemaSql());
  sql += "\n";
  sql += EjemploSql();
  return sql;
}

}  // namespace pmq
