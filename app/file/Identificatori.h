// The identifiers that program files write for enumerations and sets: the kinds of value,
// polygon and list, and the pen, brush and font styles of the toolkit, each in its
// ordinal order. Letter case is ignored on reading, as the toolkit does.
#pragma once
#include <array>
#include <optional>
#include <string_view>

#include "platform/ColorNames.h"
#include "values/Valori.h"

namespace qx {

inline constexpr std::array<std::string_view, 7> kNomiPenStyle = {
    "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"};
inline constexpr std::array<std::string_view, 16> kNomiPenMode = {
    "pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot", "pmMaskPenNot",
    "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor"};
inline constexpr std::array<std::string_view, 8> kNomiBrushStyle = {
    "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"};
// Set members, by bit: fsBold is bit 0.
inline constexpr std::array<std::string_view, 4> kNomiFontStyle = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
inline constexpr std::array<std::string_view, 11> kNomiTipiPoligono = {
    "T_POL", "T_QUADRATO", "T_RETTANGOLO", "T_TRAPEZIO_I", "T_TRAPEZIO_R", "T_TRIANGOLO_R",
    "T_TRIANGOLO_E", "T_TRIANGOLO_I", "T_ROMBO", "T_PENTAGONO", "T_ESAGONO"};
inline constexpr std::array<std::string_view, 2> kNomiTipiLista = {"T_GENERICA", "T_VETT_FUNZ"};

// The ordinal of an identifier in a table, or nothing.
template <std::size_t N>
std::optional<int> OrdinaleDi(const std::array<std::string_view, N>& nomi, std::string_view nome) {
  for (std::size_t i = 0; i < N; ++i)
    if (SameIdent(nomi[i], nome)) return static_cast<int>(i);
  return std::nullopt;
}

// The kind of value named by its member ("T_PUNTO"), markers included.
std::optional<TipiValore> TipoValoreDi(std::string_view nome);

}  // namespace qx
