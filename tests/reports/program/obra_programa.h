#pragma once
// Fixture of the program workbook tests: an SQLite work A7 per test, a
// recording host that answers the file dialog, and two independent views of a
// written workbook: openpyxl's reading of the file, and its cells after
// LibreOffice headless recalculated every formula.

#include "apoyo/base_prueba.h"
#include "common/host_grabador.h"
#include "model/programa.h"
#include "sheet/lector_libro.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <memory>
#include <string>

namespace pmq::prueba {

/// Column letters, computed here on their own: 1 → A, 27 → AA, 703 → AAA.
inline std::string Letras(int32_t c) {
  std::string r;
  for (; c > 0; c = (c - 1) / 26) r.insert(r.begin(), static_cast<char>('A' + (c - 1) % 26));
  return r;
}
inline std::string Ref(int32_t fila, int32_t columna) {
  return Letras(columna) + std::to_string(fila);
}

/// {"<hoja>": {"<A1>": valor}} after LibreOffice recalculated the workbook.
inline nlohmann::json Recalcula(const std::string& ruta) {
  const std::string orden = "/usr/bin/python3 '" PMQ_SOURCE_DIR "/tests/apoyo/recalcula.py' '" +
                            ruta + "' '" + ruta + ".json' >/dev/null 2>&1";
  if (std::system(orden.c_str()) != 0) ADD_FAILURE() << "LibreOffice no recalculó " << ruta;
  return nlohmann::json::parse(LeeArchivo(ruta + ".json"), nullptr, false);
}

class ObraPrograma : public ::testing::Test {
 protected:
  /// Work A7 from `inicio` to `final_`, concepts C-1 to C-3, the sections
  /// `partidas` ("('01','Nombre',importe),…") and the lines `lineas`
  /// ("('01','F1','C-1',cantidad,punit,orden,'inicio','final'),…").
  void Obra(const std::string& inicio, const std::string& final_, const std::string& partidas,
            const std::string& lineas) {
    InsertaObra(base_, "A7", "'" + inicio + "'", "'" + final_ + "'");
    base_.Ejecuta(
        "insert into CONCEPTO (CONCEPTO, UNIDAD, COSTO, NOM_CORTO, NOM_LARGO, TIPO) values "
        "('C-1','m3',100,'Concreto','Concreto f''c=200',1),('C-2','m2',7.77,'Firme','Firme "
        "pulido',1),"
        "('C-3','lote',1234.5678,'Limpieza','Limpieza final',1);"
        "insert into PARTIDAS (OBRA, PARTIDA, NOMPARTIDA, PNOM_LARGO, IMPORTE) select 'A7', p, n, "
        "n, i from "
        "(select null p, null n, null i union all values " +
        partidas +
        ") where p is not null;"
        "insert into PRESUPS (OBRA, PARTIDA, FRENTE, CONCEPTO, CANT_PRES, PUNIT, IMPORTE, ORDEN, "
        "FECHA_INI, "
        "FECHA_FIN) select 'A7', p, f, c, q, u, 0, o, i, t from (select null p, null f, null c, "
        "null q, null u, "
        "null o, null i, null t union all values " +
        lineas + ") where p is not null");
    p_ = std::make_unique<Programa>();
    p_->Ruta = base_.Ruta();
    p_->ClaveObra = "A7";
    std::string s;
    EXPECT_EQ(p_->CalcularPrograma(s), ResultadoCarga::Correcta) << s;
    p_->ProgramasObraCtrl->Programa = p_.get();
  }

  /// Exports the financial program into `archivo` of the test's folder.
  std::string Exporta(const std::string& archivo = "programa.xlsx") {
    const std::string ruta = dir_.Archivo(archivo);
    host_.respuestas_dialogo.push_back({false, ruta});
    std::string s;
    EXPECT_TRUE(p_->ProgramasObraCtrl->AExcel(etpAvanceFinanciero, true, s)) << s;
    EXPECT_EQ(s, "");
    return ruta;
  }

  DirectorioTemporal dir_;
  BaseSqlite base_{dir_.Archivo("obra.db")};
  HostGrabador host_;
  HostEnUso uso_{host_};
  std::unique_ptr<Programa> p_;
};

}  // namespace pmq::prueba
