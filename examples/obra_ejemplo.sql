-- Sample project database of ProMorlaQel (Mexican construction, 2013 prices in pesos).
--
-- Only rows: the tables come from src/db/esquema.sql, which must run first.
-- Codes are text, dates are ISO text 'YYYY-MM-DD', money is in pesos without IVA.
--
-- Two works:
--   A7      the work of the documented walk-through: 15 Mar 2013 to 10 May 2013,
--           section 01 with one line of concept C-100 (work front A) from
--           20 Mar to 19 Apr 2013 (12 days in March, 19 in April, none in May)
--           and one estimate billing 70 of its 180 m2.
--   CASA01  a two-storey house, 4 Feb 2013 to 27 Sep 2013: six sections, work
--           fronts GEN (general), PB (ground floor) and PA (upper floor), four
--           progress estimates up to 31 Aug 2013. Never billed: the dewatering
--           (P-0105, not needed) and the September lines (aluminium windows SUB-ALU,
--           paint P-0603, final cleaning II-LIM); partly billed: upper-floor
--           plaster, floor tiles and wall tiles and the site cleaning P-0106,
--           which runs the whole work and is billed in all four estimates.
--           Estimate 4 bills the exterior render P-0402 at a price escalated
--           by 4.5 %. Additive volumes on P-0103, P-0205 and ground-floor
--           P-0401; deductive volumes on P-0201, upper-floor P-0503 and P-0603.
--
-- Unit prices (PUNIT) are the direct cost of each analysis times 1.2777
-- (field and office overhead 15 %, financing 1 %, profit 10 %).
-- Every line amount is round(PUNIT * CANT_PRES, 2); every section amount is the
-- sum of its lines; every estimate line amount is round(PUNIT * CANT_EST, 2).


-- =====================================================================
-- Works, their factors (real-wage extras, waste) and machine factors
-- =====================================================================

INSERT INTO OBRAS (OBRA, NOMBREOBRA, DESC_OBRA, LINHEAD1, LINHEAD2, LINHEAD3, INICIO, FINAL, VIVIENDA, IVAAPLIC) VALUES
  ('A7', 'Firme del patio de maniobras, bodega A7',
   'Construcción del firme de concreto del patio de maniobras de la bodega A7, Parque Industrial El Marqués, Querétaro, Qro.',
   'Constructora del Centro Ejemplo, S.A. de C.V.', 'Departamento de Costos y Presupuestos', 'Querétaro, Qro.',
   '2013-03-15', '2013-05-10', 0, 16),
  ('CASA01', 'Casa habitación de dos niveles',
   'Construcción de casa habitación de dos niveles de 165 m2 en el lote 14, manzana 3, Fraccionamiento Los Arcos, Querétaro, Qro.',
   'Constructora del Centro Ejemplo, S.A. de C.V.', 'Departamento de Costos y Presupuestos', 'Querétaro, Qro.',
   '2013-02-04', '2013-09-27', 1, 16);

-- Intermediate supervision (FACTMI) and minor tools (FACTHMT), percent of labour.
INSERT INTO FSR (OBRA, FACTMI, FACTHMT) VALUES
  ('A7', 3, 2),
  ('CASA01', 3, 2);

-- Waste of materials, percent.
INSERT INTO FSCD (OBRA, DESPMAT) VALUES
  ('A7', 5),
  ('CASA01', 4);

-- Machine factors: F_xxx apply to standby hours (Espera), F_xxxE to reserve
-- hours (Reserva); active hours always use 1. Dep depreciation, Inv investment,
-- Seg insurance, Man maintenance, Ope operation, Com fuel, Lub lubricants,
-- Lla tyres, Otr other consumptions and spare parts.
INSERT INTO FACMAQ (OBRA,
  F_DEP, F_INV, F_SEG, F_MAN, F_OPE, F_COM, F_LUB, F_LLA, F_OTR,
  F_DEPE, F_INVE, F_SEGE, F_MANE, F_OPEE, F_COME, F_LUBE, F_LLAE, F_OTRE) VALUES
  ('A7',
   0.5, 1, 1, 0.3, 1, 0.15, 0.2, 0.1, 0.2,
   0.3, 1, 1, 0.1, 0.5, 0.05, 0.1, 0.05, 0.1),
  ('CASA01',
   0.5, 1, 1, 0.3, 1, 0.15, 0.2, 0.1, 0.2,
   0.3, 1, 1, 0.1, 0.5, 0.05, 0.1, 0.05, 0.1);


-- =====================================================================
-- Concept catalogue. TIPO: 1 material, 2 labour, 3 machinery, 4 basic,
-- 5 unit price, 6 subcontract, 7 indirect, 8 crew, 9 integrated indirect.
-- Labour costs are daily base wages; FSREAL_MO is the real-wage factor.
-- Composite costs are the direct cost of their analysis (MATRICES).
-- Machine concepts point to their hourly-cost analysis (CMAQUINA) and say
-- which hours they are: TIPOCMAQ 1 active, 2 standby, 3 reserve.
-- =====================================================================

