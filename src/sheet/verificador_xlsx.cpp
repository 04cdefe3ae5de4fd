#include "sheet/verificador_xlsx.h"

#include "common/error_qel.h"

#include <fmt/format.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

namespace pmq {
namespace {

[[noreturn]] void Falla(std::string_view motivo) {
  throw ErrorQel(errores::kAplicacion,
                 fmt::format("el archivo escrito está incompleto ({})", motivo));
}

uint32_t Lee16(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8);
}
uint32_t Lee32(const unsigned char* p) {
  return Lee16(p) | (Lee16(p + 2) << 16);
}

struct Archivo {
  explicit Archivo(const std::string& ruta) : f(std::fopen(ruta.c_str(), "rb")) {}
  ~Archivo() {
    if (f != nullptr) std::fclose(f);
  }
  Archivo(const Archivo&) = delete;
  Archivo& operator=(const Archivo&) = delete;

  void Lee(int64_t posicion, void* destino, size_t bytes) const {
    if (fseeko(f, posicion, SEEK_SET) != 0 || std::fread(destino, 1, bytes, f) != bytes)
      Falla("lectura");
  }
  FILE* f;
};

struct Entrada {
  std::string nombre;
  uint32_t metodo = 0;
  uint64_t comprimido = 0;
  uint64_t tamano = 0;
  uint64_t local = 0;
};

// The root element's name: the first tag that is not the XML declaration.
std::string Raiz(std::string_view inicio) {
  size_t p = 0;
  while ((p = inicio.find('<', p)) != std::string_view::npos) {
    if (p + 1 < inicio.size() && inicio[p + 1] != '?') {
      const size_t fin = inicio.find_first_of(" />\r\n\t", p + 1);
      if (fin == std::string_view::npos) return {};
      return std::string(inicio.substr(p + 1, fin - p - 1));
    }
    ++p;
  }
  return {};
}

void VerificaParte(const Archivo& archivo, const Entrada& e) {
  unsigned char cabecera[30];
  archivo.Lee(static_cast<int64_t>(e.local), cabecera, sizeof cabecera);
  if (Lee32(cabecera) != 0x04034b50) Falla(e.nombre);
  int64_t posicion =
      static_cast<int64_t>(e.local) + 30 + Lee16(cabecera + 26) + Lee16(cabecera + 28);
  if (e.metodo != 0 && e.metodo != Z_DEFLATED) Falla(e.nombre);

  z_stream z{};
  if (e.metodo == Z_DEFLATED && inflateInit2(&z, -MAX_WBITS) != Z_OK) Falla(e.nombre);
  std::unique_ptr<z_stream, int (*)(z_stream*)> guarda(e.metodo == Z_DEFLATED ? &z : nullptr,
                                                       inflateEnd);
  std::vector<unsigned char> entrada(1 << 16);
  std::vector<unsigned char> salida(1 << 16);
  std::string inicio;
  std::string cola;
  uint64_t total = 0;
  uint64_t restante = e.comprimido;
  auto toma = [&](const unsigned char* datos, size_t n) {
    total += n;
    if (inicio.size() < 512)
      inicio.append(reinterpret_cast<const char*>(datos), std::min<size_t>(n, 512));
    cola.append(reinterpret_cast<const char*>(datos), n);
    if (cola.size() > 256) cola.erase(0, cola.size() - 256);
  };
  bool terminado = false;
  while (restante > 0 && !terminado) {
    const size_t n = static_cast<size_t>(std::min<uint64_t>(restante, entrada.size()));
    archivo.Lee(posicion, entrada.data(), n);
    posicion += static_cast<int64_t>(n);
    restante -= n;
    if (e.metodo == 0) {
      toma(entrada.data(), n);
      continue;
    }
    z.next_in = entrada.data();
    z.avail_in = static_cast<uInt>(n);
    while (z.avail_in > 0 && !terminado) {
      z.next_out = salida.data();
      z.avail_out = static_cast<uInt>(salida.size());
      const int r = inflate(&z, Z_NO_FLUSH);
      if (r != Z_OK && r != Z_STREAM_END) Falla(e.nombre);
      toma(salida.data(), salida.size() - z.avail_out);
      terminado = r == Z_STREAM_END;
    }
  }
  if (total != e.tamano) Falla(e.nombre);
  const std::string raiz = Raiz(inicio);
  if (raiz.empty()) Falla(e.nombre);
  auto recorta = [](std::string_view t) {
    const size_t fin = t.find_last_not_of(" \r\n\t");
    return fin == std::string_view::npos ? std::string_view() : t.substr(0, fin + 1);
  };
  const std::string_view final_texto = recorta(cola);
  bool completo = final_texto.ends_with("</" + raiz + ">");
  if (!completo && inicio.size() == total) {
    // A root with no content closes itself: "<raiz .../>" is the last tag.
    const std::string_view todo = recorta(inicio);
    const size_t r = todo.find("<" + raiz);
    completo = r != std::string_view::npos && todo.find('<', r + 1) == std::string_view::npos &&
               todo.ends_with("/>");
  }
  if (!completo) Falla(e.nombre);
}

}  // namespace

