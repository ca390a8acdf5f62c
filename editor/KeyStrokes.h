// Key bindings: a key with its modifiers, optionally followed by a second key, mapped to
// an editor command. Each editor owns one collection, filled with the default table; a
// form stores only its difference from the defaults (bindings removed and added).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "editor/EditorCommands.h"
#include "editor/KeyCodes.h"

namespace qx {

class TSrcEditKeyStrokes;

class TSrcEditKeyStroke {
 public:
  explicit TSrcEditKeyStroke(TSrcEditKeyStrokes* collection) : collection_(collection) {}

  TSrcEditorCommand Command = ecNone;
  std::uint16_t Key = 0;
  TShiftState Shift = 0;
  std::uint16_t Key2 = 0;
  TShiftState Shift2 = 0;

  TShortCut GetShortCut() const { return qx::ShortCut(Key, Shift); }
  TShortCut GetShortCut2() const { return qx::ShortCut(Key2, Shift2); }
  // A non-zero shortcut pair already bound elsewhere in the collection raises
  // ESynKeyError "Shortcut already exists" and changes nothing; 0 is always accepted.
  void SetShortCut(TShortCut value);
  void SetShortCut2(TShortCut value);

  // "ecUndo - Ctrl+Z", with the second shortcut behind a blank when there is one; never
  // with a trailing blank.
  std::string GetDisplayName() const;
  void Assign(const TSrcEditKeyStroke& source);
  int Index() const;

 private:
  TSrcEditKeyStrokes* collection_;
};

class TSrcEditKeyStrokes {
 public:
  explicit TSrcEditKeyStrokes(void* owner = nullptr) : owner_(owner) {}
  TSrcEditKeyStrokes(const TSrcEditKeyStrokes&) = delete;
  TSrcEditKeyStrokes& operator=(const TSrcEditKeyStrokes&) = delete;

  void* Owner() const { return owner_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TSrcEditKeyStroke& Items(int index) { return *items_.at(static_cast<std::size_t>(index)); }
  const TSrcEditKeyStroke& Items(int index) const { return *items_.at(static_cast<std::size_t>(index)); }

  TSrcEditKeyStroke& Add();
  // Adds without the duplicate check.
  void AddKey(TSrcEditorCommand command, std::uint16_t key, TShiftState shift);
  void Delete(int index);
  void Clear();
  void Assign(const TSrcEditKeyStrokes& source);
  void ResetDefaults();

  // Each answers the first match, -1 when none. FindKeycode skips two-key bindings.
  int FindKeycode(std::uint16_t code, TShiftState shift) const;
  int FindKeycode2(std::uint16_t code1, TShiftState shift1, std::uint16_t code2, TShiftState shift2) const;
  int FindShortcut2(TShortCut shortCut, TShortCut shortCut2) const;

 private:
  friend class TSrcEditKeyStroke;
  void* owner_;
  std::vector<std::unique_ptr<TSrcEditKeyStroke>> items_;
};

// The difference of an editor's bindings from a reference (the defaults, or the
// ancestor's bindings), as forms store it.
bool KeyStrokesEqual(const TSrcEditKeyStrokes& a, const TSrcEditKeyStrokes& b);
// The reference's bindings that the editor lacks (same two shortcuts and command).
void RemovedKeyStrokes(const TSrcEditKeyStrokes& editor, const TSrcEditKeyStrokes& reference,
                       TSrcEditKeyStrokes& removed);
// The editor's bindings that the reference lacks.
void AddedKeyStrokes(const TSrcEditKeyStrokes& editor, const TSrcEditKeyStrokes& reference,
                     TSrcEditKeyStrokes& added);
// Reading back: a removed binding frees the editor's binding with the same two
// shortcuts when its command is the same; an added one is appended as a copy.
void ApplyRemovedKeyStrokes(TSrcEditKeyStrokes& editor, const TSrcEditKeyStrokes& removed);
void ApplyAddedKeyStrokes(TSrcEditKeyStrokes& editor, const TSrcEditKeyStrokes& added);

}  // namespace qx
