// The sheet "Programa Obra" as written to the file, read back by openpyxl and
// recalculated by LibreOffice, against what the loader computed.

#include "apoyo/obra_calculada.h"
#include "cli/ejecucion.h"
#include "model/obra.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"
#include "reports/program/frm_programas_obra.h"
#include "reports/program/programas_ctrl.h"
#include "schedule/fila_programa.h"
#include "schedule/filas_programa.h"
#include "schedule/periodo_por_item.h"
#include "schedule/periodos_por_item.h"
#include "sheet/lector_libro.h"
#include "sheet/libro_excel.h"

#include <nlohmann/json.hpp>

#include <filesystem>

namespace pmq {
namespace {

using nlohmann::json;

const std::string kHoja = "Programa Obra";

std::string Ref(int32_t fila, int32_t columna) {
  return LibroExcel::ColTrans(columna) + std::to_string(fila);
}

/// {"<hoja>": {"<A1>": valor}} after LibreOffice recalculated the workbook.
json Recalcula(const std::string& ruta) {
  return prueba::Python("apoyo/revisa_presentacion.py",
                        prueba::Comillas(ruta) + " --recalcula " +
                            prueba::Comillas(ruta + ".json") + " >/dev/null 2>&1",
                        ruta + ".json");
}

// The shared fixture with work A7 and concepts C-1 to C-3, and the export of
// the financial program.
class ObraPrograma : public prueba::ObraCalculada {
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

// "=" and the cells of columns `cs` on row `n` (of rows `cs` in column `n` when `filas`)
// joined by "+".
std::string Suma(const std::vector<int32_t>& cs, int32_t n, bool filas = false) {
  std::string f = "=";
  for (int32_t c : cs) {
    if (f.size() > 1) f.push_back('+');
    f += filas ? Ref(c, n) : Ref(n, c);
  }
  return f;
}

// Walks the loaded work by the layout (section row, lines two apart below it,
// subtotal under the last line, next section two below, totals three below the
// last subtotal) and checks every amount, formula, sum (as the file caches it,
// and as LibreOffice recalculates it when `recalculado` is given), bar cell and
// merge of the written sheet.
void RevisaPrograma(const Programa& p, const json& libro, const json* recalculado = nullptr) {
  const json& celdas = libro["celdas"];
  auto celda = [&](int32_t f, int32_t c) -> const json& { return celdas[kHoja + "!" + Ref(f, c)]; };
  auto numero = [&](int32_t f, int32_t c) {
    const json& v = recalculado ? (*recalculado)[kHoja][Ref(f, c)] : celda(f, c)["cache"];
    return v.is_number() ? v.get<double>() : celda(f, c)["valor"].get<double>();
  };
  std::set<std::string> rellenas, merges;
  std::vector<int32_t> inicios, subtotales, con_lineas;
  std::vector<double> total(p.Periodos->Count(), 0);
  int32_t fila = 15, T = 0;
  for (const Partida* partida : *p.Obra->Partidas) {
    fila += 2;
    std::vector<int32_t> filas;
    std::vector<double> subtotal(total.size(), 0);
    for (const Presup* l : *partida->Presups) {
      int32_t c = 8;
      inicios.clear();
      for (const PeriodoPorItem* periodo : *l->PeriodosPorItem) {
        inicios.push_back(c);
        const double importe = periodo->Importe.ADouble();
        EXPECT_NEAR(celda(fila, c)["valor"].get<double>(), importe, 1e-9) << Ref(fila, c);
        EXPECT_NEAR(numero(fila, c), importe, 1e-9);
        subtotal[inicios.size() - 1] += importe;
        merges.insert(Ref(fila, c) + ":" + Ref(fila, c + periodo->Dias.Count() - 1));
        merges.insert(Ref(12, c) + ":" + Ref(12, c + periodo->Dias.Count() - 1));
        for (int32_t d = 1; d <= periodo->Dias.Count(); ++d, ++c) {
          if (periodo->Dias.Barra(d)) rellenas.insert(Ref(fila - 1, c));
        }
      }
      T = c;
      EXPECT_EQ(celda(fila, T)["formula"], Suma(inicios, fila));
      EXPECT_EQ(celda(fila, 6)["formato"], "#,##0.0000");
      filas.push_back(fila);
      fila += 2;
    }
    subtotales.push_back(fila - 1);
    EXPECT_EQ(celda(fila - 1, 7)["valor"], "SubTotales");
    // A section without lines keeps only the title on its subtotal row.
    if (filas.empty()) {
      EXPECT_FALSE(celdas.contains(kHoja + "!" + Ref(fila - 1, 8)));
    } else {
      con_lineas.push_back(fila - 1);
    }
    for (size_t k = 0; !filas.empty() && k < inicios.size(); ++k) {
      EXPECT_EQ(celda(fila - 1, inicios[k])["formula"], Suma(filas, inicios[k], true));
      EXPECT_NEAR(numero(fila - 1, inicios[k]), subtotal[k], 1e-6);
      total[k] += subtotal[k];
    }
    fila += 1;
  }
  const int32_t totales = fila + 1;
  double gran_total = 0;
  for (size_t k = 0; k < inicios.size(); ++k) {
    EXPECT_EQ(celda(totales, inicios[k])["formula"], Suma(subtotales, inicios[k], true));
    EXPECT_NEAR(numero(totales, inicios[k]), total[k], 1e-6);
    gran_total += total[k];
    const int32_t fin = k + 1 < inicios.size() ? inicios[k + 1] - 1 : T - 1;
    for (int32_t y : con_lineas) merges.insert(Ref(y, inicios[k]) + ":" + Ref(y, fin));
    merges.insert(Ref(totales, inicios[k]) + ":" + Ref(totales, fin));
  }
  for (int32_t y : con_lineas) EXPECT_EQ(celda(y, T)["formula"], Suma(inicios, y));
  EXPECT_NEAR(numero(totales, T), gran_total, 1e-6);
  EXPECT_NEAR(celda(totales, T)["cache"].get<double>(), gran_total, 1e-6);
  EXPECT_EQ(celda(totales, 7)["valor"], "Totales");
  EXPECT_EQ(celda(13, T)["valor"], "Totales");
  for (int32_t f = 1; f <= 10; ++f) merges.insert(Ref(f, 1) + ":" + Ref(f, T));

  // Foot rows: the period's total, its running sum, and that over the total;
  // the work's totals rows hold the same amounts.
  const int32_t pie = totales + 2;
  const auto& kTotal = p.Obra->FPro->Item("kTotal")->Importes;
  double acumulado = 0;
  for (size_t k = 0; k < inicios.size(); ++k) {
    const int32_t c = inicios[k];
    EXPECT_EQ(celda(pie, c)["formula"], "=" + Ref(totales, c));
    acumulado += total[k];
    EXPECT_NEAR(kTotal[k].ADouble(), total[k], 1e-6);
    EXPECT_NEAR(numero(pie + 1, c), acumulado, 1e-6);
    EXPECT_NEAR(celda(pie + 1, c)["cache"].get<double>(), acumulado, 1e-6);
    EXPECT_NEAR(numero(pie + 2, c), acumulado / gran_total, 1e-12);
    EXPECT_EQ(celda(pie + 2, c)["formato"], "0.00%");
    const int32_t fin = k + 1 < inicios.size() ? inicios[k + 1] - 1 : T - 1;
    for (int32_t f = pie; f <= pie + 2; ++f) merges.insert(Ref(f, c) + ":" + Ref(f, fin));
  }
  EXPECT_NEAR(numero(pie, T), gran_total, 1e-6);
  EXPECT_EQ(celda(pie + 2, 7)["valor"], "% acumulado");

  // The black cells are exactly the worked days, and only those.
  std::set<std::string> vistas;
  for (const auto& [clave, c] : celdas.items()) {
    if (c["relleno"].is_null()) continue;
    EXPECT_EQ(c["relleno"], "solid");
    EXPECT_EQ(c["color"], "FF000000");
    vistas.insert(clave.substr(kHoja.size() + 1));
  }
  EXPECT_EQ(vistas, rellenas);
  const json& m = libro["merges"][kHoja];
  EXPECT_EQ(std::set<std::string>(m.begin(), m.end()), merges);
  // Day columns are two characters wide (the file adds the margins) but the
  // first two, which the final autofit of A:I sizes like the text columns.
  for (int32_t c = 10; c < T; ++c)
    EXPECT_NEAR(libro["anchos"][kHoja][LibroExcel::ColTrans(c)].get<double>(), 2.71, 0.01);
}

class HojaPrograma : public ObraPrograma {
 protected:
  // Twelve lines in two sections: several parts of 30 rows in every kind.
  void ObraLarga() {
    Obra("2013-01-10", "2013-03-20", "('01','Cimentación',0),('02','Acabados',0)",
         "('01','F1','C-1',10,100,1,'2013-01-20','2013-02-10'),('01','F1','C-2',3,7.77,2,"
         "'2013-02-25','2013-03-05'),('01','F2','C-3',1,1234.5678,3,'2013-01-10','2013-01-31'),"
         "('01','F2','C-1',4,100,4,'2013-03-01','2013-03-20'),('01','F3','C-2',8,7.77,5,"
         "'2013-01-10','2013-03-20'),('01','F3','C-1',2,100,6,'2013-02-01','2013-02-28'),"
         "('02','F1','C-1',2.5,100,1,'2013-01-10','2013-03-20'),('02','F1','C-3',1,1234.5678,2,"
         "'2013-03-20','2013-03-20'),('02','F2','C-2',5,7.77,3,'2013-02-10','2013-02-20'),"
         "('02','F2','C-1',1,100,4,'2013-01-15','2013-01-25'),('02','F3','C-3',2,1234.5678,5,"
         "'2013-02-01','2013-03-10'),('02','F3','C-2',9,7.77,6,'2013-01-10','2013-01-20')");
  }
};
class HojaProgramaLento : public HojaPrograma {};

TEST_F(HojaPrograma, ThreeMonthsWithSectionsAndLinesSpanningMonths) {
  Obra("2013-01-10", "2013-03-20",
       "('01','Cimentación',1023.31),('02','Acabados',1484.57),('03','Vacía',0)",
       "('01','F1','C-1',10,100,1,'2013-01-20','2013-02-10'),('01','F1','C-2',3,7.77,2,'2013-02-25'"
       ",'2013-03-05'),"
       "('02','F2','C-1',2.5,100,1,'2013-01-10','2013-03-20'),('02','F2','C-3',1,1234.5678,2,'2013-"
       "03-20',"
       "'2013-03-20')");
  p_->Empresa = "Constructora Prueba";
  const std::string ruta = Exporta();
  EXPECT_TRUE(host_.mensajes.empty());
  const json libro = prueba::LeeLibro(ruta);
  ASSERT_TRUE(libro.is_object());
  EXPECT_EQ(libro["hojas"], json::array({kHoja, "Curva S"}));
  RevisaPrograma(*p_, libro);

  const json& c = libro["celdas"];
  auto valor = [&](const std::string& ref) { return c[kHoja + "!" + ref]["valor"]; };
  EXPECT_EQ(valor("A10"),
            "INICIO : 10/ene/2013" + std::string(50, ' ') + "TERMINACION : 20/mar/2013");
  // Line numbers keep counting across sections; a line idle in January still
  // gets its January amount (no bar there).
  const json celdas = json::parse(R"j({"A1": "Constructora Prueba",
      "A4": "PROGRAMA DE MONTOS MENSUALES", "H12": "Enero'2013", "BO12": "Marzo'2013", "AL13": 31,
      "AM13": 1, "A15": "01", "A24": "3)", "C17": "Concreto f'c=200", "G17": "97.722", "H19": 0})j");
  for (const auto& [ref, esperado] : celdas.items()) EXPECT_EQ(valor(ref), esperado) << ref;
}

TEST_F(HojaProgramaLento, AWorkLongerThanTwentyThreeMonthsRunsPastColumnZZ) {
  Obra("2013-01-01", "2014-12-31", "('01','Obra negra',73093.24)",
       "('01','F1','C-1',730,100,1,'2013-01-01','2014-12-31'),('01','F1','C-2',12,7.77,2,'2014-11-"
       "20','2014-12-31')");
  ASSERT_EQ(p_->Periodos->Count(), 24);
  const std::string ruta = Exporta();
  const json libro = prueba::LeeLibro(ruta);
  const json rec = Recalcula(ruta);
  ASSERT_TRUE(libro.is_object() && rec.is_object());
  RevisaPrograma(*p_, libro, &rec);
  // 730 day columns from H: the last is ABI, the totals go in ABJ.
  const json& c = libro["celdas"];
  EXPECT_EQ(c[kHoja + "!ABJ13"]["valor"], "Totales");
  EXPECT_EQ(c[kHoja + "!AAE12"]["valor"], "Diciembre'2014");
  EXPECT_NE(c[kHoja + "!ABJ17"]["formula"].get<std::string>().find("+XV17+ZA17+AAE17"),
            std::string::npos);
}

// A resource program has one column per period, headed with the calendar's
// names: nothing merged but the header block, each input's values in the
// periods its line is worked in (the bar cells above the line) adding up to
// its total, each section's subtotal a SUM over its rows.
TEST_F(HojaPrograma, ResourceProgramsHaveOneColumnPerPeriod) {
  ObraLarga();
  const std::string ruta = dir_.Archivo("materiales.xlsx");
  ASSERT_TRUE(p_->ProgramasObraCtrl->Escribe(ruta, etpPorConceptosMateriales, true).escrito);
  const json libro = prueba::LeeLibro(ruta);
  auto celda = [&](int32_t f, int32_t col) {
    return libro["celdas"].value(kHoja + "!" + Ref(f, col), json::object());
  };
  const std::vector<std::string> titulos = {"Enero'2013", "Febrero'2013", "Marzo'2013", "Totales"};
  std::set<std::string> merges;
  for (int32_t k = 0; k < 4; ++k) EXPECT_EQ(celda(13, 8 + k)["valor"], titulos[k]);
  for (int32_t f = 1; f <= 10; ++f) merges.insert(Ref(f, 1) + ":" + Ref(f, 11));
  const json& m = libro["merges"][kHoja];
  EXPECT_EQ(std::set<std::string>(m.begin(), m.end()), merges);
  int32_t items = 0, desde = 0;
  std::set<int32_t> barra, con_valor;
  double subtotal = 0, suma = 0;
  for (int32_t f = 15; f < 100; ++f, con_valor.clear(), suma = 0) {
    const bool linea = celda(f, 1)["valor"].is_string();  // or a section's heading
    if (linea) barra.clear();
    for (int32_t col = 8; col <= 11; ++col) {
      if (linea && celda(f - 1, col)["relleno"] == "solid") barra.insert(col);
      if (!celda(f, col)["valor"].is_number()) continue;
      con_valor.insert(col);
      suma += celda(f, col)["valor"].get<double>();
    }
    if (!linea && celda(f, 2)["valor"].is_string()) {  // a row item
      ++items;
      desde = desde == 0 ? f : desde;
      EXPECT_EQ(con_valor, barra) << f;
      EXPECT_NEAR(suma, celda(f, 6)["valor"].get<double>(), 1e-9) << f;
      subtotal += celda(f, 8)["valor"].is_number() ? celda(f, 8)["valor"].get<double>() : 0;
    } else if (celda(f, 7)["valor"] == "SubTotales") {
      EXPECT_EQ(celda(f, 8)["formula"], "=SUM(" + Ref(desde, 8) + ":" + Ref(f - 1, 8) + ")");
      EXPECT_NEAR(celda(f, 8)["cache"].get<double>(), subtotal, 1e-6);
      desde = 0;
      subtotal = 0;
    }
  }
  EXPECT_EQ(items, 12);
}

// A program longer than a sheet goes on in continuation sheets: each part
// keeps the header and fits the row limit, and the foot rows of the last part
// add up every part: the same figures as the program on one sheet (as cached,
// and as LibreOffice recalculates when asked).
void RevisaPartes(Programa& p, const std::string& dir, bool recalcula) {
  constexpr int32_t kFilas = 30;
  ProgramasCtrl& ctrl = *p.ProgramasObraCtrl;
  // The cells of the row "Total del periodo" and the two below it on the
  // last sheet of the program, in column order.
  struct Pie {
    std::vector<std::string> hojas;
    std::vector<std::vector<double>> filas;
  };
  auto escribe = [&](enumTipoProgramaMensual tipo, int32_t filas) {
    ctrl.FilasPorHoja = filas;
    const std::string ruta = dir + "/partes" + std::to_string(filas) + ".xlsx";
    std::string s;
    EXPECT_TRUE(ctrl.Escribe(ruta, tipo, true, s).escrito) << s;
    const json libro = prueba::LeeLibro(ruta);
    const json rec = recalcula ? Recalcula(ruta) : json();
    Pie pie;
    for (const auto& h : libro["hojas"]) {
      if (h.get<std::string>().rfind(kHoja, 0) == 0) pie.hojas.push_back(h);
    }
    const json& c = libro["celdas"];
    int32_t fila = 0;
    for (const std::string& parte : pie.hojas) {
      EXPECT_EQ(c[parte + "!A4"]["valor"], ProgramasCtrl::TituloPrograma(tipo));
      for (const auto& [clave, celda] : c.items()) {
        if (clave.rfind(parte + "!", 0) != 0) continue;
        const int32_t f = std::stoi(clave.substr(clave.find_first_of("0123456789", parte.size())));
        EXPECT_LE(f, filas) << clave;
        if (parte == pie.hojas.back() && celda["valor"] == "Total del periodo") fila = f;
      }
    }
    EXPECT_GT(fila, 0);
    for (int32_t f = fila; fila > 0 && f <= fila + 2; ++f) {
      std::vector<double> valores;
      for (int32_t col = 8; col < 16384; ++col) {
        const std::string ref = Ref(f, col);
        if (!c.contains(pie.hojas.back() + "!" + ref)) continue;
        const json& cache = c[pie.hojas.back() + "!" + ref]["cache"];
        if (!cache.is_number()) continue;
        valores.push_back(recalcula ? rec[pie.hojas.back()][ref].get<double>()
                                    : cache.get<double>());
        if (recalcula) {
          EXPECT_NEAR(valores.back(), cache.get<double>(), 1e-9) << ref;
        }
      }
      pie.filas.push_back(valores);
    }
    return pie;
  };
  // Without LibreOffice, the resource layout (the one that overflows) only.
  const std::vector<enumTipoProgramaMensual> tipos =
      recalcula ? std::vector{etpAvanceFinanciero, etpAvanceFisico, etpPorConceptosMateriales}
                : std::vector{etpPorConceptosMateriales};
  for (const enumTipoProgramaMensual tipo : tipos) {
    SCOPED_TRACE(tipo);
    const Pie una = escribe(tipo, 1'048'576);
    const Pie partes = escribe(tipo, kFilas);
    EXPECT_EQ(una.hojas, std::vector<std::string>{kHoja});
    ASSERT_GE(partes.hojas.size(), 3u);
    EXPECT_EQ(partes.hojas[1], kHoja + " (02)");
    ASSERT_EQ(partes.filas.size(), 3u);
    ASSERT_EQ(una.filas.size(), 3u);
    for (size_t f = 0; f < 3; ++f) {
      ASSERT_EQ(partes.filas[f].size(), una.filas[f].size());
      ASSERT_GT(una.filas[f].size(), 1u);
      for (size_t k = 0; k < una.filas[f].size(); ++k)
        EXPECT_NEAR(partes.filas[f][k], una.filas[f][k], 1e-9) << f << " " << k;
    }
  }
}

TEST_F(HojaPrograma, ALongProgramGoesOnInContinuationSheets) {
  ObraLarga();
  RevisaPartes(*p_, dir_.Archivo(""), false);
}

TEST_F(HojaProgramaLento, ContinuationSheetsRecalculateToTheSameFoot) {
  ObraLarga();
  RevisaPartes(*p_, dir_.Archivo(""), true);
}

// The options form as a host sees and drives it, and the outcomes of an export.

class FormaProgramas : public ObraPrograma {
 protected:
  void SetUp() override {
    Obra("2013-03-15", "2013-05-10", "('01','Preliminares',1000)",
         "('01','F1','C-1',10,100,1,'2013-03-20','2013-04-19')");
  }

