#include "controls/ToolkitColors.h"

#include <QGuiApplication>

namespace qx {

namespace {

struct SystemRole {
  QPalette::ColorGroup Group;
  QPalette::ColorRole Role;
};

// Index of a system colour -> the palette entry that plays its part on this desktop.
constexpr SystemRole kSystemRoles[] = {
    {QPalette::Active, QPalette::Window},           // clScrollBar
    {QPalette::Active, QPalette::Dark},             // clBackground
    {QPalette::Active, QPalette::Highlight},        // clActiveCaption
    {QPalette::Active, QPalette::Mid},              // clInactiveCaption
    {QPalette::Active, QPalette::Window},           // clMenu
    {QPalette::Active, QPalette::Base},             // clWindow
    {QPalette::Active, QPalette::Shadow},           // clWindowFrame
    {QPalette::Active, QPalette::WindowText},       // clMenuText
    {QPalette::Active, QPalette::Text},             // clWindowText
    {QPalette::Active, QPalette::HighlightedText},  // clCaptionText
    {QPalette::Active, QPalette::Window},           // clActiveBorder
    {QPalette::Active, QPalette::Window},           // clInactiveBorder
    {QPalette::Active, QPalette::Dark},             // clAppWorkSpace
    {QPalette::Active, QPalette::Highlight},        // clHighlight
    {QPalette::Active, QPalette::HighlightedText},  // clHighlightText
    {QPalette::Active, QPalette::Button},           // clBtnFace
    {QPalette::Active, QPalette::Dark},             // clBtnShadow
    {QPalette::Disabled, QPalette::Text},           // clGrayText
    {QPalette::Active, QPalette::ButtonText},       // clBtnText
    {QPalette::Disabled, QPalette::WindowText},     // clInactiveCaptionText
    {QPalette::Active, QPalette::Light},            // clBtnHighlight
    {QPalette::Active, QPalette::Shadow},           // cl3DDkShadow
    {QPalette::Active, QPalette::Midlight},         // cl3DLight
    {QPalette::Active, QPalette::ToolTipText},      // clInfoText
    {QPalette::Active, QPalette::ToolTipBase},      // clInfoBk
    {QPalette::Active, QPalette::Window},           // (unused index 25)
    {QPalette::Active, QPalette::Link},             // clHotLight
    {QPalette::Active, QPalette::Highlight},        // clGradientActiveCaption
    {QPalette::Active, QPalette::Mid},              // clGradientInactiveCaption
    {QPalette::Active, QPalette::Highlight},        // clMenuHighlight
    {QPalette::Active, QPalette::Window},           // clMenuBar
};

}  // namespace

QColor ToQColor(TColor color, const QPalette& palette) {
  if (color == clNone) return Qt::transparent;
  if (color == clDefault) return palette.color(QPalette::Active, QPalette::Base);
  if (IsSystemColor(color)) {
    const auto index = static_cast<std::size_t>(color & 0xFF);
    if (index >= std::size(kSystemRoles)) return Qt::black;
    return palette.color(kSystemRoles[index].Group, kSystemRoles[index].Role);
  }
  return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

QColor ToQColor(TColor color) {
  if (!IsSystemColor(color) && color != clDefault && color != clNone)
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
  return ToQColor(color, QGuiApplication::palette());
}

TColor FromQColor(const QColor& color) { return RGBColor(color.red(), color.green(), color.blue()); }

}  // namespace qx
