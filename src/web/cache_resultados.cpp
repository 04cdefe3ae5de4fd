#include "cache_resultados.h"

#include <promorlaqel/db/conexion.h>
#include <promorlaqel/model/programa.h>

#include <sys/stat.h>

namespace pmq::web {
namespace {

bool EsServidor(const std::string& bd) {
  return bd.starts_with("postgresql://") || bd.starts_with("postgres://");
}

}  // namespace

CacheResultados::Resultado::~Resultado() = default;

CacheResultados::CacheResultados(std::string bd, size_t capacidad, int64_t lineas_max,
                                 std::chrono::seconds vida_servidor)
    : bd_(std::move(bd)),
      capacidad_(capacidad),
      lineas_max_(lineas_max),
      vida_servidor_(vida_servidor) {
  if (!EsServidor(bd_)) archivo_ = Conexion::RutaDeTexto(bd_);
}

std::optional<CacheResultados::Sello> CacheResultados::SelloActual() const {
  Sello s;
  if (archivo_.empty()) return s;
  struct stat st {};
  if (stat(archivo_.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  s.tamano = st.st_size;
  s.modificado = st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
  const std::string wal = archivo_ + "-wal";
  if (stat(wal.c_str(), &st) == 0) {
    s.tamano_wal = st.st_size;
    s.modificado_wal = st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
  }
  return s;
}

bool CacheResultados::BaseDisponible() const {
  return SelloActual().has_value();
}

std::shared_ptr<const CacheResultados::Resultado> CacheResultados::Vigente(
    const std::string& clave, const std::optional<Sello>& s) {
  std::lock_guard candado(mapa_mutex_);
  auto it = mapa_.find(clave);
  if (it == mapa_.end()) return nullptr;
  const bool caducado = archivo_.empty()
                            ? std::chrono::steady_clock::now() - it->second.hecho > vida_servidor_
                            : !s || !(it->second.sello == *s);
  if (caducado) {
    lineas_ -= it->second.resultado->lineas;
    usos_.erase(it->second.uso);
    mapa_.erase(it);
    return nullptr;
  }
  usos_.splice(usos_.begin(), usos_, it->second.uso);
  return it->second.resultado;
}

std::shared_ptr<const CacheResultados::Resultado> CacheResultados::Obtiene(const std::string& clave,
                                                                           const Calcula& calcula) {
  // The stamp is taken before calculating: a change made during the
  // calculation then makes the next request calculate again.
  std::optional<Sello> s = SelloActual();
  if (auto r = Vigente(clave, s)) return r;

  std::unique_lock libreria = Biblioteca();
  if (auto r = Vigente(clave, s)) return r;  // another request made it meanwhile
  std::shared_ptr<const Resultado> nuevo = calcula();
  libreria.unlock();
  if (!nuevo || nuevo->resultado == 0 || !s) return nuevo;

  std::vector<std::shared_ptr<const Resultado>> desalojados;  // released outside the lock
  std::lock_guard candado(mapa_mutex_);
  auto it = mapa_.find(clave);
  if (it != mapa_.end()) {
    lineas_ -= it->second.resultado->lineas;
    desalojados.push_back(std::move(it->second.resultado));
    usos_.erase(it->second.uso);
    mapa_.erase(it);
  }
  usos_.push_front(clave);
  mapa_.emplace(clave, Entrada{nuevo, *s, std::chrono::steady_clock::now(), usos_.begin()});
  lineas_ += nuevo->lineas;
  // The newest result always stays, however large.
  while (mapa_.size() > 1 && (mapa_.size() > capacidad_ || lineas_ > lineas_max_)) {
    auto viejo = mapa_.find(usos_.back());
    lineas_ -= viejo->second.resultado->lineas;
    desalojados.push_back(std::move(viejo->second.resultado));
    mapa_.erase(viejo);
    usos_.pop_back();
  }
  return nuevo;
}

size_t CacheResultados::Tamano() const {
  std::lock_guard candado(mapa_mutex_);
  return mapa_.size();
}

}  // namespace pmq::web
