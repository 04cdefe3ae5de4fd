#include "catalogue/listado_explosion.h"

#include "catalogue/concepto.h"
#include "common/formato.h"

#include <ios>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

namespace pmq {
namespace {

constexpr std::string_view kEncabezado =
    " ORIGEN     CONCEPTO    CANTIDAD     CANTIDAD ALT.   PARCIAL";
constexpr std::string_view kSeparador = " ";

const std::string& Regla() {
  static const std::string regla(99, '-');
  return regla;
}

// Characters of a UTF-8 text (continuation bytes are not counted).
size_t Caracteres(std::string_view texto) {
  size_t n = 0;
  for (unsigned char c : texto) {
    if ((c & 0xC0) != 0x80) ++n;
  }
  return n;
}

// Right-aligned in `ancho` characters; a wider text is left as it is.
std::string ADerecha(std::string_view texto, size_t ancho) {
  const size_t n = Caracteres(texto);
  std::string r;
  if (n < ancho) r.assign(ancho - n, ' ');
  r += texto;
  return r;
}

std::string ClaveDe(const Concepto* c) {
  return c == nullptr ? std::string() : c->Des.Clave;
}

}  // namespace

void EscribeExplosion(const Concepto& oConcepto, std::ostream& salida) {
  if (!oConcepto.Explosion) {
    salida << oConcepto.Des.Clave << " NO TIENE EXPLOSION!!!\n";
    return;
  }
  const Explosion& e = *oConcepto.Explosion;
  salida << " Explosión de " << oConcepto.Des.Clave << ' ' << oConcepto.Des.Descripcion
         << " Unidad " << oConcepto.Des.Unidad << " Volumen "
         << FormatoNumero(e.VolumenObra, "###,##0.000000") << " Destajo "
         << FormatoNumero(e.DestajoUnitario.ADouble(), "$ ###,###,##0.00") << '\n';
  if (!e.Items.empty()) {
    salida << Regla() << '\n' << kEncabezado << '\n' << Regla() << '\n';
    for (const ItemExplosion* linea : e.Items) {
      std::string fila = ADerecha(ClaveDe(linea->ConceptoOrigen), 8);
      fila += kSeparador;
      fila += ADerecha(ClaveDe(linea->Concepto), 8);
      fila += kSeparador;
      fila += ADerecha(FormatoNumero(linea->Cantidad, "###,###,##0.000000"), 15);
      fila += kSeparador;
      fila += ADerecha(FormatoNumero(linea->CantidadAlt, "###,###,##0.000000"), 15);
      fila += kSeparador;
      fila += ADerecha(FormatoNumero(linea->Parcial.ADouble(), "$ ###,###,##0.00"), 15);
      if (linea->EsInsumoMaquina) {
        fila += kSeparador;
        fila += '*';
      }
      salida << fila << '\n';
    }
  }
  salida << Regla() << '\n' << " RESUMEN\n";
  const std::pair<std::string_view, Moneda> totales[] = {
      {"Materiales     : ", e.TotalMateriales}, {"ManoDeObra     : ", e.TotalManoDeObra},
      {"Maquinaria     : ", e.TotalMaquinaria}, {"Subcontratos   : ", e.TotalSubcontratos},
      {"Indirectos     : ", e.TotalIndirectos}, {"CostoDirecto   : ", e.Total},
      {"Destajos       : ", e.TotalDestajos},
  };
  for (const auto& [etiqueta, importe] : totales) {
    salida << etiqueta << ADerecha(FormatoNumero(importe.ADouble(), "$ ###,##0.00"), 15) << '\n';
  }
  if (!salida) throw std::ios_base::failure("No se pudo escribir el listado de la explosión");
}

}  // namespace pmq