-- Materiales
INSERT INTO CONCEPTO (CONCEPTO, UNIDAD, COSTO, ACTUALIZAD, FACCONV, UNICOM, FSREAL_MO, NOM_CORTO, NOM_LARGO, CMAQUINA, TIPOCMAQ, TIPO) VALUES
  ('MCEM01', 'ton', 2350, '2013-01-15', 20, 'bulto', NULL, 'Cemento gris CPC 30R',
   'Cemento Portland compuesto gris CPC 30R, en bultos de 50 kg', NULL, NULL, 1),
  ('MCAL01', 'ton', 1650, '2013-01-15', 40, 'bulto', NULL, 'Cal hidratada',
   'Cal hidratada para construcción, en bultos de 25 kg', NULL, NULL, 1),
  ('MARE01', 'm3', 210, '2013-01-15', NULL, NULL, NULL, 'Arena de río',
   NULL, NULL, NULL, 1),
  ('MGRA01', 'm3', 230, '2013-01-15', NULL, NULL, NULL, 'Grava de 3/4"',
   'Grava triturada de 3/4" (19 mm) para concreto', NULL, NULL, 1),
  ('MAGU01', 'm3', 25, '2013-01-15', NULL, NULL, NULL, 'Agua para construcción',
   'Agua para construcción, suministrada en pipa', NULL, NULL, 1),
  ('MVAR38', 'ton', 11800, '2013-01-15', 149.6, 'pza', NULL, 'Varilla corrugada 3/8"',
   'Varilla corrugada de 3/8" (No. 3), fy=4200 kg/cm2, en tramos de 12 m', NULL, NULL, 1),
  ('MVAR12', 'ton', 11500, '2013-01-15', 83.7, 'pza', NULL, 'Varilla corrugada 1/2"',
   'Varilla corrugada de 1/2" (No. 4), fy=4200 kg/cm2, en tramos de 12 m', NULL, NULL, 1),
  ('MALA01', 'kg', 22, '2013-01-15', NULL, NULL, NULL, 'Alambre recocido No. 18',
   NULL, NULL, NULL, 1),
  ('MCLA01', 'kg', 24, '2013-01-15', NULL, NULL, NULL, 'Clavo de 2 1/2"',
   NULL, NULL, NULL, 1),
  ('MMAD01', 'pt', 9.5, '2013-01-15', NULL, NULL, NULL, 'Madera de pino de 3a',
   'Madera de pino de tercera en tablas, polines y barrotes', NULL, NULL, 1),
  ('MTRI01', 'm2', 118, '2013-01-15', 0.336, 'hoja', NULL, 'Triplay de pino 16 mm',
   'Triplay de pino de 16 mm para cimbra, hoja de 1.22 x 2.44 m', NULL, NULL, 1),
  ('MDES01', 'l', 28, '2013-01-15', NULL, NULL, NULL, 'Desmoldante para cimbra',
   NULL, NULL, NULL, 1),
  ('MBLO01', 'pza', 8.5, '2013-01-15', NULL, NULL, NULL, 'Block hueco 12x20x40 cm',
   'Block hueco de concreto de 12 x 20 x 40 cm, resistencia 35 kg/cm2', NULL, NULL, 1),
  ('MTAB01', 'millar', 2800, '2013-01-15', NULL, NULL, NULL, 'Tabique rojo recocido',
   'Tabique rojo recocido de 7 x 14 x 28 cm', NULL, NULL, 1),
  ('MCAS01', 'pza', 115, '2013-01-15', NULL, NULL, NULL, 'Armex 15x15-4',
   'Armado prefabricado electrosoldado 15 x 15 cm de 4 varillas, pieza de 6 m', NULL, NULL, 1),
  ('MYES01', 'ton', 1875, '2013-01-15', 25, 'bulto', NULL, 'Yeso de construcción',
   NULL, NULL, NULL, 1),
  ('MPIN01', 'l', 62, '2013-01-15', 0.0526, 'cubeta', NULL, 'Pintura vinílica',
   'Pintura vinílica de calidad media, color a elegir', NULL, NULL, 1),
  ('MSEL01', 'l', 38, '2013-01-15', NULL, NULL, NULL, 'Sellador vinílico',
   NULL, NULL, NULL, 1),
  ('MPIS01', 'm2', 155, '2013-01-15', NULL, NULL, NULL, 'Piso cerámico 33x33 cm',
   'Loseta cerámica esmaltada de 33 x 33 cm, primera calidad', NULL, NULL, 1),
  ('MAZU01', 'm2', 145, '2013-01-15', NULL, NULL, NULL, 'Azulejo 20x30 cm',
   'Azulejo esmaltado de 20 x 30 cm para muros de baño', NULL, NULL, 1),
  ('MPEG01', 'saco', 95, '2013-01-15', NULL, NULL, NULL, 'Pegazulejo 20 kg',
   'Adhesivo cementoso para loseta y azulejo, saco de 20 kg', NULL, NULL, 1),
  ('MBOQ01', 'kg', 14, '2013-01-15', NULL, NULL, NULL, 'Boquilla sin arena',
   NULL, NULL, NULL, 1),
  ('MTUC01', 'm', 72, '2013-01-15', NULL, NULL, NULL, 'Tubo de cobre tipo M 1/2"',
   NULL, NULL, NULL, 1),
  ('MSOL01', 'kg', 310, '2013-01-15', NULL, NULL, NULL, 'Soldadura de estaño 50x50',
   NULL, NULL, NULL, 1),
  ('MTUB01', 'm', 48, '2013-01-15', NULL, NULL, NULL, 'Tubo PVC sanitario 4"',
   'Tubo de PVC sanitario de 4" (100 mm), norma NMX', NULL, NULL, 1),
  ('MPEM01', 'l', 160, '2013-01-15', NULL, NULL, NULL, 'Pegamento para PVC',
   NULL, NULL, NULL, 1),
  ('MPOL01', 'm', 4.2, '2013-01-15', NULL, NULL, NULL, 'Poliducto naranja 1/2"',
   NULL, NULL, NULL, 1),
  ('MCAB01', 'm', 6.8, '2013-01-15', 0.01, 'rollo', NULL, 'Cable THW cal. 12',
   'Cable de cobre con aislamiento THW calibre 12 AWG', NULL, NULL, 1),
  ('MCHA01', 'pza', 9.5, '2013-01-15', NULL, NULL, NULL, 'Chalupa galvanizada',
   NULL, NULL, NULL, 1),
  ('MDIE01', 'l', 11.9, '2013-01-15', NULL, NULL, NULL, 'Diésel',
   NULL, NULL, NULL, 1),
  ('MGAS01', 'l', 11.7, '2013-01-15', NULL, NULL, NULL, 'Gasolina Magna',
   NULL, NULL, NULL, 1),
  ('MACE01', 'l', 65, '2013-01-15', NULL, NULL, NULL, 'Aceite para motor SAE 15W-40',
   NULL, NULL, NULL, 1),
  ('MENE01', 'kWh', 2.35, '2013-01-15', NULL, NULL, NULL, 'Energía eléctrica',
   'Energía eléctrica, tarifa comercial', NULL, NULL, 1),
  ('MLLA01', 'pza', 9800, '2013-01-15', NULL, NULL, NULL, 'Llanta 19.5L-24',
   'Llanta 19.5L-24 de 10 capas para retroexcavadora', NULL, NULL, 1),
  ('MLLA02', 'pza', 650, '2013-01-15', NULL, NULL, NULL, 'Llanta 4.80-8',
   'Llanta 4.80-8 para remolque de revolvedora', NULL, NULL, 1),
  ('MLLA03', 'pza', 4800, '2013-01-15', NULL, NULL, NULL, 'Llanta 11R22.5',
   'Llanta radial 11R22.5 para camión', NULL, NULL, 1),
  ('MPZA01', 'jgo', 8500, '2013-01-15', NULL, NULL, NULL, 'Dientes de cucharón',
   'Juego de dientes y cuchilla de cucharón de retroexcavadora', NULL, NULL, 1),
  ('MPZA02', 'pza', 2400, '2013-01-15', NULL, NULL, NULL, 'Chicote de vibrador',
   'Chicote (manguera flexible con cabezal) de 6 m para vibrador', NULL, NULL, 1),
  ('MGRF01', 'hr', 6.5, '2013-01-15', NULL, NULL, NULL, 'Grasas y filtros',
   'Grasas, filtros y consumibles menores por hora de operación', NULL, NULL, 1);

-- Mano de obra
INSERT INTO CONCEPTO (CONCEPTO, UNIDAD, COSTO, ACTUALIZAD, FACCONV, UNICOM, FSREAL_MO, NOM_CORTO, NOM_LARGO, CMAQUINA, TIPOCMAQ, TIPO) VALUES
  ('MOPEO', 'jor', 190, '2013-01-15', NULL, NULL, 1.752, 'Peón',
   NULL, NULL, NULL, 2),
  ('MOALB', 'jor', 350, '2013-01-15', NULL, NULL, 1.681, 'Oficial albañil',
   NULL, NULL, NULL, 2),
  ('MOFIE', 'jor', 340, '2013-01-15', NULL, NULL, 1.683, 'Oficial fierrero',
   NULL, NULL, NULL, 2),
  ('MOCAR', 'jor', 340, '2013-01-15', NULL, NULL, 1.683, 'Oficial carpintero de obra negra',
   NULL, NULL, NULL, 2),
  ('MOPLO', 'jor', 360, '2013-01-15', NULL, NULL, 1.665, 'Oficial plomero',
   NULL, NULL, NULL, 2),
  ('MOELE', 'jor', 370, '2013-01-15', NULL, NULL, 1.662, 'Oficial electricista',
   NULL, NULL, NULL, 2),
  ('MOYES', 'jor', 330, '2013-01-15', NULL, NULL, 1.698, 'Oficial yesero',
   NULL, NULL, NULL, 2),
  ('MOPIN', 'jor', 320, '2013-01-15', NULL, NULL, 1.701, 'Oficial pintor',
   NULL, NULL, NULL, 2),
  ('MOAZU', 'jor', 350, '2013-01-15', NULL, NULL, 1.681, 'Oficial azulejero',
   NULL, NULL, NULL, 2),
  ('MOCAB', 'jor', 450, '2013-01-15', NULL, NULL, 1.624, 'Cabo de oficios',
   NULL, NULL, NULL, 2),
  ('MOOPE', 'jor', 520, '2013-01-15', NULL, NULL, 1.618, 'Operador de maquinaria pesada',
   NULL, NULL, NULL, 2),
  ('MOOPM', 'jor', 280, '2013-01-15', NULL, NULL, 1.72, 'Operador de equipo menor',
   NULL, NULL, NULL, 2),
  ('MOCHO', 'jor', 400, '2013-01-15', NULL, NULL, 1.648, 'Chofer de camión',
   NULL, NULL, NULL, 2);

-- Cuadrillas
INSERT INTO CONCEPTO (CONCEPTO, UNIDAD, COSTO, ACTUALIZAD, FACCONV, UNICOM, FSREAL_MO, NOM_CORTO, NOM_LARGO, CMAQUINA, TIPOCMAQ, TIPO) VALUES
  ('CU-PEO', 'jor', 405.96, '2013-01-15', NULL, NULL, NULL, 'Cuadrilla de peón',
   'Cuadrilla de un peón con 1/10 de cabo de oficios', NULL, NULL, 8),
  ('CU-ALB', 'jor', 994.31, '2013-01-15', NULL, NULL, NULL, 'Cuadrilla de albañil + peón',
   'Cuadrilla de un oficial albañil y un peón con 1/10 de cabo de oficios', NULL, NULL, 8),
  ('CU-FIE', 'jor', 978.18, '2013-01-15', NULL, NULL, NULL, 'Cuadrilla de fierrero + ayudante',
   NULL, NULL, NULL, 8),
  ('CU-CAR', 'jor', 978.18, '2013-01-15', NULL, NULL, NULL, 'Cuadrilla de carpintero + ayudante',
   NULL, NULL, NULL, 8),
  ('CU-PLO', 'jor', 932.28, '2013-01-15', NULL, NULL, NULL, 'Cuadrilla de plomero + ayudante',
   NULL, NULL, NULL, 8),
  ('CU-ELE', 'jor', 947.82, '2013-01-15', NULL, NULL, NULL, 'Cuadrilla de electricista + ayudante',
   NULL, NULL, NULL, 8),
  ('CU-YES', 'jor', 893.22, '2013-01-15', NULL, NULL, NULL, 'Cuadrilla de yesero + ayudante',
   NULL, NULL, NULL, 8),
  ('CU-PIN', 'jor', 580.86, '2013-01-15', NULL, NULL, NULL, 'Cuadrilla de pintor',
   NULL, NULL, NULL, 8),
  ('CU-AZU', 'jor', 994.31, '2013-01-15', NULL, NULL, NULL, 'Cuadrilla de azulejero + ayudante',
   NULL, NULL, NULL, 8),
  ('CU-OPE', 'jor', 841.36, '2013-01-15', NULL, NULL, NULL, 'Cuadrilla de operador de maquinaria',
   NULL, NULL, NULL, 8),
  ('CU-OPM', 'jor', 481.6, '2013-01-15', NULL, NULL, NULL, 'Cuadrilla de operador de equipo menor',
   NULL, NULL, NULL, 8),
  ('CU-CHO', 'jor', 659.2, '2013-01-15', NULL, NULL, NULL, 'Cuadrilla de chofer',
   NULL, NULL, NULL, 8);

