#include "schedule/filas_programa.h"

#include "catalogue/explosion_presup.h"
#include "catalogue/item_explosion.h"
#include "common/error_qel.h"
#include "model/presup.h"
#include "schedule/periodo_por_item.h"
#include "schedule/periodos_por_item.h"
#include "schedule/reparto.h"

#include <memory>

namespace pmq {
namespace {

Moneda TotalDe(const std::optional<ResumenPresup>& resumen) {
  Moneda total;
  if (!resumen.has_value()) return total;
  for (const ItemExplosion& item : *resumen) total += item.Parcial;
  return total;
}

void SumaEn(FilaPrograma* fila, const std::vector<Moneda>& importes) {
  if (fila == nullptr) return;
  if (fila->Importes.size() < importes.size()) fila->Importes.resize(importes.size());
  for (size_t k = 0; k < importes.size(); ++k) fila->Importes[k] += importes[k];
}

}  // namespace

FilaPrograma* FilasPrograma::Add(std::string_view key, std::string& sErrores) {
  try {
    auto fila = std::make_unique<FilaPrograma>();
    fila->FilasPrograma = this;
    fila->Clave = std::string(key);
    return filas_.Add(std::move(fila), key);
  } catch (...) {
    // Reported under the item class, FilaPrograma, as the collections of rows do.
    AnotaExcepcion(sErrores, "FilaPrograma", "Add");
    return nullptr;
  }
}

void FilasPrograma::Inicia(int32_t periodos) {
  for (FilaPrograma* fila : filas_) {
    fila->Importes.assign(static_cast<size_t>(periodos > 0 ? periodos : 0), Moneda());
  }
}

void FilasPrograma::Suma(const Presup& linea, bool cuadrar) {
  if (!linea.PeriodosPorItem) return;
  const PeriodosPorItem& partes = *linea.PeriodosPorItem;
  std::vector<Moneda> importes;
  importes.reserve(static_cast<size_t>(partes.Count()));
  for (const PeriodoPorItem* parte : partes) {
    importes.push_back(parte != nullptr ? parte->Importe : Moneda());
  }
  SumaEn(Item("kTotal"), importes);
  if (!linea.Explosion) return;
  const std::vector<int32_t> dias = Reparto::DiasPorPeriodo(partes);
  const int32_t duracion = (linea.Des.Final - linea.Des.Inicio) + 1;
  const ExplosionPresup& e = *linea.Explosion;
  const std::pair<const char*, TipoResumen> kinds[] = {
      {"kTotalMateriales", TipoResumen::Mat},
      {"kTotalManoDeObra", TipoResumen::Mdo},
      {"kTotalMaquinaria", TipoResumen::Maq},
      {"kTotalSubcontratos", TipoResumen::Sub},
  };
  for (const auto& [clave, tipo] : kinds) {
    FilaPrograma* fila = Item(clave);
    if (fila == nullptr) continue;
    const Moneda total = TotalDe(e.ResumenDe(tipo));
    if (total == Moneda()) continue;
    SumaEn(fila, Reparto::Importe(total, duracion, dias, cuadrar));
  }
}

void FilasPrograma::Suma(const FilasPrograma& otras) {
  for (const FilaPrograma* fila : otras) {
    if (fila != nullptr) SumaEn(Item(fila->Clave), fila->Importes);
  }
}

void FilasPrograma::Acumula() {
  const FilaPrograma* total = Item("kTotal");
  FilaPrograma* acumulado = Item("kTotalAcumulado");
  if (total == nullptr || acumulado == nullptr) return;
  acumulado->Importes.assign(total->Importes.size(), Moneda());
  Moneda suma;
  for (size_t k = 0; k < total->Importes.size(); ++k) {
    suma += total->Importes[k];
    acumulado->Importes[k] = suma;
  }
}

}  // namespace pmq
