#pragma once
// Catalogue tests: rows written through the shared fixture, work A7 loaded into
// a root, and shorthands to reach a concept and break it down.

#include "apoyo/obra_calculada.h"
#include "catalogue/concepto.h"
#include "catalogue/conceptos.h"

#include <array>
#include <initializer_list>

namespace pmq::prueba {

constexpr int kCua = 8;

class CatalogoConBase : public ObraCalculada {
 protected:
  void Conceptos(std::initializer_list<std::string_view> claves, int tipo, double costo = 0) {
    for (std::string_view c : claves) Concepto(c, tipo, costo);
  }
  void Matrices(std::initializer_list<std::array<std::string_view, 3>> filas) {
    for (const auto& f : filas) Matriz(f[0], f[1], f[2]);
  }
  /// Loads catalogue, hourly costs and work A7 (machine factors "Com": 1 / 0.8 / 0.5);
  /// `ajustes` is SQL run on the header rows first.
  void Carga(std::string_view ajustes = "") {
    Obra();
    if (!ajustes.empty()) Sql(ajustes);
    p_.Ruta = base_.Ruta();
    p_.ClaveObra = "A7";
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
  /// Machine `clave` with the given columns; the quantities not given are 0.
  void Maquina(std::string_view clave, std::string columnas, std::string valores) {
    for (const char* q :
         {"CANT_GAS", "CANT_DIE", "C_OTRAS", "CANT_ACEI", "CANT_LLAN", "CANT_PZAS", "CANT_OPER"}) {
      if (columnas.find(q) == std::string::npos) {
        columnas += std::string(", ") + q;
        valores += ", 0";
      }
    }
    Sql("insert into MAQUINA (MAQUINA, VAL_A1, " + columnas + ") values ('" + std::string(clave) +
        "', 1, " + valores + ")");
  }

  Programa p_;
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
