#pragma once
// Everything a host program needs, in one include: the root object Programa
// with its options, the loaded work (sections, budget lines, estimates), the
// catalogue and its breakdowns, the calendar, the report controllers, money
// and dates, and the host services the library calls back.
//
//   #include <promorlaqel/promorlaqel.h>
//
//   pmq::Programa p;
//   p.Ruta = "obra.db";
//   p.ClaveObra = "A7";
//   std::string errores;
//   if (p.CalcularPrograma(errores) == pmq::ResultadoCarga::Correcta) {
//     /* p.Obra->ImporteTotal … */
//     p.ProgramasObraCtrl->Programa = &p;
//     pmq::ResultadoEscritura r =
//         p.ProgramasObraCtrl->Escribe("programa.xlsx", pmq::etpAvanceFinanciero, true, errores);
//   }

#include <promorlaqel/catalogue/concepto.h>
#include <promorlaqel/catalogue/conceptos.h>
#include <promorlaqel/catalogue/costo_horario.h>
#include <promorlaqel/catalogue/costos_horarios.h>
#include <promorlaqel/catalogue/explosion.h>
#include <promorlaqel/catalogue/explosion_presup.h>
#include <promorlaqel/catalogue/item_explosion.h>
#include <promorlaqel/catalogue/listado_explosion.h>
#include <promorlaqel/common/enumeraciones.h>
#include <promorlaqel/common/error_qel.h>
#include <promorlaqel/common/fecha.h>
#include <promorlaqel/common/formato.h>
#include <promorlaqel/common/moneda.h>
#include <promorlaqel/common/redondeo.h>
#include <promorlaqel/common/resultado_escritura.h>
#include <promorlaqel/common/servicios_host.h>
#include <promorlaqel/db/conexion.h>
#include <promorlaqel/estimates/cuerpo_estimacion.h>
#include <promorlaqel/estimates/estimacion.h>
#include <promorlaqel/estimates/estimacion_presup.h>
#include <promorlaqel/estimates/estimaciones.h>
#include <promorlaqel/estimates/estimaciones_presup.h>
#include <promorlaqel/estimates/item_estimacion.h>
#include <promorlaqel/estimates/items_estimacion.h>
#include <promorlaqel/model/cuerpo.h>
#include <promorlaqel/model/obra.h>
#include <promorlaqel/model/partida.h>
#include <promorlaqel/model/partidas.h>
#include <promorlaqel/model/presup.h>
#include <promorlaqel/model/presups.h>
#include <promorlaqel/model/programa.h>
#include <promorlaqel/reports/program/programas_ctrl.h>
#include <promorlaqel/reports/summary/resumenes_ctrl.h>
#include <promorlaqel/schedule/periodo.h>
#include <promorlaqel/schedule/periodo_por_item.h>
#include <promorlaqel/schedule/periodos.h>
#include <promorlaqel/schedule/periodos_por_item.h>