-- Maquinaria y equipo
INSERT INTO CONCEPTO (CONCEPTO, UNIDAD, COSTO, ACTUALIZAD, FACCONV, UNICOM, FSREAL_MO, NOM_CORTO, NOM_LARGO, CMAQUINA, TIPOCMAQ, TIPO) VALUES
  ('EQ-RET', 'hr', 662.02, '2013-01-15', NULL, NULL, NULL, 'Retroexcavadora 416E',
   'Retroexcavadora Caterpillar 416E de 87 HP, hora activa', 'RET416', 1, 3),
  ('EQ-RETE', 'hr', 334.02, '2013-01-15', NULL, NULL, NULL, 'Retroexcavadora 416E en espera',
   'Retroexcavadora Caterpillar 416E de 87 HP, hora en espera', 'RET416', 2, 3),
  ('EQ-CAM', 'hr', 505.65, '2013-01-15', NULL, NULL, NULL, 'Camión de volteo 7 m3',
   NULL, 'VOL7M3', 1, 3),
  ('EQ-REV', 'hr', 92.83, '2013-01-15', NULL, NULL, NULL, 'Revolvedora de un saco',
   'Revolvedora para concreto de un saco con motor a gasolina de 8 HP', 'REV1S', 1, 3),
  ('EQ-VIB', 'hr', 81.23, '2013-01-15', NULL, NULL, NULL, 'Vibrador para concreto',
   'Vibrador para concreto con motor a gasolina de 4 HP', 'VIB4HP', 1, 3),
  ('EQ-BAI', 'hr', 91.5, '2013-01-15', NULL, NULL, NULL, 'Compactador de placa',
   'Compactador de placa vibratoria (bailarina) de 5.5 HP', 'BAI5HP', 1, 3),
  ('EQ-BOM', 'hr', 7.63, '2013-01-15', NULL, NULL, NULL, 'Bomba sumergible 2 HP',
   NULL, 'BOM2HP', 1, 3),
  ('EQ-BOMR', 'hr', 1.41, '2013-01-15', NULL, NULL, NULL, 'Bomba sumergible 2 HP en reserva',
   'Bomba sumergible eléctrica de 2 HP, hora en reserva', 'BOM2HP', 3, 3),
  ('EQ-AND', 'día', 18, '2013-01-15', NULL, NULL, NULL, 'Andamio tubular (renta)',
   'Renta de cuerpo de andamio tubular de 1.56 x 2.00 m con crucetas y plataforma', NULL, NULL, 3);

-- Básicos
INSERT INTO CONCEPTO (CONCEPTO, UNIDAD, COSTO, ACTUALIZAD, FACCONV, UNICOM, FSREAL_MO, NOM_CORTO, NOM_LARGO, CMAQUINA, TIPOCMAQ, TIPO) VALUES
  ('BCON150', 'm3', 1119.32, '2013-01-15', NULL, NULL, NULL, 'Concreto f''c=150 kg/cm2',
   'Concreto hecho en obra de f''c=150 kg/cm2, agregado máximo 3/4", revenimiento 10 cm', NULL, NULL, 4),
  ('BCON200', 'm3', 1223.82, '2013-01-15', NULL, NULL, NULL, 'Concreto f''c=200 kg/cm2',
   'Concreto hecho en obra de f''c=200 kg/cm2, agregado máximo 3/4", revenimiento 10 cm', NULL, NULL, 4),
  ('BCON250', 'm3', 1351.5, '2013-01-15', NULL, NULL, NULL, 'Concreto f''c=250 kg/cm2',
   'Concreto hecho en obra de f''c=250 kg/cm2, agregado máximo 3/4", revenimiento 10 cm', NULL, NULL, 4),
  ('BMOR13', 'm3', 1295, '2013-01-15', NULL, NULL, NULL, 'Mortero cemento-arena 1:3',
   NULL, NULL, NULL, 4),
  ('BMOR15', 'm3', 935.55, '2013-01-15', NULL, NULL, NULL, 'Mortero cemento-arena 1:5',
   NULL, NULL, NULL, 4),
  ('BMCC01', 'm3', 954.25, '2013-01-15', NULL, NULL, NULL, 'Mortero cemento-cal-arena 1:2:8',
   'Mortero cemento-cal hidratada-arena en proporción 1:2:8 para aplanados', NULL, NULL, 4);

