#pragma once
// A root with a work and one section, linked by hand the way the loaders link
// them, to which tests add budget lines without a database.

#include "model/obra.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"
#include "model/programa.h"
#include "schedule/periodos.h"

#include <memory>
#include <string>

namespace pmq::prueba {

class ModeloAMano {
 public:
  explicit ModeloAMano(const std::string& obra = "A7", const std::string& partida = "01") {
    programa.Periodos->Programa = &programa;
    Obra().Des.Clave = obra;
    auto p = std::make_unique<pmq::Partida>(Obra().Partidas.get());
    p->Des.Clave = partida;
    partida_ = p.get();
    std::string s;
    static_cast<ColeccionCargada<pmq::Partida, pmq::Obra>&>(*Obra().Partidas)
        .AddByObject(std::move(p), s);
  }

  pmq::Obra& Obra() { return *programa.Obra; }
  pmq::Periodos& Periodos() { return *programa.Periodos; }

  /// Sets the work's dates and builds its calendar; returns the calendar's messages.
  std::string Calendario(Fecha inicio, Fecha final_) {
    Obra().Des.Inicio = inicio;
    Obra().Des.Final = final_;
    std::string s;
    programa.Periodos->GeneraPeriodos(s);
    return s;
  }

  /// Appends a budget line of this section (the front makes its key unique).
  Presup& Linea(const std::string& frente, const std::string& concepto, Fecha inicio = {},
                Fecha final_ = {}, double cantidad = 0, Moneda importe = {}) {
    auto l = std::make_unique<Presup>(partida_->Presups.get());
    l->Des.Clave = Obra().Des.Clave + partida_->Des.Clave + frente + concepto;
    l->Des.Frente = frente;
    l->Des.Inicio = inicio;
    l->Des.Final = final_;
    l->Des.Cantidad = cantidad;
    l->Des.Importe = importe;
    Presup& r = *l;
    std::string s;
    static_cast<ColeccionCargada<Presup, pmq::Partida>&>(*partida_->Presups)
        .AddByObject(std::move(l), s);
    return r;
  }

  Programa programa;

 private:
  pmq::Partida* partida_ = nullptr;
};

}  // namespace pmq::prueba
