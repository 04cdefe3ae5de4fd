#include "apoyo/obra_calculada.h"

#include <fmt/format.h>

#include <algorithm>

namespace pmq::prueba {

void HostConProgreso::DoEvents(const Progreso& progreso) {
  HostGrabador::DoEvents(progreso);
  progresos.push_back(fmt::format("{} {}/{}", progreso.que, progreso.registro, progreso.total));
}

void ObraCalculada::Obra(std::string_view obra, std::string_view inicio, std::string_view final_) {
  Escribe();
  base_.Ejecuta(fmt::format(
      "insert into OBRAS (OBRA, NOMBREOBRA, DESC_OBRA, LINHEAD1, LINHEAD2, LINHEAD3, INICIO, "
      "FINAL, VIVIENDA, IVAAPLIC) values ('{0}', 'Obra de prueba', NULL, 'Encabezado 1', "
      "'Encabezado 2', NULL, {1}, {2}, 0, 16); insert into FSR values ('{0}', 3, 2); "
      "insert into FSCD values ('{0}', 5); insert into FACMAQ values "
      "('{0}', 1,1,1,1,1,0.8,1,1,1, 1,1,1,1,1,0.5,1,1,1);",
      obra, inicio, final_));
}

void ObraCalculada::Concepto(std::string_view clave, int tipo, double costo, double fsr,
                             double facconv, std::string_view cmaquina, int tipocmaq) {
  pendiente_ += fmt::format(
      "insert into CONCEPTO (CONCEPTO, UNIDAD, COSTO, FACCONV, FSREAL_MO, NOM_CORTO, CMAQUINA, "
      "TIPOCMAQ, TIPO) values ('{0}', 'u', {1}, {2}, {3}, 'Nombre de {0}', '{4}', {5}, {6});",
      clave, costo, facconv, fsr, cmaquina, tipocmaq, tipo);
}

void ObraCalculada::Matriz(std::string_view matriz, std::string_view concepto,
                           std::string_view cantidad) {
  pendiente_ +=
      fmt::format("insert into MATRICES (MATRIZ, CONCEPTO, CANTIDAD) values ('{}', '{}', {});",
                  matriz, concepto, cantidad);
}

void ObraCalculada::Partida(std::string_view partida, double importe, std::string_view nombre) {
  pendiente_ += fmt::format(
      "insert into PARTIDAS (OBRA, PARTIDA, NOMPARTIDA, IMPORTE) values ('A7', '{}', '{}', {});",
      partida, nombre, importe);
}

void ObraCalculada::Linea(std::string_view partida, std::string_view frente,
                          std::string_view concepto, double cantidad, double punit,
                          std::string_view inicio, std::string_view final_) {
  pendiente_ += fmt::format(
      "insert into PRESUPS (OBRA, PARTIDA, FRENTE, CONCEPTO, CANT_PRES, PUNIT, IMPORTE, ORDEN, "
      "FECHA_INI, FECHA_FIN) values ('A7', '{}', '{}', '{}', {}, {}, 0, {}, '{}', '{}');",
      partida, frente, concepto, cantidad, punit, ++orden_, inicio, final_);
}

void ObraCalculada::Cobro(int numero, std::string_view partida, std::string_view frente,
                          std::string_view concepto, double cantidad, double punit) {
  if (std::find(estimaciones_.begin(), estimaciones_.end(), numero) == estimaciones_.end()) {
    estimaciones_.push_back(numero);
    pendiente_ += fmt::format(
        "insert into EST1 (OBRA, ESTIMACION, DEDUC_EST, AMORT_EST, IVA_AMORT) values "
        "('A7', {}, 0, 0, 0);",
        numero);
  }
  pendiente_ += fmt::format(
      "insert into EST2 (OBRA, ESTIMACION, PARTIDA, FRENTE, CONCEPTO, CANT_EST, PUNIT, IMPORTE, "
      "ORDEN) values ('A7', {}, '{}', '{}', '{}', {}, {}, {}, {});",
      numero, partida, frente, concepto, cantidad, punit, cantidad * punit, ++orden_);
}

void ObraCalculada::Sql(std::string_view sql) {
  Escribe();
  base_.Ejecuta(sql);
}

void ObraCalculada::Escribe() {
  if (pendiente_.empty()) return;
  base_.Ejecuta("begin;" + pendiente_ + "commit;");
  pendiente_.clear();
}

std::unique_ptr<Programa> ObraCalculada::Raiz(std::string_view obra) {
  Escribe();
  auto p = std::make_unique<Programa>();
  p->Ruta = base_.Ruta();
  p->ClaveObra = std::string(obra);
  return p;
}

std::unique_ptr<Programa> ObraCalculada::Calcula(std::unique_ptr<Programa> p,
                                                 ResultadoCarga resultado) {
  errores_.clear();
  EXPECT_EQ(p->CalcularPrograma(errores_), resultado) << errores_;
  p->ProgramasObraCtrl->Programa = p.get();
  p->ResumenesEstCtrl->Programa = p.get();
  return p;
}

std::unique_ptr<Programa> ObraCalculada::Calculada(std::string_view obra,
                                                   ResultadoCarga resultado) {
  return Calcula(Raiz(obra), resultado);
}

int ObraCalculada::Mensajes(std::string_view inicio) const {
  return static_cast<int>(
      std::count_if(host_.mensajes.begin(), host_.mensajes.end(),
                    [&](const auto& m) { return m.texto.rfind(inicio, 0) == 0; }));
}

}  // namespace pmq::prueba
