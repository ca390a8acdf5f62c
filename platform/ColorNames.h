// The toolkit's colour names ("clRed", "clWindowText", ...) and the text form of a colour:
// the name where the colour has one, else "$" and eight hexadecimal digits. Program files,
// settings, the object list and the mark-up captions all read and write colours this way.
#pragma once
#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Graphics.h"

namespace qx {

struct TColorName {
  TColor Color;
  std::string_view Name;
};

// One row per name, in the toolkit's own order (program files that write a colour by name
// take the first row that holds it).
inline constexpr std::array<TColorName, 52> kColorNames = {{
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
}};

// Letter case is ignored in ASCII only, as the toolkit compares identifiers.
inline bool SameIdent(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

// The name of a colour ("clRed"), or nothing when it has none.
inline std::optional<std::string_view> ColorToIdent(TColor color) {
  for (const TColorName& row : kColorNames)
    if (row.Color == color) return row.Name;
  return std::nullopt;
}

// The colour of a name, letter case ignored ("CLRED" is clRed).
inline std::optional<TColor> IdentToColor(std::string_view name) {
  for (const TColorName& row : kColorNames)
    if (SameIdent(row.Name, name)) return row.Color;
  return std::nullopt;
}

// The name, or "$" and eight upper-case hexadecimal digits ("$00123456").
inline std::string ColorToString(TColor color) {
  if (const auto name = ColorToIdent(color)) return std::string(*name);
  static constexpr char kHex[] = "0123456789ABCDEF";
  const auto bits = static_cast<std::uint32_t>(color);
  std::string s = "$00000000";
  for (int i = 0; i < 8; ++i) s[std::size_t(8 - i)] = kHex[(bits >> (4 * i)) & 0xF];
  return s;
}

// A name, a decimal number or "$" and a hexadecimal number (at most eight digits);
// nothing for any other text.
inline std::optional<TColor> StringToColor(std::string_view text) {
  if (const auto named = IdentToColor(text)) return named;
  if (text.empty()) return std::nullopt;
  if (text.front() == '$') {
    const std::string_view digits = text.substr(1);
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return static_cast<TColor>(value);
  }
  if (text.front() == '+') text.remove_prefix(1);
  std::int32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace qx