-- Precios unitarios
INSERT INTO CONCEPTO (CONCEPTO, UNIDAD, COSTO, ACTUALIZAD, FACCONV, UNICOM, FSREAL_MO, NOM_CORTO, NOM_LARGO, CMAQUINA, TIPOCMAQ, TIPO) VALUES
  ('C-100', 'm2', 185.01, '2013-01-15', NULL, NULL, NULL, 'Firme de concreto f''c=150 de 10 cm',
   'Firme de concreto hecho en obra de f''c=150 kg/cm2 de 10 cm de espesor, acabado pulido, incluye cimbra de fronteras', NULL, NULL, 5),
  ('P-0101', 'm2', 9.42, '2013-01-15', NULL, NULL, NULL, 'Limpieza y trazo del terreno',
   'Limpieza, trazo y nivelación del terreno con equipo topográfico, incluye estacas, hilo y cal', NULL, NULL, 5),
  ('P-0102', 'm3', 121.79, '2013-01-15', NULL, NULL, NULL, 'Excavación a mano en cepas',
   'Excavación a mano en cepas en material tipo II de 0.00 a 2.00 m de profundidad, incluye afine de taludes y fondo', NULL, NULL, 5),
  ('P-0103', 'm3', 51.85, '2013-01-15', NULL, NULL, NULL, 'Excavación con retroexcavadora',
   'Excavación con retroexcavadora en material tipo II de 0.00 a 2.00 m de profundidad, incluye tiempos de espera del equipo', NULL, NULL, 5),
  ('P-0104', 'm3', 57, '2013-01-15', NULL, NULL, NULL, 'Acarreo en camión primer km',
   'Carga con retroexcavadora y acarreo en camión de volteo al primer kilómetro de material producto de excavación, medido abundado', NULL, NULL, 5),
  ('P-0105', 'hr', 55.89, '2013-01-15', NULL, NULL, NULL, 'Achique con bomba sumergible',
   'Achique de agua en cepas con bomba sumergible eléctrica de 2 HP, incluye equipo en reserva y vigilancia', NULL, NULL, 5),
  ('P-0106', 'sem', 911.61, '2013-01-15', NULL, NULL, NULL, 'Limpieza permanente de obra',
   'Limpieza permanente de la obra durante su ejecución, incluye acopio y retiro semanal de escombro en camión', NULL, NULL, 5),
  ('P-0201', 'm2', 97.98, '2013-01-15', NULL, NULL, NULL, 'Plantilla de concreto 5 cm',
   'Plantilla de concreto hecho en obra de f''c=150 kg/cm2 de 5 cm de espesor', NULL, NULL, 5),
  ('P-0202', 'ton', 24568.16, '2013-01-15', NULL, NULL, NULL, 'Acero de refuerzo 3/8"',
   'Acero de refuerzo con varilla corrugada de 3/8", fy=4200 kg/cm2, incluye habilitado, armado, traslapes, ganchos y alambre', NULL, NULL, 5),
  ('P-0203', 'm2', 145.04, '2013-01-15', NULL, NULL, NULL, 'Cimbra común en cimentación',
   'Cimbra común de madera en zapatas y contratrabes, incluye descimbrado, limpieza y desmoldante', NULL, NULL, 5),
  ('P-0204', 'm3', 1816, '2013-01-15', NULL, NULL, NULL, 'Concreto f''c=200 en cimentación',
   'Concreto hecho en obra de f''c=200 kg/cm2 en zapatas y contratrabes, incluye colado, vibrado, curado y pruebas de laboratorio', NULL, NULL, 5),
  ('P-0205', 'm3', 137.27, '2013-01-15', NULL, NULL, NULL, 'Relleno compactado con bailarina',
   'Relleno con material producto de excavación compactado con bailarina en capas de 20 cm al 90 % Proctor, incluye agua', NULL, NULL, 5),
  ('P-0301', 'ton', 22252.8, '2013-01-15', NULL, NULL, NULL, 'Acero de refuerzo 1/2"',
   'Acero de refuerzo con varilla corrugada de 1/2", fy=4200 kg/cm2, incluye habilitado, armado, traslapes, ganchos y alambre', NULL, NULL, 5),
  ('P-0302', 'm2', 212.15, '2013-01-15', NULL, NULL, NULL, 'Cimbra aparente en losas y trabes',
   'Cimbra aparente con triplay de pino de 16 mm en losas y trabes, incluye obra falsa, andamios, descimbrado y desmoldante', NULL, NULL, 5),
  ('P-0303', 'm3', 2051, '2013-01-15', NULL, NULL, NULL, 'Concreto f''c=250 en losas y trabes',
   'Concreto hecho en obra de f''c=250 kg/cm2 en losas y trabes, incluye elevación, colado, vibrado, curado y pruebas de laboratorio', NULL, NULL, 5),
  ('P-0304', 'm', 124.58, '2013-01-15', NULL, NULL, NULL, 'Castillo 15x15 con armex',
   'Castillo de 15 x 15 cm armado con armex 15x15-4 y concreto de f''c=150 kg/cm2, incluye cimbra', NULL, NULL, 5),
  ('P-0305', 'm', 145.77, '2013-01-15', NULL, NULL, NULL, 'Cadena 15x20 con armex',
   'Cadena de desplante o de cerramiento de 15 x 20 cm armada con armex 15x15-4 y concreto de f''c=150 kg/cm2, incluye cimbra', NULL, NULL, 5),
  ('P-0401', 'm2', 216.91, '2013-01-15', NULL, NULL, NULL, 'Muro de block 12x20x40',
   'Muro de block hueco de concreto de 12 x 20 x 40 cm asentado con mortero cemento-arena 1:5, acabado común', NULL, NULL, 5),
  ('P-0402', 'm2', 91.14, '2013-01-15', NULL, NULL, NULL, 'Aplanado exterior 1:2:8',
   'Aplanado exterior en muros con mortero cemento-cal-arena 1:2:8 de 2 cm de espesor, acabado fino, incluye andamios', NULL, NULL, 5),
  ('P-0403', 'm2', 146.11, '2013-01-15', NULL, NULL, NULL, 'Firme de concreto 8 cm',
   'Firme de concreto hecho en obra de f''c=150 kg/cm2 de 8 cm de espesor, acabado rayado para recibir piso', NULL, NULL, 5),
  ('P-0404', 'm2', 284.55, '2013-01-15', NULL, NULL, NULL, 'Muro de tabique rojo 14 cm',
   'Muro de tabique rojo recocido de 14 cm de espesor asentado con mortero cemento-arena 1:3, en pretiles', NULL, NULL, 5),
  ('P-0501', 'sal', 829.71, '2013-01-15', NULL, NULL, NULL, 'Salida hidráulica de cobre',
   'Salida hidráulica con tubo de cobre tipo M de 1/2" para mueble sanitario, incluye conexiones y pruebas', NULL, NULL, 5),
  ('P-0502', 'sal', 428.48, '2013-01-15', NULL, NULL, NULL, 'Salida sanitaria de PVC',
   'Salida sanitaria con tubo de PVC de 4" para mueble sanitario o coladera, incluye conexiones y pruebas', NULL, NULL, 5),
  ('P-0503', 'sal', 463.45, '2013-01-15', NULL, NULL, NULL, 'Salida eléctrica',
   'Salida eléctrica para contacto o apagador con poliducto de 1/2" y cable THW cal. 12, incluye chalupa y conexión', NULL, NULL, 5),
  ('P-0601', 'm2', 169.06, '2013-01-15', NULL, NULL, NULL, 'Impermeabilización de azotea',
   'Impermeabilización de azotea con sistema prefabricado APP de 4 mm (subcontrato), incluye limpieza previa de la superficie', NULL, NULL, 5),
  ('P-0602', 'm2', 94.75, '2013-01-15', NULL, NULL, NULL, 'Yeso a regla en muros y plafones',
   'Aplanado de yeso a regla y pulido en muros y plafones interiores, incluye andamios', NULL, NULL, 5),
  ('P-0603', 'm2', 40.39, '2013-01-15', NULL, NULL, NULL, 'Pintura vinílica a dos manos',
   'Pintura vinílica a dos manos sobre muros y plafones, incluye sellador y preparación de la superficie', NULL, NULL, 5),
  ('P-0604', 'm2', 280.19, '2013-01-15', NULL, NULL, NULL, 'Piso cerámico 33x33',
   'Piso de loseta cerámica de 33 x 33 cm asentado con pegazulejo, incluye boquilla, cortes y desperdicio', NULL, NULL, 5),
  ('P-0605', 'm2', 305.67, '2013-01-15', NULL, NULL, NULL, 'Lambrín de azulejo 20x30',
   'Lambrín de azulejo de 20 x 30 cm en muros de baño asentado con pegazulejo, incluye boquilla, cortes y remates', NULL, NULL, 5);

-- Integrados de indirectos
INSERT INTO CONCEPTO (CONCEPTO, UNIDAD, COSTO, ACTUALIZAD, FACCONV, UNICOM, FSREAL_MO, NOM_CORTO, NOM_LARGO, CMAQUINA, TIPOCMAQ, TIPO) VALUES
  ('II-LIM', 'm2', 18.26, '2013-01-15', NULL, NULL, NULL, 'Limpieza final de obra',
   'Limpieza gruesa y fina de obra para entrega, incluye retiro de escombro (integrado con pruebas y entrega)', NULL, NULL, 9);

-- Subcontratos
INSERT INTO CONCEPTO (CONCEPTO, UNIDAD, COSTO, ACTUALIZAD, FACCONV, UNICOM, FSREAL_MO, NOM_CORTO, NOM_LARGO, CMAQUINA, TIPOCMAQ, TIPO) VALUES
  ('SUB-IMP', 'm2', 165, '2013-01-15', NULL, NULL, NULL, 'Impermeabilización APP 4 mm',
   'Suministro y colocación de impermeabilizante prefabricado APP de 4 mm con acabado gravilla, incluye primario (subcontrato)', NULL, NULL, 6),
  ('SUB-ALU', 'm2', 1850, '2013-01-15', NULL, NULL, NULL, 'Cancelería de aluminio',
   'Cancelería de aluminio natural línea 2" con vidrio claro de 6 mm, incluye herrajes y sellado (subcontrato)', NULL, NULL, 6);

-- Indirectos
INSERT INTO CONCEPTO (CONCEPTO, UNIDAD, COSTO, ACTUALIZAD, FACCONV, UNICOM, FSREAL_MO, NOM_CORTO, NOM_LARGO, CMAQUINA, TIPOCMAQ, TIPO) VALUES
  ('IND-LAB', 'm3', 38, '2013-01-15', NULL, NULL, NULL, 'Pruebas de laboratorio',
   'Control de calidad: muestreo y ensaye de cilindros de concreto por laboratorio acreditado', NULL, NULL, 7);


-- =====================================================================
-- Hourly-cost analyses of the machines: what one hour consumes. VAL_A1 is
-- the acquisition value. Unused components have no concept and quantity 0;
-- the other-consumptions component always counts one unit per hour.
-- =====================================================================

INSERT INTO MAQUINA (MAQUINA, UNIDAD, VAL_A1, NOMBRE1, NOMBRE2, NOMBRE3, CAPACIDAD, MARCA, MODELO, ORIGEN, UBICACION,
  GASOLINA, CANT_GAS, DIESEL, CANT_DIE, O_FUENTES, C_OTRAS, O_CONSUM, ACEITE, CANT_ACEI,
  LLANTAS, CANT_LLAN, PZAS_ESP, CANT_PZAS, CUADRILLA, CANT_OPER) VALUES
  ('RET416', 'hr', 1350000, 'Retroexcavadora', 'Caterpillar 416E', '4x4 de 87 HP',
   'Cucharón de 0.76 m3', 'Caterpillar', '416E', 'Importación', 'Patio de maquinaria, Querétaro, Qro.',
   NULL, 0, 'MDIE01', 8.5, NULL, 0, 'MGRF01', 'MACE01', 0.12,
   'MLLA01', 0.002, 'MPZA01', 0.0008, 'CU-OPE', 0.125),
  ('VOL7M3', 'hr', 980000, 'Camión de volteo', 'International 4300', 'Caja de 7 m3',
   '7 m3', 'International', '4300', 'Nacional', 'Patio de maquinaria, Querétaro, Qro.',
   NULL, 0, 'MDIE01', 12, NULL, 0, 'MGRF01', 'MACE01', 0.15,
   'MLLA03', 0.004, NULL, 0, 'CU-CHO', 0.125),
  ('REV1S', 'hr', 32000, 'Revolvedora para concreto', 'de un saco', 'motor a gasolina de 8 HP',
   '1 saco', 'Cipsa', 'R-10', 'Nacional', 'Patio de maquinaria, Querétaro, Qro.',
   'MGAS01', 1.6, NULL, 0, NULL, 0, NULL, 'MACE01', 0.03,
   'MLLA02', 0.0007, NULL, 0, 'CU-OPM', 0.125),
  ('VIB4HP', 'hr', 14500, 'Vibrador para concreto', 'motor a gasolina', 'de 4 HP',
   'Cabezal de 1 1/2"', 'Cipsa', 'VMG-4', 'Nacional', 'Patio de maquinaria, Querétaro, Qro.',
   'MGAS01', 0.9, NULL, 0, NULL, 0, NULL, 'MACE01', 0.02,
   NULL, 0, 'MPZA02', 0.00125, 'CU-OPM', 0.125),
  ('BAI5HP', 'hr', 48000, 'Compactador de placa', 'vibratoria (bailarina)', 'motor a gasolina de 5.5 HP',
   '1.5 ton de impacto', 'Wacker Neuson', 'BS60-2i', 'Importación', 'Patio de maquinaria, Querétaro, Qro.',
   'MGAS01', 1.1, NULL, 0, NULL, 0, NULL, 'MACE01', 0.025,
   NULL, 0, NULL, 0, 'CU-OPM', 0.125),
  ('BOM2HP', 'hr', 9800, 'Bomba sumergible', 'eléctrica', 'de 2 HP',
   '2" de descarga', 'Evans', 'SUM2HP', 'Nacional', 'Patio de maquinaria, Querétaro, Qro.',
   NULL, 0, NULL, 0, 'MENE01', 1.5, NULL, NULL, 0,
   NULL, 0, NULL, 0, NULL, 0);


