#include "common/coleccion.h"
#include "common/coleccion_cargada.h"
#include "common/error_qel.h"
#include "common/fecha.h"
#include "common/host_grabador.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace pmq {
namespace {

struct Dueno {
  std::string clave;
};
struct Elemento {
  std::string clave;
};
// A loaded collection keyed by owner and item, loaded from a list of codes.
class Elementos : public ColeccionCargada<Elemento, Dueno> {
 public:
  explicit Elementos(Dueno* d) : ColeccionCargada(d, "Elementos") {}
  bool Carga(const std::vector<std::string>& claves, std::string& s) {
    int64_t fila = 0;
    auto lee = [&](int64_t i) {
      auto e = std::make_unique<Elemento>();
      e->clave = claves[static_cast<size_t>(i - 1)];
      return e;
    };
    return CargaFilas(fila, static_cast<int64_t>(claves.size()), "Elementos", s, lee,
                      [](Elemento&) { return true; });
  }

 private:
  std::string Clave(const Elemento& e) const override {
    return "k" + Propietario()->clave + e.clave;
  }
};

TEST(ColeccionCargada, DuplicateKeyLeftOutAndReportedKeysIgnoreCaseOneBased) {
  Dueno d{"A7"};
  Elementos c(&d);
  std::string s;
  EXPECT_TRUE(c.Carga({"uno", "dos", "UNO", "tres"}, s));
  EXPECT_EQ(s, TextoExcepcion("ProMorlaQel", "Elementos", "AddByObject", 457,
                              DescripcionError(errores::kClaveDuplicada)));
  ASSERT_EQ(c.Count(), 3);
  EXPECT_EQ(c.Item(1)->clave, "uno");
  EXPECT_EQ(c.Item(3)->clave, "tres");
  EXPECT_EQ(c.Item(0), nullptr);
  EXPECT_EQ(c.Item(4), nullptr);
  EXPECT_EQ(c.Item("KA7DOS"), c.Item(2));
  EXPECT_EQ(c.Item("kA7UNO")->clave, "uno");
}

TEST(Fecha, SerialsCountFrom30December1899AndLeapYearsCount) {
  EXPECT_TRUE(Fecha().EsNula());
  EXPECT_EQ(Fecha::DesdeYmd(1899, 12, 30).Serial(), 0);
  EXPECT_EQ(Fecha::DesdeYmd(1900, 1, 1).Serial(), 2);
  EXPECT_EQ(Fecha::DesdeYmd(2013, 3, 15).Serial(), 41348);
  EXPECT_EQ(Fecha::DesdeSerial(41348).Iso(), "2013-03-15");
  EXPECT_EQ(Fecha().Iso(), "1899-12-30");
  // Differences and months across leap years.
  EXPECT_EQ(Fecha::DesdeYmd(2013, 3, 31) - Fecha::DesdeYmd(2013, 1, 1) + 1, 90);
  EXPECT_EQ(Fecha::DesdeYmd(2012, 3, 1) - Fecha::DesdeYmd(2012, 2, 1), 29);
  EXPECT_EQ(Fecha::DesdeYmd(2000, 3, 1) - Fecha::DesdeYmd(2000, 2, 1), 29);
  EXPECT_EQ(Fecha::DesdeYmd(1900, 3, 1) - Fecha::DesdeYmd(1900, 2, 1), 28);
  EXPECT_EQ(Fecha::DesdeYmd(2024, 2, 10).UltimoDeMes().Iso(), "2024-02-29");
  EXPECT_EQ(Fecha::DesdeYmd(2023, 2, 10).UltimoDeMes().Iso(), "2023-02-28");
  EXPECT_EQ(Fecha::DesdeYmd(2013, 12, 15).PrimeroDeMes().Iso(), "2013-12-01");
  EXPECT_EQ((Fecha::DesdeYmd(2013, 12, 31) + 1).Iso(), "2014-01-01");
  EXPECT_THROW(Fecha::DesdeYmd(2013, 2, 29), ErrorQel);
  EXPECT_THROW(Fecha::DesdeYmd(2100, 2, 29), ErrorQel);  // centuries leap only by 400
}

TEST(Fecha, IsoTextWithOptionalTime) {
  EXPECT_EQ(Fecha::DesdeIso("2013-03-15").Iso(), "2013-03-15");
  EXPECT_EQ(Fecha::DesdeIso("2013-03-15 00:00:00").Iso(), "2013-03-15");
  EXPECT_EQ(Fecha::DesdeIso("2013-03-15T10:00").Iso(), "2013-03-15");
  for (const char* malo : {"15/03/2013", "2013-3-15", "2013-02-30", "", "2013-03-15x"}) {
    try {
      Fecha::DesdeIso(malo);
      ADD_FAILURE() << malo;
    } catch (const ErrorQel& e) {
      EXPECT_EQ(e.Numero(), 13) << malo;
    }
  }
}

struct Cosa {
  explicit Cosa(int v) : valor(v) {}
  int valor;
};

TEST(Coleccion, AccentedKeysIgnoreCaseAndADuplicateKeyChangesNothing) {
  Coleccion<Cosa> c;
  c.Add(std::make_unique<Cosa>(1), "kM-1");
  c.Add(std::make_unique<Cosa>(2));
  c.Add(std::make_unique<Cosa>(3), "kÁrbol");
  EXPECT_EQ(c.Item("KÁRBOL")->valor, 3);  // case ignored beyond ASCII too
  EXPECT_EQ(c.Item("kárbol")->valor, 3);
  EXPECT_EQ(c.Item("nada"), nullptr);
  int suma = 0;
  for (Cosa* x : c) suma += x->valor;
  EXPECT_EQ(suma, 6);
  // A duplicate key is error 457 and leaves the collection unchanged.
  try {
    c.Add(std::make_unique<Cosa>(2), "KM-1");
    ADD_FAILURE();
  } catch (const ErrorQel& e) {
    EXPECT_EQ(e.Numero(), 457);
    EXPECT_EQ(e.Descripcion(), "Esta clave ya está asociada con un elemento de esta colección");
  }
  EXPECT_EQ(c.Count(), 3);
  EXPECT_EQ(c.Item("km-1")->valor, 1);
  // Items without a key before the first key, and enough keys to regrow the
  // index; keys that begin alike stay apart.
  Coleccion<Cosa> m;
  m.Add(std::make_unique<Cosa>(0));
  for (int i = 1; i <= 300; ++i) m.Add(std::make_unique<Cosa>(i), "k" + std::to_string(i));
  m.Add(std::make_unique<Cosa>(-1));
  for (int i = 1; i <= 300; ++i) {
    ASSERT_EQ(m.Item("K" + std::to_string(i)), m.Item(int64_t{i} + 1)) << i;
  }
  EXPECT_EQ(m.Item("k0"), nullptr);
  EXPECT_EQ(m.Item("k3000"), nullptr);
  EXPECT_EQ(m.Item(302)->valor, -1);
  // A reference collection shares items owned elsewhere.
  ColeccionRef<Cosa> r;
  r.Add(c.Item(1));
  EXPECT_EQ(r.Item(1), c.Item(1));
}

TEST(ErrorConvention, MessagesAppendWithClassOperationNumberAndDescription) {
  std::string s = "antes\n";
  try {
    throw ErrorQel(errores::kNull);
  } catch (...) {
    AnotaExcepcion(s, "Partidas", "Carga");
  }
  EXPECT_EQ(s,
            "antes\nProMorlaQel.Partidas.Carga() arrojó la excepción # 94 Uso no válido de Null\n");
  std::string t;
  try {
    throw std::overflow_error("x");
  } catch (...) {
    AnotaExcepcionConPrefijo(t, "ProMorlaControl", "Explosion", "ImportaResumen");
  }
  EXPECT_EQ(t,
            "ProMorlaControl.Explosion.ImportaResumen() arrojó la excepción # 6 Desbordamiento\n");
}

TEST(Host, LoadersYieldOnRecordsThatAreNotMultiplesOfTen) {
  HostGrabador grabador;
  HostEnUso uso(grabador);
  for (int i = 1; i <= 25; ++i) CedeAlHost("Conceptos", i, 25);
  EXPECT_EQ(grabador.cesiones, 23);
  EXPECT_EQ(grabador.ultimo_progreso_que, "Conceptos");
  EXPECT_EQ(grabador.ultimo_progreso_registro, 25);
  MsgBox("hola");
  ASSERT_EQ(grabador.mensajes.size(), 1u);
  EXPECT_EQ(grabador.mensajes[0].titulo, "ProMorlaQel");
}

}  // namespace
}  // namespace pmq
