#include "estimates/lector_por_estimacion.h"

#include "db/valor.h"

#include <algorithm>
#include <numeric>

namespace pmq {
namespace {

// The estimate number of the current row as the loaders read it.
double NumeroDeFila(const Recordset& rs, int columna) {
  const Valor& v = rs.Fields(columna);
  if (v.EsEntero()) return static_cast<double>(v.Entero());
  if (v.EsDouble()) return v.Double();
  return Val(v.Texto());
}

}  // namespace

LectorPorEstimacion::LectorPorEstimacion(Recordset& rs) : rs_(rs) {
  const int64_t total = rs.RecordCount();
  const int columna = rs.IndiceColumna("ESTIMACION");
  if (columna < 0) rs.Fields("ESTIMACION");  // reports the missing column
  std::vector<double> numeros;
  numeros.reserve(static_cast<size_t>(total));
  bool ordenado = true;
  rs.MoveFirst();
  for (int64_t i = 0; i < total; ++i) {
    numeros.push_back(NumeroDeFila(rs, columna));
    if (i > 0 && numeros[static_cast<size_t>(i)] < numeros[static_cast<size_t>(i - 1)])
      ordenado = false;
    rs.MoveNext();
  }
  rs.MoveFirst();
  if (ordenado) return;
  orden_.resize(static_cast<size_t>(total));
  std::iota(orden_.begin(), orden_.end(), int64_t{0});
  std::stable_sort(orden_.begin(), orden_.end(), [&numeros](int64_t a, int64_t b) {
    return numeros[static_cast<size_t>(a)] < numeros[static_cast<size_t>(b)];
  });
}

void LectorPorEstimacion::VeA(int64_t k) {
  const int64_t fila = orden_.empty() ? k - 1 : orden_[static_cast<size_t>(k - 1)];
  if (fila < actual_) {
    rs_.MoveFirst();
    actual_ = 0;
  }
  for (; actual_ < fila; ++actual_) rs_.MoveNext();
}

}  // namespace pmq
