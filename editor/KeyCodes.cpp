#include "editor/KeyCodes.h"

namespace qx {

namespace {

// Names of the keys between Space (0x20) and Down (0x28), as menus show them.
constexpr const char* kNavigationNames[] = {"Space", "PgUp", "PgDn", "End", "Home", "Left", "Up", "Right", "Down"};

std::string KeyName(unsigned key) {
  if (key == VK_BACK) return "BkSp";
  if (key == VK_TAB) return "Tab";
  if (key == VK_RETURN) return "Enter";
  if (key == VK_ESCAPE) return "Esc";
  if (key >= 0x20 && key <= 0x28) return kNavigationNames[key - 0x20];
  if (key == VK_INSERT) return "Ins";
  if (key == VK_DELETE) return "Del";
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= 0x60 && key <= 0x69) return std::string(1, static_cast<char>('0' + key - 0x60));  // keypad digits
  if (key >= 0x70 && key <= 0x87) return "F" + std::to_string(key - 0x6F);
  return "";
}

}  // namespace

TShortCut ShortCut(std::uint16_t key, TShiftState shift) {
  // A key code that overlaps the modifier bits has no shortcut.
  if (key & (scShift | scCtrl | scAlt)) return 0;
  TShortCut result = key;
  if (shift & ssShift) result |= scShift;
  if (shift & ssCtrl) result |= scCtrl;
  if (shift & ssAlt) result |= scAlt;
  return result;
}

void ShortCutToKey(TShortCut shortCut, std::uint16_t& key, TShiftState& shift) {
  key = shortCut & ~(scShift | scCtrl | scAlt);
  shift = 0;
  if (shortCut & scShift) shift |= ssShift;
  if (shortCut & scCtrl) shift |= ssCtrl;
  if (shortCut & scAlt) shift |= ssAlt;
}

std::string ShortCutToText(TShortCut shortCut) {
  const std::string name = KeyName(shortCut & 0xFF);
  if (name.empty()) return "";
  std::string result;
  if (shortCut & scShift) result += "Shift+";
  if (shortCut & scCtrl) result += "Ctrl+";
  if (shortCut & scAlt) result += "Alt+";
  return result + name;
}

}  // namespace qx