-- =====================================================================
-- Analyses (MATRICES): components of every composite per one unit of it.
-- Unit prices go through basics (concretes, mortars), crews and machines;
-- the machines break down further through their hourly costs.
-- =====================================================================

-- Cuadrillas
INSERT INTO MATRICES (MATRIZ, CONCEPTO, CANTIDAD) VALUES
  ('CU-PEO', 'MOPEO', 1),  -- Cuadrilla de peón (jor)
  ('CU-PEO', 'MOCAB', 0.1),
  ('CU-ALB', 'MOALB', 1),  -- Cuadrilla de albañil + peón (jor)
  ('CU-ALB', 'MOPEO', 1),
  ('CU-ALB', 'MOCAB', 0.1),
  ('CU-FIE', 'MOFIE', 1),  -- Cuadrilla de fierrero + ayudante (jor)
  ('CU-FIE', 'MOPEO', 1),
  ('CU-FIE', 'MOCAB', 0.1),
  ('CU-CAR', 'MOCAR', 1),  -- Cuadrilla de carpintero + ayudante (jor)
  ('CU-CAR', 'MOPEO', 1),
  ('CU-CAR', 'MOCAB', 0.1),
  ('CU-PLO', 'MOPLO', 1),  -- Cuadrilla de plomero + ayudante (jor)
  ('CU-PLO', 'MOPEO', 1),
  ('CU-ELE', 'MOELE', 1),  -- Cuadrilla de electricista + ayudante (jor)
  ('CU-ELE', 'MOPEO', 1),
  ('CU-YES', 'MOYES', 1),  -- Cuadrilla de yesero + ayudante (jor)
  ('CU-YES', 'MOPEO', 1),
  ('CU-PIN', 'MOPIN', 1),  -- Cuadrilla de pintor (jor)
  ('CU-PIN', 'MOCAB', 0.05),
  ('CU-AZU', 'MOAZU', 1),  -- Cuadrilla de azulejero + ayudante (jor)
  ('CU-AZU', 'MOPEO', 1),
  ('CU-AZU', 'MOCAB', 0.1),
  ('CU-OPE', 'MOOPE', 1),  -- Cuadrilla de operador de maquinaria (jor)
  ('CU-OPM', 'MOOPM', 1),  -- Cuadrilla de operador de equipo menor (jor)
  ('CU-CHO', 'MOCHO', 1);  -- Cuadrilla de chofer (jor)

-- Básicos
INSERT INTO MATRICES (MATRIZ, CONCEPTO, CANTIDAD) VALUES
  ('BCON150', 'MCEM01', 0.3),  -- Concreto f'c=150 kg/cm2 (m3)
  ('BCON150', 'MARE01', 0.52),
  ('BCON150', 'MGRA01', 0.7),
  ('BCON150', 'MAGU01', 0.22),
  ('BCON150', 'EQ-REV', 0.4),
  ('BCON150', 'CU-PEO', 0.25),
  ('BCON200', 'MCEM01', 0.35),  -- Concreto f'c=200 kg/cm2 (m3)
  ('BCON200', 'MARE01', 0.48),
  ('BCON200', 'MGRA01', 0.68),
  ('BCON200', 'MAGU01', 0.22),
  ('BCON200', 'EQ-REV', 0.4),
  ('BCON200', 'CU-PEO', 0.25),
  ('BCON250', 'MCEM01', 0.41),  -- Concreto f'c=250 kg/cm2 (m3)
  ('BCON250', 'MARE01', 0.45),
  ('BCON250', 'MGRA01', 0.65),
  ('BCON250', 'MAGU01', 0.215),
  ('BCON250', 'EQ-REV', 0.4),
  ('BCON250', 'CU-PEO', 0.25),
  ('BMOR13', 'MCEM01', 0.45),  -- Mortero cemento-arena 1:3 (m3)
  ('BMOR13', 'MARE01', 1.1),
  ('BMOR13', 'MAGU01', 0.26),
  ('BMOR15', 'MCEM01', 0.29),  -- Mortero cemento-arena 1:5 (m3)
  ('BMOR15', 'MARE01', 1.18),
  ('BMOR15', 'MAGU01', 0.25),
  ('BMCC01', 'MCEM01', 0.16),  -- Mortero cemento-cal-arena 1:2:8 (m3)
  ('BMCC01', 'MCAL01', 0.2),
  ('BMCC01', 'MARE01', 1.15),
  ('BMCC01', 'MAGU01', 0.27);

-- Precios unitarios
INSERT INTO MATRICES (MATRIZ, CONCEPTO, CANTIDAD) VALUES
  ('C-100', 'BCON150', 0.105),  -- Firme de concreto f'c=150 de 10 cm (m2)
  ('C-100', 'CU-ALB', 0.065),
  ('C-100', 'MMAD01', 0.3),
  ('P-0101', 'CU-PEO', 0.02),  -- Limpieza y trazo del terreno (m2)
  ('P-0101', 'MCAL01', 0.0005),
  ('P-0101', 'MMAD01', 0.05),
  ('P-0102', 'CU-PEO', 0.3),  -- Excavación a mano en cepas (m3)
  ('P-0103', 'EQ-RET', 0.06),  -- Excavación con retroexcavadora (m3)
  ('P-0103', 'EQ-RETE', 0.012),
  ('P-0103', 'CU-PEO', 0.02),
  ('P-0104', 'EQ-RET', 0.025),  -- Acarreo en camión primer km (m3)
  ('P-0104', 'EQ-CAM', 0.08),
  ('P-0105', 'EQ-BOM', 0.6),  -- Achique con bomba sumergible (hr)
  ('P-0105', 'EQ-BOMR', 0.4),
  ('P-0105', 'CU-PEO', 0.125),
  ('P-0106', 'CU-PEO', 1),  -- Limpieza permanente de obra (sem)
  ('P-0106', 'EQ-CAM', 1),
  ('P-0201', 'BCON150', 0.052),  -- Plantilla de concreto 5 cm (m2)
  ('P-0201', 'CU-ALB', 0.04),
  ('P-0202', 'MVAR38', 1.05),  -- Acero de refuerzo 3/8" (ton)
  ('P-0202', 'MALA01', 20),
  ('P-0202', 'CU-FIE', 12),
  ('P-0203', 'MMAD01', 3.2),  -- Cimbra común en cimentación (m2)
  ('P-0203', 'MCLA01', 0.2),
  ('P-0203', 'MDES01', 0.08),
  ('P-0203', 'CU-CAR', 0.11),
  ('P-0204', 'BCON200', 1.03),  -- Concreto f'c=200 en cimentación (m3)
  ('P-0204', 'EQ-VIB', 0.25),
  ('P-0204', 'CU-ALB', 0.5),
  ('P-0204', 'IND-LAB', 1),
  ('P-0205', 'EQ-BAI', 0.35),  -- Relleno compactado con bailarina (m3)
  ('P-0205', 'MAGU01', 0.15),
  ('P-0205', 'CU-PEO', 0.25),
  ('P-0301', 'MVAR12', 1.05),  -- Acero de refuerzo 1/2" (ton)
  ('P-0301', 'MALA01', 18),
  ('P-0301', 'CU-FIE', 10),
  ('P-0302', 'MMAD01', 2.8),  -- Cimbra aparente en losas y trabes (m2)
  ('P-0302', 'MTRI01', 0.35),
  ('P-0302', 'MCLA01', 0.15),
  ('P-0302', 'MDES01', 0.1),
  ('P-0302', 'CU-CAR', 0.14),
  ('P-0302', 'EQ-AND', 0.05),
  ('P-0303', 'BCON250', 1.03),  -- Concreto f'c=250 en losas y trabes (m3)
  ('P-0303', 'EQ-VIB', 0.3),
  ('P-0303', 'CU-ALB', 0.6),
  ('P-0303', 'IND-LAB', 1),
  ('P-0304', 'MCAS01', 0.175),  -- Castillo 15x15 con armex (m)
  ('P-0304', 'BCON150', 0.0235),
  ('P-0304', 'MMAD01', 0.9),
  ('P-0304', 'CU-ALB', 0.07),
  ('P-0305', 'MCAS01', 0.175),  -- Cadena 15x20 con armex (m)
  ('P-0305', 'BCON150', 0.031),
  ('P-0305', 'MMAD01', 1.2),
  ('P-0305', 'CU-ALB', 0.08),
  ('P-0401', 'MBLO01', 12.5),  -- Muro de block 12x20x40 (m2)
  ('P-0401', 'BMOR15', 0.012),
  ('P-0401', 'CU-ALB', 0.1),
  ('P-0402', 'BMCC01', 0.022),  -- Aplanado exterior 1:2:8 (m2)
  ('P-0402', 'CU-ALB', 0.07),
  ('P-0402', 'EQ-AND', 0.03),
  ('P-0403', 'BCON150', 0.084),  -- Firme de concreto 8 cm (m2)
  ('P-0403', 'CU-ALB', 0.05),
  ('P-0403', 'MMAD01', 0.25),
  ('P-0404', 'MTAB01', 0.051),  -- Muro de tabique rojo 14 cm (m2)
  ('P-0404', 'BMOR13', 0.025),
  ('P-0404', 'CU-ALB', 0.11),
  ('P-0501', 'MTUC01', 6),  -- Salida hidráulica de cobre (sal)
  ('P-0501', 'MSOL01', 0.08),
  ('P-0501', 'CU-PLO', 0.4),
  ('P-0502', 'MTUB01', 3),  -- Salida sanitaria de PVC (sal)
  ('P-0502', 'MPEM01', 0.03),
  ('P-0502', 'CU-PLO', 0.3),
  ('P-0503', 'MPOL01', 8),  -- Salida eléctrica (sal)
  ('P-0503', 'MCAB01', 20),
  ('P-0503', 'MCHA01', 1),
  ('P-0503', 'CU-ELE', 0.3),
  ('P-0601', 'SUB-IMP', 1),  -- Impermeabilización de azotea (m2)
  ('P-0601', 'CU-PEO', 0.01),
  ('P-0602', 'MYES01', 0.012),  -- Yeso a regla en muros y plafones (m2)
  ('P-0602', 'MAGU01', 0.01),
  ('P-0602', 'CU-YES', 0.08),
  ('P-0602', 'EQ-AND', 0.03),
  ('P-0603', 'MPIN01', 0.25),  -- Pintura vinílica a dos manos (m2)
  ('P-0603', 'MSEL01', 0.12),
  ('P-0603', 'CU-PIN', 0.035),
  ('P-0604', 'MPIS01', 1.05),  -- Piso cerámico 33x33 (m2)
  ('P-0604', 'MPEG01', 0.25),
  ('P-0604', 'MBOQ01', 0.3),
  ('P-0604', 'CU-AZU', 0.09),
  ('P-0605', 'MAZU01', 1.05),  -- Lambrín de azulejo 20x30 (m2)
  ('P-0605', 'MPEG01', 0.3),
  ('P-0605', 'MBOQ01', 0.4),
  ('P-0605', 'CU-AZU', 0.12);

