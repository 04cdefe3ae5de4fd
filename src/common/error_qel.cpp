#include "common/error_qel.h"

#include "common/texto_seguro.h"

#include <fmt/format.h>

#include <new>

namespace pmq {

std::string_view DescripcionError(int numero) {
  switch (numero) {
    case errores::kLlamadaNoValida:
      return "Llamada a procedimiento o argumento no válidos";
    case errores::kDesbordamiento:
      return "Desbordamiento";
    case errores::kMemoria:
      return "Memoria insuficiente";
    case errores::kSubindice:
      return "Subíndice fuera del intervalo";
    case errores::kDivisionCero:
      return "División por cero";
    case errores::kTipos:
      return "No coinciden los tipos";
    case errores::kArchivo:
      return "No se ha encontrado el archivo";
    case errores::kArchivoExiste:
      return "El archivo ya existe";
    case errores::kPermiso:
      return "Permiso denegado";
    case errores::kRuta:
      return "No se ha encontrado la ruta de acceso";
    case errores::kObjeto:
      return "Variable de objeto o bloque With no establecido";
    case errores::kNull:
      return "Uso no válido de Null";
    case errores::kSinMetodo:
      return "El objeto no acepta esta propiedad o método";
    case errores::kComponente:
      return "El componente ActiveX no puede crear el objeto";
    case errores::kClaveDuplicada:
      return "Esta clave ya está asociada con un elemento de esta colección";
    case errores::kServidorRemoto:
      return "El equipo servidor remoto no existe o no está disponible";
    case errores::kAplicacion:
      return "Error definido por la aplicación o el objeto";
    case errores::kCampo:
      return "No se encontró el elemento en la colección que corresponde con el nombre o el "
             "ordinal solicitado.";
    case errores::kConexion:
      return "La operación no está permitida si el objeto está cerrado.";
    case errores::kCancelar:
      return "Se seleccionó Cancelar.";
    case errores::kBaseDatos:
      return "Error no especificado";
    default:
      return "";
  }
}

ErrorQel::ErrorQel(int numero) : ErrorQel(numero, std::string(DescripcionError(numero))) {}

ErrorQel::ErrorQel(int numero, std::string descripcion)
    : std::runtime_error(descripcion), numero_(numero), descripcion_(std::move(descripcion)) {}

ErrorActual ErrorDeExcepcionActual() {
  try {
    throw;
  } catch (const ErrorQel& e) {
    return {e.Numero(), e.Descripcion()};
  } catch (const std::bad_alloc&) {
    return {errores::kMemoria, std::string(DescripcionError(errores::kMemoria))};
  } catch (const std::overflow_error&) {
    return {errores::kDesbordamiento, std::string(DescripcionError(errores::kDesbordamiento))};
  } catch (const std::out_of_range&) {
    return {errores::kSubindice, std::string(DescripcionError(errores::kSubindice))};
  } catch (const std::exception& e) {
    return {errores::kLlamadaNoValida, e.what()};
  } catch (...) {
    return {errores::kLlamadaNoValida, std::string(DescripcionError(errores::kLlamadaNoValida))};
  }
}

std::string TextoExcepcion(std::string_view prefijo, std::string_view clase,
                           std::string_view operacion, int numero, std::string_view descripcion) {
  std::string texto;
  if (!prefijo.empty()) {
    texto = fmt::format("{}.", prefijo);
  }
  // A description may quote a connection text: its password never goes out.
  texto += fmt::format("{}.{}() arrojó la excepción # {} {}\n", clase, operacion, numero,
                       OcultaClaves(descripcion));
  return texto;
}

void AnotaExcepcionConPrefijo(std::string& sErrores, std::string_view prefijo,
                              std::string_view clase, std::string_view operacion) {
  const ErrorActual e = ErrorDeExcepcionActual();
  sErrores += TextoExcepcion(prefijo, clase, operacion, e.numero, e.descripcion);
}

void AnotaExcepcion(std::string& sErrores, std::string_view clase, std::string_view operacion) {
  AnotaExcepcionConPrefijo(sErrores, "ProMorlaQel", clase, operacion);
}

}  // namespace pmq
