// The small types of the editor control: its options as a set, caret shapes, scroll and
// border styles, status-change flags and mouse cursors.
#pragma once
#include <cstdint>
#include <initializer_list>

#include "platform/Cursori.h"
#include "platform/Graphics.h"

namespace qx {

enum TSrcEditorOption : std::uint8_t {
  eoAltSetsColumnMode, eoAutoIndent, eoAutoSizeMaxScrollWidth, eoDisableScrollArrows, eoDragDropEditing,
  eoDropFiles, eoEnhanceHomeKey, eoEnhanceEndKey, eoGroupUndo, eoHalfPageScroll, eoHideShowScrollbars,
  eoKeepCaretX, eoNoCaret, eoNoSelection, eoRightMouseMovesCursor, eoScrollByOneLess, eoScrollHintFollows,
  eoScrollPastEof, eoScrollPastEol, eoShowScrollHint, eoShowSpecialChars, eoSmartTabDelete, eoSmartTabs,
  eoSpecialLineDefaultFg, eoTabIndent, eoTabsToSpaces, eoTrimTrailingSpaces
};

// A set of options, one bit per option at its ordinal.
class TSrcEditorOptions {
 public:
  constexpr TSrcEditorOptions() = default;
  constexpr TSrcEditorOptions(std::initializer_list<TSrcEditorOption> options) {
    for (TSrcEditorOption o : options) bits_ |= Bit(o);
  }
  static constexpr TSrcEditorOptions FromBits(std::uint32_t bits) {
    TSrcEditorOptions s;
    s.bits_ = bits & ((1u << 27) - 1);
    return s;
  }
  constexpr std::uint32_t Bits() const { return bits_; }
  constexpr bool Contains(TSrcEditorOption o) const { return (bits_ & Bit(o)) != 0; }
  constexpr TSrcEditorOptions& Include(TSrcEditorOption o) {
    bits_ |= Bit(o);
    return *this;
  }
  constexpr TSrcEditorOptions& Exclude(TSrcEditorOption o) {
    bits_ &= ~Bit(o);
    return *this;
  }
  constexpr TSrcEditorOptions operator+(TSrcEditorOption o) const { return TSrcEditorOptions(*this).Include(o); }
  constexpr TSrcEditorOptions operator-(TSrcEditorOption o) const { return TSrcEditorOptions(*this).Exclude(o); }
  constexpr TSrcEditorOptions operator+(TSrcEditorOptions o) const { return FromBits(bits_ | o.bits_); }
  constexpr TSrcEditorOptions operator-(TSrcEditorOptions o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr TSrcEditorOptions operator*(TSrcEditorOptions o) const { return FromBits(bits_ & o.bits_); }
  constexpr bool operator==(const TSrcEditorOptions&) const = default;

 private:
  static constexpr std::uint32_t Bit(TSrcEditorOption o) { return 1u << static_cast<unsigned>(o); }
  std::uint32_t bits_ = 0;
};

inline constexpr TSrcEditorOptions kSrcEditDefaultOptions = {
    eoAutoIndent, eoDragDropEditing, eoEnhanceEndKey, eoGroupUndo, eoScrollPastEol,
    eoShowScrollHint, eoSmartTabDelete, eoSmartTabs, eoTabsToSpaces};
inline constexpr TSrcEditorOptions kSrcEditScrollOptions = {eoDisableScrollArrows, eoHideShowScrollbars,
                                                            eoScrollPastEof, eoScrollPastEol};

enum TSrcEditCaretType : std::uint8_t { ctVerticalLine, ctHorizontalLine, ctHalfBlock, ctBlock };
enum TScrollHintFormat : std::uint8_t { shfTopLineOnly, shfTopToBottom };
enum TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TBorderStyle : std::uint8_t { bsNone, bsSingle };
enum TScrollBarKind : std::uint8_t { sbHorizontal, sbVertical };
enum TTransientType : std::uint8_t { ttBefore, ttAfter };
enum TSynReplaceAction : std::uint8_t { raCancel, raSkip, raReplace, raReplaceAll };

// What changed since the last OnStatusChange (a set: combine with |).
using TSynStatusChanges = std::uint16_t;
constexpr TSynStatusChanges scAll = 1, scCaretX = 2, scCaretY = 4, scLeftChar = 8, scTopLine = 16,
                            scInsertMode = 32, scModified = 64, scSelection = 128, scReadOnly = 256;


}  // namespace qx