-- Integrados de indirectos
INSERT INTO MATRICES (MATRIZ, CONCEPTO, CANTIDAD) VALUES
  ('II-LIM', 'CU-PEO', 0.04),  -- Limpieza final de obra (m2)
  ('II-LIM', 'EQ-CAM', 0.004);


-- =====================================================================
-- Budgets: sections (PARTIDAS) and lines (PRESUPS). Lines keep the stored
-- order ORDEN inside their section; FRENTE is the work front.
-- =====================================================================

-- Work A7: Firme del patio de maniobras, bodega A7
INSERT INTO PARTIDAS (OBRA, PARTIDA, NOMPARTIDA, PNOM_LARGO, PI_F, PT_F, IMPORTE) VALUES
  ('A7', '01', 'Firmes y pavimentos', 'Firmes de concreto del patio de maniobras', '2013-03-20', '2013-04-19', 42550.2);

-- A7 01 Firmes y pavimentos
INSERT INTO PRESUPS (OBRA, PARTIDA, FRENTE, CONCEPTO, CANT_PRES, ADITIVA, DEDUCTIVA, FECHA_INI, FECHA_FIN, PUNIT, IMPORTE, ORDEN) VALUES
  ('A7', '01', 'A', 'C-100', 180, 0, 0, '2013-03-20', '2013-04-19', 236.39, 42550.2, 1);  -- Firme de concreto f'c=150 de 10 cm


-- Work CASA01: Casa habitación de dos niveles
INSERT INTO PARTIDAS (OBRA, PARTIDA, NOMPARTIDA, PNOM_LARGO, PI_F, PT_F, IMPORTE) VALUES
  ('CASA01', '01', 'Preliminares', 'Trabajos preliminares: limpieza, trazo, excavaciones, acarreos y achique', '2013-02-04', '2013-09-27', 53318.89),
  ('CASA01', '02', 'Cimentación', 'Cimentación de zapatas corridas y contratrabes de concreto armado', '2013-02-18', '2013-03-26', 135701.31),
  ('CASA01', '03', 'Estructura', 'Estructura de concreto armado: castillos, cadenas, trabes y losas', '2013-03-18', '2013-07-08', 285564.95),
  ('CASA01', '04', 'Albañilería', NULL, '2013-03-18', '2013-08-09', 149622.97),
  ('CASA01', '05', 'Instalaciones', 'Instalaciones hidráulica, sanitaria y eléctrica', '2013-03-04', '2013-08-09', 58086.01),
  ('CASA01', '06', 'Acabados', 'Acabados, impermeabilización, cancelería y limpieza final', '2013-07-22', '2013-09-27', 253272.51);

-- CASA01 01 Preliminares
INSERT INTO PRESUPS (OBRA, PARTIDA, FRENTE, CONCEPTO, CANT_PRES, ADITIVA, DEDUCTIVA, FECHA_INI, FECHA_FIN, PUNIT, IMPORTE, ORDEN) VALUES
  ('CASA01', '01', 'GEN', 'P-0101', 180, 0, 0, '2013-02-04', '2013-02-08', 12.04, 2167.2, 1),  -- Limpieza y trazo del terreno
  ('CASA01', '01', 'GEN', 'P-0103', 65, 8.5, 0, '2013-02-07', '2013-02-15', 66.25, 4306.25, 2),  -- Excavación con retroexcavadora
  ('CASA01', '01', 'GEN', 'P-0102', 14, 0, 0, '2013-02-11', '2013-02-20', 155.61, 2178.54, 3),  -- Excavación a mano en cepas
  ('CASA01', '01', 'GEN', 'P-0104', 78, 0, 0, '2013-02-12', '2013-02-22', 72.83, 5680.74, 4),  -- Acarreo en camión primer km
  ('CASA01', '01', 'GEN', 'P-0105', 24, 0, 0, '2013-02-11', '2013-02-28', 71.41, 1713.84, 5),  -- Achique con bomba sumergible
  ('CASA01', '01', 'GEN', 'P-0106', 32, 0, 0, '2013-02-18', '2013-09-27', 1164.76, 37272.32, 6);  -- Limpieza permanente de obra

-- CASA01 02 Cimentación
INSERT INTO PRESUPS (OBRA, PARTIDA, FRENTE, CONCEPTO, CANT_PRES, ADITIVA, DEDUCTIVA, FECHA_INI, FECHA_FIN, PUNIT, IMPORTE, ORDEN) VALUES
  ('CASA01', '02', 'GEN', 'P-0201', 42, 0, 4, '2013-02-18', '2013-02-22', 125.19, 5257.98, 1),  -- Plantilla de concreto 5 cm
  ('CASA01', '02', 'GEN', 'P-0202', 0.62, 0, 0, '2013-02-20', '2013-03-08', 31390.74, 19462.26, 2),  -- Acero de refuerzo 3/8"
  ('CASA01', '02', 'GEN', 'P-0301', 1.15, 0, 0, '2013-02-20', '2013-03-08', 28432.4, 32697.26, 3),  -- Acero de refuerzo 1/2"
  ('CASA01', '02', 'GEN', 'P-0203', 48, 0, 0, '2013-02-25', '2013-03-12', 185.32, 8895.36, 4),  -- Cimbra común en cimentación
  ('CASA01', '02', 'GEN', 'P-0204', 22.5, 0, 0, '2013-03-04', '2013-03-15', 2320.3, 52206.75, 5),  -- Concreto f'c=200 en cimentación
  ('CASA01', '02', 'GEN', 'P-0305', 64, 0, 0, '2013-03-11', '2013-03-20', 186.25, 11920, 6),  -- Cadena 15x20 con armex
  ('CASA01', '02', 'GEN', 'P-0205', 30, 6, 0, '2013-03-14', '2013-03-26', 175.39, 5261.7, 7);  -- Relleno compactado con bailarina

