// The diagnostic listing of a concept's breakdown.

#include "catalogue/listado_explosion.h"
#include "catalogue/concepto.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace pmq {
namespace {

std::vector<std::string> Renglones(const std::string& texto) {
  std::vector<std::string> r;
  std::istringstream in(texto);
  for (std::string l; std::getline(in, l);) r.push_back(l);
  return r;
}

std::string Listado(const Concepto& c) {
  std::ostringstream out;
  EscribeExplosion(c, out);
  return out.str();
}

// A concept of unit "m3" named after its code.
struct ConceptoDe : Concepto {
  ConceptoDe(std::string clave, enumTipoConcepto tipo) {
    Des.Clave = std::move(clave);
    Tipo = tipo;
    Des.Descripcion = "Descripción de " + Des.Clave;
    Des.Unidad = "m3";
  }
};

void Agrega(Explosion& e, Concepto* c, Concepto* origen, double q, double alt, double parcial,
            bool maquina) {
  auto l = std::make_unique<ItemExplosion>();
  l->Concepto = c;
  l->ConceptoOrigen = origen;
  l->Cantidad = q;
  l->CantidadAlt = alt;
  l->Parcial = Moneda::DesdeDouble(parcial);
  l->EsInsumoMaquina = maquina;
  std::string s;
  e.Add(std::move(l), s);
  ASSERT_EQ(s, "");
}

TEST(ListadoExplosion, RowsAreRightAlignedInTheirColumnsAndTotalsCloseTheListing) {
  ConceptoDe p("P-1", enumTipoConcepto::PrecioUnitario);
  ConceptoDe m("M-1", enumTipoConcepto::Material);
  ConceptoDe largo("DIESEL-LARGO", enumTipoConcepto::Material);
  EXPECT_EQ(Listado(p), "P-1 NO TIENE EXPLOSION!!!\n");
  p.Explosion = std::make_unique<Explosion>();
  Explosion& e = *p.Explosion;
  Agrega(e, &m, &p, 2.5, 5, 29.87, false);
  Agrega(e, &largo, &p, 1234567.1234567, 0.0000005, 1234567.891, true);
  e.DestajoUnitario = Moneda::DesdeDouble(1234.5);
  e.TotalMateriales = Moneda::DesdeDouble(1234567.89);
  e.TotalManoDeObra = Moneda::DesdeDouble(31.5);
  e.Total = Moneda::DesdeDouble(-2.5);
  e.TotalDestajos = Moneda::DesdeDouble(12.6);

  const std::vector<std::string> r = Renglones(Listado(p));
  ASSERT_EQ(r.size(), 15u);
  EXPECT_EQ(r[0],
            " Explosión de P-1 Descripción de P-1 Unidad m3 Volumen 0.000000 Destajo $ 1,234.50");
  EXPECT_EQ(r[1], std::string(99, '-'));
  EXPECT_EQ(r[2], " ORIGEN     CONCEPTO    CANTIDAD     CANTIDAD ALT.   PARCIAL");
  EXPECT_EQ(r[2].size(), 60u);
  EXPECT_EQ(r[3], r[1]);
  EXPECT_EQ(r[4], "     P-1      M-1        2.500000        5.000000         $ 29.87");
  // A code wider than its column is written whole; machine inputs end with "*".
  EXPECT_EQ(r[5], "     P-1 DIESEL-LARGO 1,234,567.123457        0.000001  $ 1,234,567.89 *");
  EXPECT_EQ(r[6], r[1]);
  EXPECT_EQ(r[7], " RESUMEN");
  EXPECT_EQ(r[8], "Materiales     :  $ 1,234,567.89");
  EXPECT_EQ(r[9], "ManoDeObra     :         $ 31.50");
  EXPECT_EQ(r[10], "Maquinaria     :          $ 0.00");
  EXPECT_EQ(r[11], "Subcontratos   :          $ 0.00");
  EXPECT_EQ(r[12], "Indirectos     :          $ 0.00");
  EXPECT_EQ(r[13], "CostoDirecto   :         -$ 2.50");
  EXPECT_EQ(r[14], "Destajos       :         $ 12.60");
}

}  // namespace
}  // namespace pmq
