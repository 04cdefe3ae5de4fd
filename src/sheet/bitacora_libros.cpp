#include "sheet/bitacora_libros.h"

namespace pmq {
namespace {

std::vector<EscrituraLibro>& Lista() {
  static std::vector<EscrituraLibro> lista;
  return lista;
}

}  // namespace

void BitacoraLibros::Registra(EscrituraLibro escritura) {
  Lista().push_back(std::move(escritura));
}

const std::vector<EscrituraLibro>& BitacoraLibros::Escrituras() {
  return Lista();
}

void BitacoraLibros::Limpia() {
  Lista().clear();
}

}  // namespace pmq
