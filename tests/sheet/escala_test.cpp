// A program sheet of the largest size the reports produce: 40,000 rows by
// 1,100 day columns, about a million filled cells and hundreds of thousands of
// merges, written through the same calls the report makes. Checks memory and
// that the file is whole. (Smaller under the sanitizers, which slow it tenfold.)

#include "apoyo/base_prueba.h"
#include "common/host_grabador.h"
#include "sheet/libro_excel.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <memory>
#include <string>

namespace pmq {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int32_t kLineas = 1000;
#else
constexpr int32_t kLineas = 20000;
#endif
constexpr int32_t kDias = 1100;
constexpr int32_t kPrimeraDia = 8;
constexpr int32_t kDiasPorPeriodo = 31;

TEST(EscalaLento, ProgramSheetOfFortyThousandRows) {
  prueba::DirectorioTemporal dir;
  HostGrabador host;
  HostEnUso en_uso(host);
  auto libro = std::make_unique<LibroExcel>();
  ASSERT_TRUE(libro->AbreLibro(dir.Archivo("grande.xlsx")));
  libro->Ws = libro->CreaHoja("Programa Obra", 1);
  HcWorksheet& ws = *libro->Ws;
  HcApplication& app = *libro->ExcelApp;
  const int32_t total = kPrimeraDia + kDias;
  std::string sErrores;
  size_t rellenas = 0;
  int32_t fila = 15;
  for (int32_t linea = 0; linea < kLineas; ++linea, fila += 2) {
    ws.cells(fila, 1).Value(std::to_string(linea + 1) + ")");
    ws.cells(fila, 3).Value("Concepto de obra número " + std::to_string(linea % 977));
    ws.cells(fila, 6).Value(12.5 + linea);
    libro->FormatoSeleccion(fila, 6, fila, 6, "", "#,##0.0000", kAlineaArriba, kAlineaDerecha,
                            false, false, false);
    // The line works on a stretch of about fifty days.
    const int32_t desde = kPrimeraDia + (linea * 37) % (kDias - 60);
    std::string renglon = "=";
    for (int32_t s = kPrimeraDia; s < total; s += kDiasPorPeriodo) {
      const int32_t e = std::min(s + kDiasPorPeriodo - 1, total - 1);
      ws.cells(fila, s).Value(Moneda::DesdeUnidades(1000000 + linea));
      ws.cells(12, s).Value("Mes'2013");
      for (int32_t c = s; c <= e; ++c) {
        ws.cells(13, c).Value(c - s + 1);
        if (c >= desde && c < desde + 50) {
          app.Range(ws.cells(fila - 1, c), ws.cells(fila - 1, c)).Select();
          app.selection().Interior().ColorIndex(1);
          app.selection().Interior().Pattern(kPatronSolido);
          ++rellenas;
        }
      }
      app.Range(ws.cells(fila, s), ws.cells(fila, e)).Select();
      app.selection().MergeCells(true);
      app.Range(ws.cells(12, s), ws.cells(12, e)).Select();
      app.selection().MergeCells(true);
      if (renglon.size() > 1) renglon.push_back('+');
      renglon += LibroExcel::ColTrans(s);
      renglon += std::to_string(fila);
    }
    libro->SetFormula(&ws, fila, total, renglon, sErrores);
  }
  ws.Columns("H:" + LibroExcel::ColTrans(total - 1)).columnwidth(2);
  libro->FormatoSeleccion(1, 3, fila + 10, 3, "", "", kAlineaArriba, kAlineaIzquierda, false, true,
                          false);
  ws.Columns("A:I").entirecolumn().autofit();
  EXPECT_EQ(sErrores, "");
  const size_t merges = ws.Merges().Count();
  const ResultadoEscritura escrito = libro->Guarda();
  EXPECT_TRUE(escrito.escrito) << escrito.motivo;
  libro.reset();
  EXPECT_TRUE(host.mensajes.empty());
  EXPECT_EQ(merges, static_cast<size_t>(kLineas) * 36 + 36);
#if !defined(__SANITIZE_ADDRESS__)
  rusage uso{};
  getrusage(RUSAGE_SELF, &uso);
  EXPECT_GE(fila, 40000);
  EXPECT_GE(rellenas, 1000000u);
  EXPECT_LT(uso.ru_maxrss / 1024, 400);
#endif
}

}  // namespace
}  // namespace pmq
