-- Work A7 for the estimates summary tests: two sections; lines billed in
-- estimates 1 and 2 (one at a unit price of its own, one only in estimate 2),
-- one line billed in none; a price of 0.125 whose amount rounds to 0.13; a
-- row of an estimate numbered 0, which has no columns anywhere.
-- Work B2 has lines but no estimates at all.
insert into OBRAS (OBRA, NOMBREOBRA, INICIO, FINAL, VIVIENDA, IVAAPLIC) values
  ('A7', 'Obra resumen', '2013-03-15', '2013-05-10', 0, 16),
  ('B2', 'Obra sin estimaciones', '2013-03-15', '2013-05-10', 0, 16);
insert into FSR values ('A7', 3, 2), ('B2', 3, 2);
insert into FSCD values ('A7', 5), ('B2', 5);
insert into FACMAQ values ('A7', 1,1,1,1,1,1,1,1,1, 1,1,1,1,1,1,1,1,1), ('B2', 1,1,1,1,1,1,1,1,1, 1,1,1,1,1,1,1,1,1);
insert into CONCEPTO (CONCEPTO, UNIDAD, COSTO, NOM_CORTO, NOM_LARGO, TIPO) values
  ('C-1', 'm2', 12.5, 'Firme de concreto', 'Firme de concreto', 1),
  ('C-2', 'pza', 0.125, 'Taquete, "plástico"', 'Taquete, "plástico"', 1),
  ('C-3', 'm3', 100, 'Zapata', 'Zapata', 1);
insert into PARTIDAS (OBRA, PARTIDA, NOMPARTIDA, PNOM_LARGO, PI_F, PT_F, IMPORTE) values
  ('A7', '01', 'Preliminares', 'Preliminares', '2013-03-15', '2013-04-30', 0),
  ('A7', '02', 'Estructura', 'Estructura', '2013-03-15', '2013-05-10', 0),
  ('B2', '01', 'Unica', 'Unica', '2013-03-15', '2013-05-10', 0);
insert into PRESUPS (OBRA, PARTIDA, FRENTE, CONCEPTO, CANT_PRES, ADITIVA, DEDUCTIVA, FECHA_INI, FECHA_FIN, PUNIT, IMPORTE, ORDEN) values
  ('A7', '01', 'F1', 'C-1', 10, 2, 1, '2013-03-20', '2013-04-19', 12.5, 125, 1),
  ('A7', '01', '', 'C-2', 1, 0, 0, '2013-03-20', '2013-04-19', 0.125, 0.13, 2),
  ('A7', '02', '', 'C-3', 3.5, 0.5, 0, '2013-04-01', '2013-05-10', 100, 350, 1),
  ('A7', '02', 'F2', 'C-1', 2, 0, 0.25, '2013-04-01', '2013-05-10', 12.5, 25, 2),
  ('B2', '01', '', 'C-1', 4, 1, 0, '2013-03-20', '2013-04-19', 12.5, 50, 1),
  ('B2', '01', '', 'C-3', 1.5, 0, 0, '2013-03-20', '2013-04-19', 100, 150, 2);
insert into EST1 (OBRA, ESTIMACION, FECHA_EST, INI_EST, FIN_EST, DEDUC_EST, AMORT_EST, IVA_AMORT) values
  ('A7', 1, '2013-03-31', '2013-03-15', '2013-03-31', 0, 0, 0),
  ('A7', 2, '2013-04-30', '2013-04-01', '2013-04-30', 0, 0, 0);
insert into EST2 (OBRA, ESTIMACION, PARTIDA, FRENTE, CONCEPTO, CANT_EST, PUNIT, IMPORTE, ORDEN) values
  ('A7', 2, '01', 'F1', 'C-1', 3, 13, 39, 3),
  ('A7', 1, '01', 'F1', 'C-1', 4, 12.5, 50, 1),
  ('A7', 2, '01', '', 'C-2', 1, 0.125, 0.125, 4),
  ('A7', 1, '02', '', 'C-3', 1.25, 100, 125, 2),
  ('A7', 0, '02', '', 'C-3', 9, 9, 81, 5);
