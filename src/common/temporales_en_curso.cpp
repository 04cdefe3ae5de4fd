#include "common/temporales_en_curso.h"

#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstring>

namespace pmq {
namespace {

enum Estado : int { kLibre = 0, kEscribiendo = 1, kListo = 2 };

struct Plaza {
  std::atomic<int> estado{kLibre};
  char ruta[TemporalesEnCurso::kLargoMaximo + 1] = {};
};

// Fixed size: lives for the process and never grows.
Plaza g_plazas[TemporalesEnCurso::kPlazas];

static_assert(std::atomic<int>::is_always_lock_free, "a signal handler reads the record");

extern "C" void AlRecibirSenal(int senal) {
  TemporalesEnCurso::BorraTodos();
  std::signal(senal, SIG_DFL);
  std::raise(senal);
}

}  // namespace

int TemporalesEnCurso::Registra(const char* ruta) noexcept {
  const size_t largo = std::strlen(ruta);
  if (largo > static_cast<size_t>(kLargoMaximo)) return -1;
  for (int i = 0; i < kPlazas; ++i) {
    int libre = kLibre;
    if (!g_plazas[i].estado.compare_exchange_strong(libre, kEscribiendo)) continue;
    std::memcpy(g_plazas[i].ruta, ruta, largo + 1);
    g_plazas[i].estado.store(kListo, std::memory_order_release);
    return i;
  }
  return -1;
}

void TemporalesEnCurso::Suelta(int plaza) noexcept {
  if (plaza < 0 || plaza >= kPlazas) return;
  g_plazas[plaza].estado.store(kLibre, std::memory_order_release);
}

void TemporalesEnCurso::BorraTodos() noexcept {
  for (Plaza& p : g_plazas) {
    if (p.estado.load(std::memory_order_acquire) == kListo) unlink(p.ruta);
  }
}

void TemporalesEnCurso::ProtegeDeSenales() noexcept {
  struct sigaction accion {};
  accion.sa_handler = AlRecibirSenal;
  sigemptyset(&accion.sa_mask);
  accion.sa_flags = 0;
  sigaction(SIGINT, &accion, nullptr);
  sigaction(SIGTERM, &accion, nullptr);
}

}  // namespace pmq
