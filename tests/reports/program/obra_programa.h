#pragma once
// Program workbook tests: the shared fixture with work A7 and concepts C-1 to
// C-3, the export of the financial program, and two independent views of a
// written workbook: openpyxl's reading of the file, and its cells after
// LibreOffice headless recalculated every formula.

#include "apoyo/obra_calculada.h"
#include "sheet/lector_libro.h"
#include "sheet/libro_excel.h"

#include <nlohmann/json.hpp>

#include <filesystem>

namespace pmq::prueba {

inline std::string Ref(int32_t fila, int32_t columna) {
  return LibroExcel::ColTrans(columna) + std::to_string(fila);
}

/// {"<hoja>": {"<A1>": valor}} after LibreOffice recalculated the workbook.
inline nlohmann::json Recalcula(const std::string& ruta) {
  return Python("apoyo/revisa_presentacion.py",
                Comillas(ruta) + " --recalcula " + Comillas(ruta + ".json") + " >/dev/null 2>&1",
                ruta + ".json");
}

class ObraPrograma : public ObraCalculada {
 protected:
  /// Work A7 from `inicio` to `final_` with the sections `partidas`
  /// ("('01','Nombre',importe),…") and lines `lineas`
  /// ("('01','F1','C-1',cantidad,punit,orden,'inicio','final'),…"), calculated.
  void Obra(const std::string& inicio, const std::string& final_, const std::string& partidas,
            const std::string& lineas) {
    ObraCalculada::Obra("A7", "'" + inicio + "'", "'" + final_ + "'");
    Sql("insert into CONCEPTO (CONCEPTO, UNIDAD, COSTO, NOM_CORTO, NOM_LARGO, TIPO) values "
        "('C-1','m3',100,'Concreto','Concreto f''c=200',1),('C-2','m2',7.77,'Firme','Firme',1),"
        "('C-3','lote',1234.5678,'Limpieza','Limpieza final',1);"
        "insert into PARTIDAS (OBRA, PARTIDA, NOMPARTIDA, IMPORTE) select 'A7', column1, column2, "
        "column3 from (values " +
        partidas +
        ");"
        "insert into PRESUPS (OBRA, PARTIDA, FRENTE, CONCEPTO, CANT_PRES, PUNIT, IMPORTE, ORDEN, "
        "FECHA_INI, FECHA_FIN) select 'A7', column1, column2, column3, column4, column5, 0, "
        "column6, column7, column8 from (values " +
        lineas + ")");
    p_ = Calculada();
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

  std::unique_ptr<Programa> p_;
};

}  // namespace pmq::prueba
