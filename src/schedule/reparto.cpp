#include "schedule/reparto.h"

#include "common/redondeo.h"
#include "schedule/periodo_por_item.h"
#include "schedule/periodos_por_item.h"

namespace pmq {
namespace {

int32_t UltimoTrabajado(const std::vector<int32_t>& dias) {
  for (size_t k = dias.size(); k > 0; --k) {
    if (dias[k - 1] > 0) return static_cast<int32_t>(k - 1);
  }
  return -1;
}

}  // namespace

std::vector<int32_t> Reparto::DiasPorPeriodo(const PeriodosPorItem& partes) {
  std::vector<int32_t> dias;
  dias.reserve(static_cast<size_t>(partes.Count()));
  for (const PeriodoPorItem* parte : partes) {
    dias.push_back(
        parte == nullptr || parte->Caso == 5 || parte->Caso == 0 ? 0 : parte->d2 - parte->d1 + 1);
  }
  return dias;
}

Moneda Reparto::ImporteDiario(Moneda total, int32_t duracion) {
  if (duracion == 0) return {};
  const int64_t centavos = RedondeaAEntero(total.ADouble() / duracion, 2);
  return Moneda::DesdeUnidades(centavos) * (Moneda::kEscala / 100);
}

double Reparto::CantidadDiaria(double total, int32_t duracion) {
  if (duracion == 0) return 0;
  return RedondeaPar(total / duracion, 6);
}

std::vector<Moneda> Reparto::Importe(Moneda total, int32_t duracion,
                                     const std::vector<int32_t>& dias, bool cuadrar) {
  const Moneda diario = ImporteDiario(total, duracion);
  std::vector<Moneda> r(dias.size());
  Moneda suma;
  for (size_t k = 0; k < dias.size(); ++k) {
    r[k] = diario * dias[k];
    suma = suma + r[k];
  }
  const int32_t ultimo = UltimoTrabajado(dias);
  if (cuadrar && ultimo >= 0) {
    r[static_cast<size_t>(ultimo)] = r[static_cast<size_t>(ultimo)] + (total - suma);
  }
  return r;
}

std::vector<double> Reparto::Cantidad(double total, int32_t duracion,
                                      const std::vector<int32_t>& dias, bool cuadrar) {
  const double diaria = CantidadDiaria(total, duracion);
  std::vector<double> r(dias.size());
  double suma = 0;
  for (size_t k = 0; k < dias.size(); ++k) {
    r[k] = dias[k] * diaria;
    suma += r[k];
  }
  const int32_t ultimo = UltimoTrabajado(dias);
  if (cuadrar && ultimo >= 0) r[static_cast<size_t>(ultimo)] += total - suma;
  return r;
}

void Reparto::CuadraPartes(PeriodosPorItem& partes, Moneda importe, double cantidad) {
  const std::vector<int32_t> dias = DiasPorPeriodo(partes);
  const int32_t ultimo = UltimoTrabajado(dias);
  if (ultimo < 0) return;
  Moneda suma;
  double suma_cantidad = 0;
  for (const PeriodoPorItem* parte : partes) {
    if (parte == nullptr) continue;
    suma = suma + parte->Importe;
    suma_cantidad += parte->Cantidad;
  }
  PeriodoPorItem& parte = *partes.Item(ultimo + 1);
  parte.Importe = parte.Importe + (importe - suma);
  parte.Cantidad += cantidad - suma_cantidad;
}

}  // namespace pmq
