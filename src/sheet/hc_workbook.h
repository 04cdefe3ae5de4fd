#pragma once
// A workbook: its sheets, its format table, and the path it was saved under.
// `Saveas` writes it at once; `Nombra` only gives it its path (checking that
// the file can be written, without touching it). Closing it, or `Guarda`,
// writes it, with everything put in it since, to that path.

#include "sheet/hc_sheets.h"
#include "sheet/propiedades_libro.h"
#include "sheet/tabla_formatos.h"

#include <string>

namespace pmq {

class HcApplication;

class HcWorkbook {
 public:
  /// A new workbook with one sheet, "Hoja1".
  HcWorkbook(HcApplication& aplicacion, std::string nombre);
  HcWorkbook(const HcWorkbook&) = delete;
  HcWorkbook& operator=(const HcWorkbook&) = delete;

  /// Saves the workbook as an .xlsx file under a path (made absolute) and
  /// remembers the path. Throws ErrorQel 1004 for an empty path, the path of
  /// another open workbook or a file that cannot be written; an existing file
  /// at the path is then left as it was.
  void Saveas(const std::string& ruta);
  /// As Saveas, but the file is not written: a trial write beside it checks
  /// that it can be, and the workbook remembers the path for a later Guarda.
  void Nombra(const std::string& ruta);
  /// The sheets.
  HcSheets& Sheets();
  /// Closes the workbook; when it was saved it is written again first. A failed
  /// write throws ErrorQel 1004 after the workbook is closed.
  void Close();

  /// The path of the last save ("" when never saved).
  const std::string& FullName() const { return ruta_; }
  /// The workbook's name ("Libro1", or the file name once saved).
  const std::string& Name() const { return nombre_; }
  /// The active sheet.
  HcWorksheet* ActiveSheet() const { return sheets_.Activa(); }
  /// The application that holds the workbook.
  HcApplication& Application() const { return *aplicacion_; }

  /// The document properties written with the file (title, subject, author,
  /// company, creation time).
  PropiedadesLibro& Propiedades() { return propiedades_; }
  const PropiedadesLibro& Propiedades() const { return propiedades_; }

  /// The workbook's distinct cell formats.
  TablaFormatos& Formatos() { return formatos_; }
  const TablaFormatos& Formatos() const { return formatos_; }
  /// True until the workbook is closed.
  bool Abierto() const { return abierto_; }
  /// Throws ErrorQel 462 when the workbook was closed or its application quit.
  void Verifica() const;
  /// Writes the workbook to its path, when it has one (the final write).
  void Guarda();
  /// Marks the workbook closed and drops its contents.
  void MarcaCerrado();

 private:
  void Guarda(const std::string& ruta, bool reemplaza);

  HcApplication* aplicacion_;
  std::string nombre_;
  std::string ruta_;
  TablaFormatos formatos_;
  PropiedadesLibro propiedades_;
  HcSheets sheets_;
  bool abierto_ = true;
};

}  // namespace pmq
