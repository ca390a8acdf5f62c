// Key codes and modifier states of the keyboard, independent of any window toolkit: the
// virtual-key numbers that key bindings store, the shift-state flags, and the 16-bit
// shortcut that packs a key with its modifiers.
#pragma once
#include <cstdint>
#include <string>

namespace qx {

// Shift state flags (a set: combine with |).
using TShiftState = std::uint8_t;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;

// Virtual-key numbers.
constexpr std::uint16_t VK_BACK = 8;
constexpr std::uint16_t VK_TAB = 9;
constexpr std::uint16_t VK_RETURN = 13;
constexpr std::uint16_t VK_ESCAPE = 27;
constexpr std::uint16_t VK_SPACE = 32;
constexpr std::uint16_t VK_PRIOR = 33;  // PageUp
constexpr std::uint16_t VK_NEXT = 34;   // PageDown
constexpr std::uint16_t VK_END = 35;
constexpr std::uint16_t VK_HOME = 36;
constexpr std::uint16_t VK_LEFT = 37;
constexpr std::uint16_t VK_UP = 38;
constexpr std::uint16_t VK_RIGHT = 39;
constexpr std::uint16_t VK_DOWN = 40;
constexpr std::uint16_t VK_INSERT = 45;
constexpr std::uint16_t VK_DELETE = 46;
constexpr std::uint16_t VK_F1 = 112;
// Digits and letters are their upper-case character codes: '0'..'9', 'A'..'Z'.

// A key with its modifiers in 16 bits: the key code plus these flags.
using TShortCut = std::uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

TShortCut ShortCut(std::uint16_t key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, std::uint16_t& key, TShiftState& shift);
// The shortcut as menus show it ("Ctrl+Z", "Shift+Ctrl+Up"); empty for 0.
std::string ShortCutToText(TShortCut shortCut);

}  // namespace qx
