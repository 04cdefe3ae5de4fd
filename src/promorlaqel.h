#pragma once
// Everything a host program needs, in one include: the root object Programa
// with its options, the loaded work (sections, budget lines, estimates), the
// catalogue and its breakdowns, the calendar, the report controllers, money
// and dates, and the host services the library calls back.
//
//   pmq::Programa p;
//   p.Ruta = "obra.db";
//   p.ClaveObra = "A7";
//   std::string errores;
//   if (p.CalcularPrograma(errores) == 1) { /* p.Obra->ImporteTotal … */ }

#include "catalogue/concepto.h"
#include "catalogue/conceptos.h"
#include "catalogue/costo_horario.h"
#include "catalogue/costos_horarios.h"
#include "catalogue/explosion.h"
#include "catalogue/explosion_presup.h"
#include "catalogue/item_explosion.h"
#include "catalogue/listado_explosion.h"
#include "common/enumeraciones.h"
#include "common/error_qel.h"
#include "common/fecha.h"
#include "common/formato.h"
#include "common/host_consola.h"
#include "common/moneda.h"
#include "common/redondeo.h"
#include "common/servicios_host.h"
#include "db/base_nueva.h"
#include "db/conexion.h"
#include "estimates/estimacion.h"
#include "estimates/estimacion_presup.h"
#include "estimates/estimaciones.h"
#include "estimates/estimaciones_presup.h"
#include "estimates/item_estimacion.h"
#include "estimates/items_estimacion.h"
#include "model/cuerpo.h"
#include "model/obra.h"
#include "model/partida.h"
#include "model/partidas.h"
#include "model/presup.h"
#include "model/presups.h"
#include "model/programa.h"
#include "reports/program/programas_ctrl.h"
#include "reports/summary/resumenes_ctrl.h"
#include "schedule/periodo.h"
#include "schedule/periodo_por_item.h"
#include "schedule/periodos.h"
#include "schedule/periodos_por_item.h"
