#pragma once
// Shared fixture of the catalogue tests: a real SQLite project database with a
// work, loaded through the root object, and shorthands to fill and break down.

#include "apoyo/base_prueba.h"
#include "catalogue/concepto.h"
#include "catalogue/conceptos.h"
#include "common/host_grabador.h"
#include "model/programa.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace pmq::prueba {

/// Concept kinds (column TIPO).
constexpr int kMat = 1, kMdo = 2, kMaq = 3, kBas = 4, kPU = 5, kSub = 6, kInd = 7, kCua = 8,
              kII = 9, kCH = 10;

class CatalogoConBase : public ::testing::Test {
 protected:
  CatalogoConBase() : base_(dir_.Archivo("obra.db")) {}

  /// A concept row (written by Carga): code, type, unit cost; FSR and conversion factor optional.
  void Concepto(std::string_view clave, int tipo, double costo = 0, double fsr = 1,
                double facconv = 1, std::string_view cmaquina = "", int tipocmaq = 0) {
    pendiente_ +=
        ("insert into CONCEPTO (CONCEPTO, UNIDAD, COSTO, FACCONV, FSREAL_MO, NOM_CORTO, CMAQUINA, "
         "TIPOCMAQ, TIPO) values ('" +
         std::string(clave) + "', 'u', " + std::to_string(costo) + ", " + std::to_string(facconv) +
         ", " + std::to_string(fsr) + ", 'Nombre de " + std::string(clave) + "', '" +
         std::string(cmaquina) + "', " + std::to_string(tipocmaq) + ", " + std::to_string(tipo) +
         ");");
  }
  /// Several concepts of one kind and cost.
  void Conceptos(std::initializer_list<std::string_view> claves, int tipo, double costo = 0) {
    for (std::string_view c : claves) Concepto(c, tipo, costo);
  }
  /// Rows written in one transaction by Carga (or Escribe).
  void Escribe() {
    base_.Ejecuta("begin;" + pendiente_ + "commit;");
    pendiente_.clear();
  }
  /// An analysis row: `cantidad` of `concepto` per unit of `matriz` (an SQL literal, "NULL"
  /// allowed).
  void Matriz(std::string_view matriz, std::string_view concepto, std::string_view cantidad) {
    pendiente_ += "insert into MATRICES (MATRIZ, CONCEPTO, CANTIDAD) values ('" +
                  std::string(matriz) + "', '" + std::string(concepto) + "', " +
                  std::string(cantidad) + ");";
  }
  /// Analysis rows as (matriz, concepto, cantidad) triples.
  void Matrices(std::initializer_list<std::array<std::string_view, 3>> filas) {
    for (const auto& f : filas) Matriz(f[0], f[1], f[2]);
  }
  /// Loads catalogue, hourly costs and the header of work A1 (whose machine
  /// factors for "Com" are 1 / 0.8 / 0.5); `ajustes` is SQL run on the header rows first.
  void Carga(std::string_view ajustes = "") {
    Escribe();
    InsertaObra(base_, "A1", "'2013-01-01'", "'2013-03-31'");
    if (!ajustes.empty()) base_.Ejecuta(ajustes);
    p_.Ruta = base_.Ruta();
    p_.ClaveObra = "A1";
    std::string s;
    ASSERT_EQ(p_.CalcularPrograma(s), ResultadoCarga::Correcta);
    ASSERT_EQ(s, "");
    ASSERT_TRUE(host_.mensajes.empty()) << host_.mensajes.front().texto;
  }
  pmq::Concepto* C(std::string_view clave) const {
    return p_.Conceptos->Item("k" + std::string(clave));
  }
  /// The top-level breakdown of a concept, as a budget line asks for it.
  std::unique_ptr<Explosion> Explota(std::string_view clave, std::string& s) {
    std::unique_ptr<Explosion> e;
    pmq::Concepto* c = C(clave);
    EXPECT_NE(c, nullptr) << clave;
    if (c != nullptr) c->ExplotaMe(p_.Conexion, c, 1, false, e, s);
    return e;
  }

  DirectorioTemporal dir_;
  BaseSqlite base_;
  HostGrabador host_;
  HostEnUso uso_{host_};
  Programa p_;
  std::string pendiente_;
};

/// Codes of the input concepts of a collection, "|"-joined.
inline std::string Claves(const ColeccionRef<ItemExplosion>& lineas) {
  std::string r;
  for (const ItemExplosion* l : lineas) {
    if (!r.empty()) r.push_back('|');
    r += l->Concepto ? l->Concepto->Des.Clave : std::string("?");
  }
  return r;
}

}  // namespace pmq::prueba