void VerificadorXlsx::Verifica(const std::string& ruta) {
  Archivo archivo(ruta);
  if (archivo.f == nullptr) Falla("no se puede leer");
  if (fseeko(archivo.f, 0, SEEK_END) != 0) Falla("lectura");
  const int64_t largo = ftello(archivo.f);
  // The end-of-central-directory record is in the last 22 to 65,557 bytes.
  const int64_t desde = std::max<int64_t>(0, largo - 65557);
  std::vector<unsigned char> final_archivo(static_cast<size_t>(largo - desde));
  if (final_archivo.size() < 22) Falla("no es un zip");
  archivo.Lee(desde, final_archivo.data(), final_archivo.size());
  int64_t fin_directorio = -1;
  for (int64_t i = static_cast<int64_t>(final_archivo.size()) - 22; i >= 0; --i) {
    if (Lee32(&final_archivo[static_cast<size_t>(i)]) == 0x06054b50) {
      fin_directorio = i;
      break;
    }
  }
  if (fin_directorio < 0) Falla("no es un zip");
  const unsigned char* eocd = &final_archivo[static_cast<size_t>(fin_directorio)];
  const uint32_t entradas = Lee16(eocd + 10);
  const uint32_t tamano_directorio = Lee32(eocd + 12);
  const uint32_t inicio_directorio = Lee32(eocd + 16);
  std::vector<unsigned char> directorio(tamano_directorio);
  archivo.Lee(inicio_directorio, directorio.data(), directorio.size());
  size_t p = 0;
  bool hay_hoja = false;
  for (uint32_t k = 0; k < entradas; ++k) {
    if (p + 46 > directorio.size() || Lee32(&directorio[p]) != 0x02014b50) Falla("directorio");
    Entrada e;
    e.metodo = Lee16(&directorio[p + 10]);
    e.comprimido = Lee32(&directorio[p + 20]);
    e.tamano = Lee32(&directorio[p + 24]);
    const uint32_t largo_nombre = Lee16(&directorio[p + 28]);
    const uint32_t largo_extra = Lee16(&directorio[p + 30]);
    const uint32_t largo_comentario = Lee16(&directorio[p + 32]);
    e.local = Lee32(&directorio[p + 42]);
    if (p + 46 + largo_nombre > directorio.size()) Falla("directorio");
    e.nombre.assign(reinterpret_cast<const char*>(&directorio[p + 46]), largo_nombre);
    p += 46 + largo_nombre + largo_extra + largo_comentario;
    const bool xml =
        e.nombre.size() > 4 && (e.nombre.ends_with(".xml") || e.nombre.ends_with(".rels"));
    if (xml) VerificaParte(archivo, e);
    hay_hoja = hay_hoja || e.nombre.starts_with("xl/worksheets/");
  }
  if (!hay_hoja) Falla("sin hojas");
}

}  // namespace pmq
