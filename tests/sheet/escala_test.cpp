// A program sheet of the largest size the reports produce: 40,000 rows by
// 1,100 day columns, about a million filled cells and hundreds of thousands of
// merges, written through the same calls the report makes. Checks memory and
// that the file is whole. (Smaller under the sanitizers, which slow it tenfold.)

#include "apoyo/base_prueba.h"
#include "common/host_grabador.h"
#include "sheet/bitacora_libros.h"
#include "sheet/libro_excel.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <iostream>
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
constexpr int32_t kLineasPorSeccion = 200;

long MemoriaMaximaMb() {
  rusage uso{};
  getrusage(RUSAGE_SELF, &uso);
  return uso.ru_maxrss / 1024;
}

TEST(Escala, ProgramSheetOfFortyThousandRows) {
  prueba::DirectorioTemporal dir;
  HostGrabador host;
  HostEnUso en_uso(host);
  BitacoraLibros::Limpia();
  const std::string ruta = dir.Archivo("grande.xlsx");
  const auto inicio = std::chrono::steady_clock::now();
  auto libro = std::make_unique<LibroExcel>();
  ASSERT_TRUE(libro->AbreLibro(ruta));
  libro->Ws = libro->CreaHoja("Programa Obra", 1);
  HcWorksheet& ws = *libro->Ws;
  HcApplication& app = *libro->ExcelApp;
  const int32_t total = kPrimeraDia + kDias;  // column T
  std::string sErrores;
  size_t rellenas = 0;
  int32_t fila = 15;
  std::string total_general = "=";
  for (int32_t linea = 0; linea < kLineas; ++linea) {
    if (linea % kLineasPorSeccion == 0) {
      ws.cells(fila, 1).Value("S" + std::to_string(linea / kLineasPorSeccion));
      fila += 2;
    }
    ws.cells(fila, 1).Value(std::to_string(linea + 1) + ")");
    ws.cells(fila, 2).Value("C-" + std::to_string(linea % 977));
    ws.cells(fila, 3).Value("Concepto de obra número " + std::to_string(linea % 977));
    ws.cells(fila, 6).Value(12.5 + linea);
    libro->FormatoSeleccion(fila, 6, fila, 6, "", "#,##0.0000", kAlineaArriba, kAlineaDerecha, false, false, false);
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
      renglon += (renglon.size() > 1 ? "+" : "") + LibroExcel::ColTrans(s) + std::to_string(fila);
    }
    libro->SetFormula(&ws, fila, total, renglon, sErrores);
    fila += 2;
    if ((linea + 1) % kLineasPorSeccion == 0) {
      std::string subtotal = "=";
      for (int32_t k = fila - 2 * kLineasPorSeccion; k < fila; k += 2) {
        subtotal += (subtotal.size() > 1 ? "+" : "") + std::string("H") + std::to_string(k);
      }
      libro->SetFormula(&ws, fila - 1, kPrimeraDia, subtotal, sErrores);
      total_general += (total_general.size() > 1 ? "+" : "") + std::string("H") + std::to_string(fila - 1);
      fila += 2;
    }
  }
  libro->SetFormula(&ws, fila + 1, kPrimeraDia, total_general, sErrores);
  ws.Columns("H:" + LibroExcel::ColTrans(total - 1)).columnwidth(2);
  libro->FormatoSeleccion(1, 1, fila + 10, 1, "", "", kAlineaArriba, kAlineaCentro, true, false, false);
  libro->FormatoSeleccion(1, 3, fila + 10, 3, "", "", kAlineaArriba, kAlineaIzquierda, false, true, false);
  for (int32_t f = 1; f <= 10; ++f) libro->FormatoSeleccion(f, 1, f, total, "", "", 0, 0, false, false, true);
  ws.Columns("A:I").entirecolumn().autofit();
  EXPECT_EQ(sErrores, "");
  const auto armado = std::chrono::steady_clock::now();
  const size_t celdas = ws.Celdas().Count();
  const size_t merges = ws.Merges().Count();
  const long memoria_armado = MemoriaMaximaMb();
  libro.reset();  // the export ends: the workbook is written
  const auto escrito = std::chrono::steady_clock::now();
  ASSERT_EQ(BitacoraLibros::Escrituras().size(), 2u);
  EXPECT_TRUE(BitacoraLibros::Escrituras()[1].correcta) << BitacoraLibros::Escrituras()[1].error;
  EXPECT_TRUE(host.mensajes.empty());

  using std::chrono::duration;
  std::cout << "filas " << fila << ", celdas " << celdas << ", rellenas " << rellenas << ", merges " << merges
            << ", armado " << duration<double>(armado - inicio).count() << " s, escritura "
            << duration<double>(escrito - armado).count() << " s, memoria máxima " << MemoriaMaximaMb()
            << " MB (al armar " << memoria_armado << " MB), archivo "
            << std::filesystem::file_size(ruta) / (1024 * 1024) << " MB\n";
  EXPECT_EQ(merges, static_cast<size_t>(kLineas) * 36 + 36 + 10);
#if !defined(__SANITIZE_ADDRESS__)
  EXPECT_GE(fila, 40000);
  EXPECT_GE(rellenas, 1000000u);
  EXPECT_LT(MemoriaMaximaMb(), 400);
#endif
}

}  // namespace
}  // namespace pmq
