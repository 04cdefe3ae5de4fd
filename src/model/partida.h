#pragma once

#include <promorlaqel/common/api.h>
#include <promorlaqel/model/cuerpo.h>
#include <promorlaqel/model/entidad.h>

#include <memory>

namespace pmq {

class Partidas;
class Presups;
class FilasPrograma;

/// One budget section with its lines.
class PMQ_API Partida : public Entidad {
 public:
  /// Creates the lines, the descriptor and the program rows; `partidas` is the
  /// list that holds the section (none for a section built on its own).
  explicit Partida(pmq::Partidas* partidas = nullptr);
  ~Partida() override;

  pmq::Partidas* Partidas = nullptr;
  std::unique_ptr<pmq::Presups> Presups;
  Cuerpo Des;
  std::unique_ptr<pmq::FilasPrograma> FPro;
};

}  // namespace pmq