-- CASA01 03 Estructura
INSERT INTO PRESUPS (OBRA, PARTIDA, FRENTE, CONCEPTO, CANT_PRES, ADITIVA, DEDUCTIVA, FECHA_INI, FECHA_FIN, PUNIT, IMPORTE, ORDEN) VALUES
  ('CASA01', '03', 'PB', 'P-0304', 96, 0, 0, '2013-03-18', '2013-04-12', 159.18, 15281.28, 1),  -- Castillo 15x15 con armex
  ('CASA01', '03', 'PB', 'P-0305', 70, 0, 0, '2013-04-08', '2013-04-19', 186.25, 13037.5, 2),  -- Cadena 15x20 con armex
  ('CASA01', '03', 'PB', 'P-0302', 92, 0, 0, '2013-04-15', '2013-05-03', 271.06, 24937.52, 3),  -- Cimbra aparente en losas y trabes
  ('CASA01', '03', 'PB', 'P-0301', 1.35, 0, 0, '2013-04-18', '2013-05-06', 28432.4, 38383.74, 4),  -- Acero de refuerzo 1/2"
  ('CASA01', '03', 'PB', 'P-0202', 0.55, 0, 0, '2013-04-18', '2013-05-06', 31390.74, 17264.91, 5),  -- Acero de refuerzo 3/8"
  ('CASA01', '03', 'PB', 'P-0303', 13.8, 0, 0, '2013-05-07', '2013-05-10', 2620.56, 36163.73, 6),  -- Concreto f'c=250 en losas y trabes
  ('CASA01', '03', 'PA', 'P-0304', 92, 0, 0, '2013-05-13', '2013-06-07', 159.18, 14644.56, 7),  -- Castillo 15x15 con armex
  ('CASA01', '03', 'PA', 'P-0305', 70, 0, 0, '2013-06-03', '2013-06-14', 186.25, 13037.5, 8),  -- Cadena 15x20 con armex
  ('CASA01', '03', 'PA', 'P-0302', 92, 0, 0, '2013-06-10', '2013-06-28', 271.06, 24937.52, 9),  -- Cimbra aparente en losas y trabes
  ('CASA01', '03', 'PA', 'P-0301', 1.3, 0, 0, '2013-06-13', '2013-07-03', 28432.4, 36962.12, 10),  -- Acero de refuerzo 1/2"
  ('CASA01', '03', 'PA', 'P-0202', 0.52, 0, 0, '2013-06-13', '2013-07-03', 31390.74, 16323.18, 11),  -- Acero de refuerzo 3/8"
  ('CASA01', '03', 'PA', 'P-0303', 13.2, 0, 0, '2013-07-04', '2013-07-08', 2620.56, 34591.39, 12);  -- Concreto f'c=250 en losas y trabes

-- CASA01 04 Albañilería
INSERT INTO PRESUPS (OBRA, PARTIDA, FRENTE, CONCEPTO, CANT_PRES, ADITIVA, DEDUCTIVA, FECHA_INI, FECHA_FIN, PUNIT, IMPORTE, ORDEN) VALUES
  ('CASA01', '04', 'PB', 'P-0401', 185, 12, 0, '2013-03-18', '2013-04-19', 277.15, 51272.75, 1),  -- Muro de block 12x20x40
  ('CASA01', '04', 'PB', 'P-0403', 78, 0, 0, '2013-05-20', '2013-05-31', 186.68, 14561.04, 2),  -- Firme de concreto 8 cm
  ('CASA01', '04', 'PA', 'P-0401', 170, 0, 0, '2013-05-13', '2013-06-14', 277.15, 47115.5, 3),  -- Muro de block 12x20x40
  ('CASA01', '04', 'PA', 'P-0404', 24, 0, 0, '2013-07-15', '2013-07-19', 363.57, 8725.68, 4),  -- Muro de tabique rojo 14 cm
  ('CASA01', '04', 'GEN', 'P-0402', 240, 0, 0, '2013-07-08', '2013-08-09', 116.45, 27948, 5);  -- Aplanado exterior 1:2:8

-- CASA01 05 Instalaciones
INSERT INTO PRESUPS (OBRA, PARTIDA, FRENTE, CONCEPTO, CANT_PRES, ADITIVA, DEDUCTIVA, FECHA_INI, FECHA_FIN, PUNIT, IMPORTE, ORDEN) VALUES
  ('CASA01', '05', 'PB', 'P-0502', 9, 0, 0, '2013-03-04', '2013-03-15', 547.47, 4927.23, 1),  -- Salida sanitaria de PVC
  ('CASA01', '05', 'PA', 'P-0502', 6, 0, 0, '2013-06-17', '2013-06-28', 547.47, 3284.82, 2),  -- Salida sanitaria de PVC
  ('CASA01', '05', 'PB', 'P-0501', 10, 0, 0, '2013-06-17', '2013-07-05', 1060.12, 10601.2, 3),  -- Salida hidráulica de cobre
  ('CASA01', '05', 'PA', 'P-0501', 8, 0, 0, '2013-07-08', '2013-07-19', 1060.12, 8480.96, 4),  -- Salida hidráulica de cobre
  ('CASA01', '05', 'PB', 'P-0503', 28, 0, 0, '2013-06-24', '2013-07-19', 592.15, 16580.2, 5),  -- Salida eléctrica
  ('CASA01', '05', 'PA', 'P-0503', 24, 0, 3, '2013-07-15', '2013-08-09', 592.15, 14211.6, 6);  -- Salida eléctrica

-- CASA01 06 Acabados
INSERT INTO PRESUPS (OBRA, PARTIDA, FRENTE, CONCEPTO, CANT_PRES, ADITIVA, DEDUCTIVA, FECHA_INI, FECHA_FIN, PUNIT, IMPORTE, ORDEN) VALUES
  ('CASA01', '06', 'GEN', 'P-0601', 96, 0, 0, '2013-07-22', '2013-07-31', 216.01, 20736.96, 1),  -- Impermeabilización de azotea
  ('CASA01', '06', 'PB', 'P-0602', 260, 0, 0, '2013-07-22', '2013-08-16', 121.06, 31475.6, 2),  -- Yeso a regla en muros y plafones
  ('CASA01', '06', 'PA', 'P-0602', 240, 0, 0, '2013-08-05', '2013-08-30', 121.06, 29054.4, 3),  -- Yeso a regla en muros y plafones
  ('CASA01', '06', 'PB', 'P-0604', 78, 0, 0, '2013-08-12', '2013-08-30', 358, 27924, 4),  -- Piso cerámico 33x33
  ('CASA01', '06', 'PA', 'P-0604', 76, 0, 0, '2013-08-26', '2013-09-13', 358, 27208, 5),  -- Piso cerámico 33x33
  ('CASA01', '06', 'PA', 'P-0605', 38, 0, 0, '2013-08-19', '2013-09-06', 390.55, 14840.9, 6),  -- Lambrín de azulejo 20x30
  ('CASA01', '06', 'GEN', 'SUB-ALU', 28, 0, 0, '2013-09-02', '2013-09-13', 2363.75, 66185, 7),  -- Cancelería de aluminio
  ('CASA01', '06', 'GEN', 'P-0603', 620, 0, 20, '2013-09-02', '2013-09-20', 51.61, 31998.2, 8),  -- Pintura vinílica a dos manos
  ('CASA01', '06', 'GEN', 'II-LIM', 165, 0, 0, '2013-09-23', '2013-09-27', 23.33, 3849.45, 9);  -- Limpieza final de obra


-- =====================================================================
-- Progress estimates. EST1: one row per estimate with the span it covers,
-- its deductions (five per thousand of the amount) and the amortisation of
-- the advance payment (30 % on A7, 20 % on CASA01) with its IVA.
-- EST2: what each estimate bills of each budget line (same OBRA, PARTIDA,
-- FRENTE and CONCEPTO as the line).
-- =====================================================================

-- Work A7
INSERT INTO EST1 (OBRA, ESTIMACION, FECHA_EST, INI_EST, FIN_EST, DEDUC_EST, AMORT_EST, IVA_AMORT) VALUES
  ('A7', 1, '2013-04-05', '2013-03-20', '2013-03-31', 82.74, 4964.19, 794.27);  -- importe estimado 16,547.30

INSERT INTO EST2 (OBRA, ESTIMACION, PARTIDA, FRENTE, CONCEPTO, CANT_EST, PUNIT, IMPORTE, ORDEN) VALUES
  ('A7', 1, '01', 'A', 'C-100', 70, 236.39, 16547.3, 1);  -- Firme de concreto f'c=150 de 10 cm

-- Work CASA01
INSERT INTO EST1 (OBRA, ESTIMACION, FECHA_EST, INI_EST, FIN_EST, DEDUC_EST, AMORT_EST, IVA_AMORT) VALUES
  ('CASA01', 1, '2013-03-20', '2013-02-04', '2013-03-15', 468.12, 18724.9, 2995.98),  -- importe estimado 93,624.51
  ('CASA01', 2, '2013-05-08', '2013-03-16', '2013-04-30', 993.85, 39753.9, 6360.62),  -- importe estimado 198,769.51
  ('CASA01', 3, '2013-07-05', '2013-05-01', '2013-06-30', 1259.59, 50383.74, 8061.4),  -- importe estimado 251,918.71
  ('CASA01', 4, '2013-09-06', '2013-07-01', '2013-08-31', 1266.05, 50641.93, 8102.71);  -- importe estimado 253,209.65