  /// Plays the user of the next form shown: notes what it shows, then does `accion`.
  void Usuario(std::function<void(frmProgramasObra&)> accion) {
    host_.manejador_forma = [this, accion](Forma& f) {
      auto& forma = dynamic_cast<frmProgramasObra&>(f);
      visto_ = forma;
      accion(forma);
      cerrada_ = !forma.Visible();
    };
  }

  std::string Mensaje(size_t i) const {
    const auto& m = host_.mensajes.at(i);
    return "[" + m.titulo + "/" + std::to_string(m.estilo) + "] " + m.texto;
  }

  frmProgramasObra visto_;
  bool cerrada_ = false;
};

TEST_F(FormaProgramas, EveryKindIsWrittenAndTheFormCloses) {
  for (const int32_t tipo : {0, 2, 3, 4}) {
    const json hojas =
        tipo == 0 ? json::array({"Programa Obra"}) : json::array({"Programa Obra", "Consolidado"});
    host_.mensajes.clear();
    const std::string ruta = dir_.Archivo("tipo" + std::to_string(tipo) + ".xlsx");
    host_.respuestas_dialogo.push_back({false, ruta});
    Usuario([tipo = tipo](frmProgramasObra& f) {
      f.comTipoPrograma.Selecciona(tipo);
      f.opCantidades_Click();
      f.cmdAExcel_Click();
    });
    p_->ProgramasObraCtrl->Inicia();
    EXPECT_TRUE(cerrada_);
    EXPECT_TRUE(host_.mensajes.empty());
    EXPECT_TRUE(p_->ProgramasObraCtrl->Forma->ResultadoAExcel);
    const auto libro = prueba::LeeLibro(ruta);
    EXPECT_EQ(libro["hojas"], hojas);
    EXPECT_EQ(libro["celdas"]["Programa Obra!A4"]["valor"],
              std::string(ProgramasCtrl::TituloPrograma(tipo)));
  }
  // Opened again, it shows the financial program and "Importes" again.
  Usuario([](frmProgramasObra& f) { f.cmdCerrar_Click(); });
  p_->ProgramasObraCtrl->Inicia();
  EXPECT_EQ(visto_.comTipoPrograma.Text, "Programa Mensual de Avance Financiero");
  EXPECT_TRUE(visto_.opImportes && cerrada_);
}

TEST_F(FormaProgramas, ACancelledNonXlsxOrUnwritableFileNameStopsTheExport) {
  for (const RespuestaDialogo& r :
       std::vector<RespuestaDialogo>{{true, ""},
                                     {false, dir_.Archivo("viejo.xls")},
                                     {false, dir_.Archivo("no/hay/programa.xlsx")}}) {
    host_.mensajes.clear();
    host_.respuestas_dialogo.push_back(r);
    EXPECT_FALSE(p_->ProgramasObraCtrl->AExcel(etpAvanceFinanciero, true));
    ASSERT_EQ(host_.mensajes.size(), 1u) << r.ruta;
    EXPECT_EQ(Mensaje(0), "[MorlaQel/16] El Libro de Microsoft Excel no se pudo abrir");
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.Archivo("viejo.xls")));
}

// `promorlaqel programa`: exit statuses, messages and the workbook written.

using ComandoPrograma = FormaProgramas;

TEST_F(ComandoPrograma, ExitsZeroOnlyWhenTheProgramWasWritten) {
  const std::string ruta = dir_.Archivo("programa.xlsx");
  auto e = prueba::EjecutaObra(dir_, "programa", base_.Ruta(), {"--salida", ruta, "--cantidades"});
  EXPECT_EQ(e.salida, 0) << e.err;
  EXPECT_EQ(e.err + e.out, "");
  const auto c = prueba::LeeLibro(ruta)["celdas"];
  EXPECT_EQ(c["Programa Obra!CV17"]["formula"], "=H17+AM17+BQ17");
  EXPECT_GT(c["Programa Obra!CV17"]["cache"].get<double>(),
            c["Programa Obra!H17"]["valor"].get<double>());

  // A write that fails (the disk full: files limited to a few kilobytes,
  // whether at the trial write or at the final one) leaves the good workbook
  // as it was and no temporary.
  const std::string bueno = prueba::LeeArchivo(ruta);
  e = prueba::EjecutaObra(dir_, "programa", base_.Ruta(), {"--salida", ruta}, "A7",
                          "trap '' XFSZ; ulimit -f 7;");
  EXPECT_EQ(e.salida, 1);
  EXPECT_NE(e.err.find("No se pudo guardar el libro '" + ruta + "'"), std::string::npos) << e.err;
  EXPECT_EQ(e.err.find("[ERROR]"), std::string::npos) << e.err;  // libxlsxwriter's lines are ours
  EXPECT_EQ(prueba::LeeArchivo(ruta), bueno);
  for (const auto& f : std::filesystem::directory_iterator(dir_.Ruta()))
    EXPECT_NE(f.path().filename().string().rfind(".programa.xlsx.", 0), 0u) << f.path();
  e = prueba::EjecutaObra(dir_, "programa", dir_.Archivo("no.db"),
                          {"--salida", dir_.Archivo("x.xlsx")});
  EXPECT_EQ(e.salida, 1);
  EXPECT_FALSE(std::filesystem::exists(dir_.Archivo("x.xlsx")));
}

}  // namespace
}  // namespace pmq
