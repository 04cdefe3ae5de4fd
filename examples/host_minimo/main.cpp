// host_minimo BASE OBRA [PROGRAMA.xlsx RESUMEN.xlsx]: the smallest program that
// hosts the library. It creates the root object, sets its options, the
// database and the work, runs the calculation and prints the work's total and
// its budget lines: section, work front, concept, quantity, amount and the
// concept's direct unit cost. Given two file names, it also writes the monthly
// financial program and the estimates summary to them, with no form shown.

#include <promorlaqel/promorlaqel.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3 && argc != 5) {
    std::fprintf(stderr, "uso: host_minimo BASE OBRA [PROGRAMA.xlsx RESUMEN.xlsx]\n");
    return 64;
  }

  pmq::Programa programa;
  programa.DesglosarConceptos = true;   // break every line down into priced inputs
  programa.DesglosarMaquinaria = true;  // and machines into their hourly costs
  programa.Ruta = argv[1];
  programa.ClaveObra = argv[2];

  std::string errores;
  const pmq::ResultadoCarga resultado = programa.CalcularPrograma(errores);
  if (!errores.empty()) std::fputs(errores.c_str(), stderr);
  if (resultado != pmq::ResultadoCarga::Correcta) {
    std::fprintf(stderr, "CalcularPrograma devolvió %d\n", static_cast<int>(resultado));
    return 1;
  }

  const pmq::Obra& obra = *programa.Obra;
  std::printf("Obra %s: %s\n", obra.Des.Clave.c_str(), obra.Des.Descripcion.c_str());
  std::printf("Importe total: %s\n", obra.ImporteTotal.Texto().c_str());
  for (const pmq::Partida* partida : *obra.Partidas) {
    for (const pmq::Presup* linea : *partida->Presups) {
      // The concept's breakdown per unit, priced with the work's factors.
      const pmq::Concepto* concepto = linea->Concepto;
      const std::string clave = concepto ? concepto->Des.Clave : "-";
      const std::string directo =
          concepto && concepto->Explosion ? concepto->Explosion->Total.Texto() : "-";
      std::printf("%s\t%s\t%s\t%g\t%s\t%s\n", partida->Des.Clave.c_str(), linea->Des.Frente.c_str(),
                  clave.c_str(), linea->Des.Cantidad, linea->Des.Importe.Texto().c_str(),
                  directo.c_str());
    }
  }
  if (argc == 3) return 0;

  // The two workbooks: each call says whether its file was written, and why not.
  pmq::ProgramasCtrl& programas = *programa.ProgramasObraCtrl;
  programas.Programa = &programa;
  const pmq::ResultadoEscritura libro_programa =
      programas.Escribe(argv[3], pmq::etpAvanceFinanciero, true, errores);
  pmq::ResumenesCtrl& resumenes = *programa.ResumenesEstCtrl;
  resumenes.Programa = &programa;
  const pmq::ResultadoEscritura libro_resumen = resumenes.Escribe(argv[4], errores);
  for (const pmq::ResultadoEscritura* r : {&libro_programa, &libro_resumen}) {
    if (!r->escrito) std::fprintf(stderr, "no se escribió el libro: %s\n", r->motivo.c_str());
  }
  return libro_programa && libro_resumen ? 0 : 1;
}
