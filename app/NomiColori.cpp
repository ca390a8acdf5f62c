#include "app/NomiColori.h"

#include <cstdio>
#include <cstdint>

namespace qx {

namespace {
struct NomeColore {
  std::uint32_t valore;
  const char* nome;
};
// The toolkit's named colours: the sixteen standard ones, its four extra ones, then the
// system colours (0xFF000000 + the system index).
constexpr NomeColore kNomi[] = {
    {0x000000, "clBlack"},       {0x000080, "clMaroon"},        {0x008000, "clGreen"},
    {0x008080, "clOlive"},       {0x800000, "clNavy"},          {0x800080, "clPurple"},
    {0x808000, "clTeal"},        {0x808080, "clGray"},          {0xC0C0C0, "clSilver"},
    {0x0000FF, "clRed"},         {0x00FF00, "clLime"},          {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},        {0xFF00FF, "clFuchsia"},       {0xFFFF00, "clAqua"},
    {0xFFFFFF, "clWhite"},       {0xC0DCC0, "clMoneyGreen"},    {0xF0CAA6, "clSkyBlue"},
    {0xF0FBFF, "clCream"},       {0xA4A0A0, "clMedGray"},       {0xFF00000A, "clActiveBorder"},
    {0xFF000002, "clActiveCaption"}, {0xFF00000C, "clAppWorkSpace"}, {0xFF000001, "clBackground"},
    {0xFF00000F, "clBtnFace"},   {0xFF000014, "clBtnHighlight"}, {0xFF000010, "clBtnShadow"},
    {0xFF000012, "clBtnText"},   {0xFF000009, "clCaptionText"}, {0x20000000, "clDefault"},
    {0xFF00001B, "clGradientActiveCaption"}, {0xFF00001C, "clGradientInactiveCaption"},
    {0xFF000011, "clGrayText"},  {0xFF00000D, "clHighlight"},   {0xFF00000E, "clHighlightText"},
    {0xFF00001A, "clHotLight"},  {0xFF00000B, "clInactiveBorder"}, {0xFF000003, "clInactiveCaption"},
    {0xFF000013, "clInactiveCaptionText"}, {0xFF000018, "clInfoBk"}, {0xFF000017, "clInfoText"},
    {0xFF000004, "clMenu"},      {0xFF00001E, "clMenuBar"},     {0xFF00001D, "clMenuHighlight"},
    {0xFF000007, "clMenuText"},  {0x1FFFFFFF, "clNone"},        {0xFF000000, "clScrollBar"},
    {0xFF000015, "cl3DDkShadow"}, {0xFF000016, "cl3DLight"},    {0xFF000005, "clWindow"},
    {0xFF000006, "clWindowFrame"}, {0xFF000008, "clWindowText"},
};
}  // namespace

std::string ColorToString(TColor colore) {
  const auto v = static_cast<std::uint32_t>(colore);
  for (const NomeColore& n : kNomi)
    if (n.valore == v) return n.nome;
  char testo[16];
  std::snprintf(testo, sizeof testo, "$%.8X", v);
  return testo;
}

}  // namespace qx
