#pragma once
// The look of one cell: number format, alignments, wrap and shrink, and the
// interior (fill). Codes are the automation's own.

#include <cstdint>
#include <string>

namespace pmq {

/// Horizontal and vertical alignment codes.
inline constexpr int32_t kAlineaGeneral = 1;
inline constexpr int32_t kAlineaCentro = -4108;
inline constexpr int32_t kAlineaIzquierda = -4131;
inline constexpr int32_t kAlineaDerecha = -4152;
inline constexpr int32_t kAlineaRellenar = 5;
inline constexpr int32_t kAlineaJustificar = -4130;
inline constexpr int32_t kAlineaCentrarEnSeleccion = 7;
inline constexpr int32_t kAlineaDistribuido = -4117;
inline constexpr int32_t kAlineaArriba = -4160;
inline constexpr int32_t kAlineaAbajo = -4107;

/// Interior codes: no fill, automatic, solid pattern.
inline constexpr int32_t kColorNinguno = -4142;
inline constexpr int32_t kColorAutomatico = -4105;
inline constexpr int32_t kPatronSolido = 1;

/// Window states of the application.
inline constexpr int32_t kVentanaMinimizada = -4140;
inline constexpr int32_t kVentanaMaximizada = -4137;
inline constexpr int32_t kVentanaNormal = -4143;

/// Built-in number formats a named style stands for.
inline constexpr uint8_t kFormatoIntegradoMoneda = 7;      // "$"#,##0.00_);("$"#,##0.00)
inline constexpr uint8_t kFormatoIntegradoMillares = 4;    // #,##0.00
inline constexpr uint8_t kFormatoIntegradoPorcentaje = 9;  // 0%

struct FormatoCelda {
  std::string numero;      ///< number format code; "" with integrado 0 is General
  uint8_t integrado = 0;   ///< built-in number format (0 = use `numero`)
  int32_t horizontal = 0;  ///< alignment code, 0 = not set (general)
  int32_t vertical = 0;    ///< alignment code, 0 = not set (bottom)
  bool encoger = false;    ///< ShrinkToFit
  bool ajustar = false;    ///< WrapText
  int16_t color = 0;       ///< interior colour index 1-56, 0 = no fill
  int32_t patron = 0;      ///< interior pattern code, 0 = not set

  /// The number format as the automation reads it back ("General" when unset).
  std::string NumberFormat() const;
  /// True when the cell shows a fill.
  bool TieneRelleno() const { return color > 0 || (patron != 0 && patron != kColorNinguno); }

  bool operator==(const FormatoCelda&) const = default;
};

/// The RGB value of an interior colour index of the standard 56-colour palette
/// (1 = black 0x000000, 2 = white, 3 = red …). -1 outside 1 to 56.
int32_t ColorDePaleta(int32_t indice);

}  // namespace pmq
