#pragma once
// Fixture of the program workbook tests: an SQLite work built per test, a
// recording host that answers the file dialog, and the two independent views
// of a written workbook: openpyxl's reading of the file as written, and the
// cells after LibreOffice headless has recalculated every formula.

#include "apoyo/base_prueba.h"
#include "common/host_grabador.h"
#include "model/programa.h"
#include "sheet/lector_libro.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace pmq::prueba {

/// Column letters, computed here on their own: 1 → A, 27 → AA, 703 → AAA.
inline std::string Letras(int32_t columna) {
  std::string r;
  for (; columna > 0; columna = (columna - 1) / 26) r.insert(r.begin(), static_cast<char>('A' + (columna - 1) % 26));
  return r;
}

/// "A1"-style reference of a cell.
inline std::string Ref(int32_t fila, int32_t columna) { return Letras(columna) + std::to_string(fila); }

/// The cells of every sheet after LibreOffice recalculated the workbook
/// (tests/apoyo/recalcula.py): {"<hoja>": {"<A1>": valor}}.
inline nlohmann::json Recalcula(const std::string& ruta) {
  const std::string python = std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
  const std::string salida = ruta + ".recalculado.json";
  const std::string orden =
      python + " '" PMQ_SOURCE_DIR "/tests/apoyo/recalcula.py' '" + ruta + "' '" + salida + "' >/dev/null 2>&1";
  if (std::system(orden.c_str()) != 0) {
    ADD_FAILURE() << "LibreOffice no recalculó " << ruta;
    return {};
  }
  return nlohmann::json::parse(LeeArchivo(salida));
}

class ObraPrograma : public ::testing::Test {
 protected:
  void SetUp() override { base_ = std::make_unique<BaseSqlite>(dir_.Archivo("obra.db")); }

  /// The work A7 from `inicio` to `final_` (ISO dates), with concepts C-1 to C-3.
  void Obra(std::string_view inicio, std::string_view final_) {
    InsertaObra(*base_, "A7", "'" + std::string(inicio) + "'", "'" + std::string(final_) + "'");
    base_->Ejecuta(
        "insert into CONCEPTO (CONCEPTO, UNIDAD, COSTO, NOM_CORTO, NOM_LARGO, TIPO) values "
        "('C-1','m3',100,'Concreto','Concreto f''c=200',1),('C-2','m2',7.77,'Firme','Firme pulido',1),"
        "('C-3','lote',1234.5678,'Limpieza','Limpieza final',1)");
  }

  /// A section of A7 with its stored amount.
  void Seccion(std::string_view clave, std::string_view nombre, double importe) {
    base_->Ejecuta("insert into PARTIDAS (OBRA, PARTIDA, NOMPARTIDA, PNOM_LARGO, IMPORTE) values ('A7', '" +
                   std::string(clave) + "', '" + std::string(nombre) + "', '" + std::string(nombre) + "', " +
                   std::to_string(importe) + ")");
  }

  /// A budget line of a section of A7.
  void Linea(std::string_view seccion, std::string_view frente, std::string_view concepto, double cantidad,
             double punit, int orden, std::string_view inicio, std::string_view final_) {
    base_->Ejecuta(
        "insert into PRESUPS (OBRA, PARTIDA, FRENTE, CONCEPTO, CANT_PRES, PUNIT, IMPORTE, ORDEN, FECHA_INI, "
        "FECHA_FIN) values ('A7', '" + std::string(seccion) + "', '" + std::string(frente) + "', '" +
        std::string(concepto) + "', " + std::to_string(cantidad) + ", " + std::to_string(punit) + ", 0, " +
        std::to_string(orden) + ", '" + std::string(inicio) + "', '" + std::string(final_) + "')");
  }

  /// A root that has calculated A7.
  std::unique_ptr<Programa> Calcula() {
    auto p = std::make_unique<Programa>();
    p->Ruta = base_->Ruta();
    p->ClaveObra = "A7";
    std::string s;
    EXPECT_EQ(p->CalcularPrograma(s), 1) << s;
    EXPECT_EQ(s, "");
    p->ProgramasObraCtrl->Programa = p.get();
    return p;
  }

  /// Exports the financial program of a calculated root into `archivo` of the
  /// test's directory; returns the path.
  std::string Exporta(Programa& p, std::string_view archivo = "programa.xlsx") {
    const std::string ruta = dir_.Archivo(archivo);
    host_.respuestas_dialogo.push_back({false, ruta});
    std::string s;
    EXPECT_TRUE(p.ProgramasObraCtrl->AExcel(etpAvanceFinanciero, true, s)) << s;
    EXPECT_EQ(s, "");
    return ruta;
  }

  DirectorioTemporal dir_;
  std::unique_ptr<BaseSqlite> base_;
  HostGrabador host_;
  HostEnUso uso_{host_};
};

}  // namespace pmq::prueba