INSERT INTO EST2 (OBRA, ESTIMACION, PARTIDA, FRENTE, CONCEPTO, CANT_EST, PUNIT, IMPORTE, ORDEN) VALUES
  ('CASA01', 1, '01', 'GEN', 'P-0101', 180, 12.04, 2167.2, 1),  -- Limpieza y trazo del terreno
  ('CASA01', 1, '01', 'GEN', 'P-0103', 60, 66.25, 3975, 2),  -- Excavación con retroexcavadora
  ('CASA01', 1, '01', 'GEN', 'P-0102', 14, 155.61, 2178.54, 3),  -- Excavación a mano en cepas
  ('CASA01', 1, '01', 'GEN', 'P-0104', 70, 72.83, 5098.1, 4),  -- Acarreo en camión primer km
  ('CASA01', 1, '01', 'GEN', 'P-0106', 4, 1164.76, 4659.04, 5),  -- Limpieza permanente de obra
  ('CASA01', 1, '02', 'GEN', 'P-0201', 38, 125.19, 4757.22, 6),  -- Plantilla de concreto 5 cm
  ('CASA01', 1, '02', 'GEN', 'P-0202', 0.4, 31390.74, 12556.3, 7),  -- Acero de refuerzo 3/8"
  ('CASA01', 1, '02', 'GEN', 'P-0301', 0.7, 28432.4, 19902.68, 8),  -- Acero de refuerzo 1/2"
  ('CASA01', 1, '02', 'GEN', 'P-0203', 30, 185.32, 5559.6, 9),  -- Cimbra común en cimentación
  ('CASA01', 1, '02', 'GEN', 'P-0204', 12, 2320.3, 27843.6, 10),  -- Concreto f'c=200 en cimentación
  ('CASA01', 1, '05', 'PB', 'P-0502', 9, 547.47, 4927.23, 11),  -- Salida sanitaria de PVC
  ('CASA01', 2, '01', 'GEN', 'P-0103', 13.5, 66.25, 894.38, 12),  -- Excavación con retroexcavadora
  ('CASA01', 2, '01', 'GEN', 'P-0104', 8, 72.83, 582.64, 13),  -- Acarreo en camión primer km
  ('CASA01', 2, '01', 'GEN', 'P-0106', 6.5, 1164.76, 7570.94, 14),  -- Limpieza permanente de obra
  ('CASA01', 2, '02', 'GEN', 'P-0202', 0.22, 31390.74, 6905.96, 15),  -- Acero de refuerzo 3/8"
  ('CASA01', 2, '02', 'GEN', 'P-0301', 0.45, 28432.4, 12794.58, 16),  -- Acero de refuerzo 1/2"
  ('CASA01', 2, '02', 'GEN', 'P-0203', 18, 185.32, 3335.76, 17),  -- Cimbra común en cimentación
  ('CASA01', 2, '02', 'GEN', 'P-0204', 10.5, 2320.3, 24363.15, 18),  -- Concreto f'c=200 en cimentación
  ('CASA01', 2, '02', 'GEN', 'P-0305', 64, 186.25, 11920, 19),  -- Cadena 15x20 con armex
  ('CASA01', 2, '02', 'GEN', 'P-0205', 36, 175.39, 6314.04, 20),  -- Relleno compactado con bailarina
  ('CASA01', 2, '03', 'PB', 'P-0304', 96, 159.18, 15281.28, 21),  -- Castillo 15x15 con armex
  ('CASA01', 2, '03', 'PB', 'P-0305', 70, 186.25, 13037.5, 22),  -- Cadena 15x20 con armex
  ('CASA01', 2, '03', 'PB', 'P-0302', 60, 271.06, 16263.6, 23),  -- Cimbra aparente en losas y trabes
  ('CASA01', 2, '03', 'PB', 'P-0301', 0.6, 28432.4, 17059.44, 24),  -- Acero de refuerzo 1/2"
  ('CASA01', 2, '03', 'PB', 'P-0202', 0.25, 31390.74, 7847.69, 25),  -- Acero de refuerzo 3/8"
  ('CASA01', 2, '04', 'PB', 'P-0401', 197, 277.15, 54598.55, 26),  -- Muro de block 12x20x40
  ('CASA01', 3, '01', 'GEN', 'P-0106', 8.5, 1164.76, 9900.46, 27),  -- Limpieza permanente de obra
  ('CASA01', 3, '03', 'PB', 'P-0302', 32, 271.06, 8673.92, 28),  -- Cimbra aparente en losas y trabes
  ('CASA01', 3, '03', 'PB', 'P-0301', 0.75, 28432.4, 21324.3, 29),  -- Acero de refuerzo 1/2"
  ('CASA01', 3, '03', 'PB', 'P-0202', 0.3, 31390.74, 9417.22, 30),  -- Acero de refuerzo 3/8"
  ('CASA01', 3, '03', 'PB', 'P-0303', 13.8, 2620.56, 36163.73, 31),  -- Concreto f'c=250 en losas y trabes
  ('CASA01', 3, '03', 'PA', 'P-0304', 92, 159.18, 14644.56, 32),  -- Castillo 15x15 con armex
  ('CASA01', 3, '03', 'PA', 'P-0305', 70, 186.25, 13037.5, 33),  -- Cadena 15x20 con armex
  ('CASA01', 3, '03', 'PA', 'P-0302', 92, 271.06, 24937.52, 34),  -- Cimbra aparente en losas y trabes
  ('CASA01', 3, '03', 'PA', 'P-0301', 0.9, 28432.4, 25589.16, 35),  -- Acero de refuerzo 1/2"
  ('CASA01', 3, '03', 'PA', 'P-0202', 0.35, 31390.74, 10986.76, 36),  -- Acero de refuerzo 3/8"
  ('CASA01', 3, '04', 'PB', 'P-0403', 78, 186.68, 14561.04, 37),  -- Firme de concreto 8 cm
  ('CASA01', 3, '04', 'PA', 'P-0401', 170, 277.15, 47115.5, 38),  -- Muro de block 12x20x40
  ('CASA01', 3, '05', 'PA', 'P-0502', 6, 547.47, 3284.82, 39),  -- Salida sanitaria de PVC
  ('CASA01', 3, '05', 'PB', 'P-0501', 6, 1060.12, 6360.72, 40),  -- Salida hidráulica de cobre
  ('CASA01', 3, '05', 'PB', 'P-0503', 10, 592.15, 5921.5, 41),  -- Salida eléctrica
  ('CASA01', 4, '01', 'GEN', 'P-0106', 9, 1164.76, 10482.84, 42),  -- Limpieza permanente de obra
  ('CASA01', 4, '03', 'PA', 'P-0301', 0.4, 28432.4, 11372.96, 43),  -- Acero de refuerzo 1/2"
  ('CASA01', 4, '03', 'PA', 'P-0202', 0.17, 31390.74, 5336.43, 44),  -- Acero de refuerzo 3/8"
  ('CASA01', 4, '03', 'PA', 'P-0303', 13.2, 2620.56, 34591.39, 45),  -- Concreto f'c=250 en losas y trabes
  ('CASA01', 4, '04', 'PA', 'P-0404', 24, 363.57, 8725.68, 46),  -- Muro de tabique rojo 14 cm
  ('CASA01', 4, '04', 'GEN', 'P-0402', 240, 121.69, 29205.6, 47),  -- Aplanado exterior 1:2:8 (precio escalado 4.5 %)
  ('CASA01', 4, '05', 'PB', 'P-0501', 4, 1060.12, 4240.48, 48),  -- Salida hidráulica de cobre
  ('CASA01', 4, '05', 'PA', 'P-0501', 8, 1060.12, 8480.96, 49),  -- Salida hidráulica de cobre
  ('CASA01', 4, '05', 'PB', 'P-0503', 18, 592.15, 10658.7, 50),  -- Salida eléctrica
  ('CASA01', 4, '05', 'PA', 'P-0503', 21, 592.15, 12435.15, 51),  -- Salida eléctrica
  ('CASA01', 4, '06', 'GEN', 'P-0601', 96, 216.01, 20736.96, 52),  -- Impermeabilización de azotea
  ('CASA01', 4, '06', 'PB', 'P-0602', 260, 121.06, 31475.6, 53),  -- Yeso a regla en muros y plafones
  ('CASA01', 4, '06', 'PA', 'P-0602', 180, 121.06, 21790.8, 54),  -- Yeso a regla en muros y plafones
  ('CASA01', 4, '06', 'PB', 'P-0604', 78, 358, 27924, 55),  -- Piso cerámico 33x33
  ('CASA01', 4, '06', 'PA', 'P-0604', 20, 358, 7160, 56),  -- Piso cerámico 33x33
  ('CASA01', 4, '06', 'PA', 'P-0605', 22, 390.55, 8592.1, 57);  -- Lambrín de azulejo 20x30
