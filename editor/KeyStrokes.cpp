#include "editor/KeyStrokes.h"

#include <algorithm>

#include "editor/EditorExceptions.h"

namespace qx {

namespace {

// The default bindings, in the order they are added.
struct TDefaultKey {
  TSrcEditorCommand Command;
  std::uint16_t Key;
  TShiftState Shift;
};

constexpr TShiftState kNone = 0;
constexpr TShiftState kShiftCtrl = ssShift | ssCtrl;
constexpr TShiftState kShiftAlt = ssShift | ssAlt;

constexpr TDefaultKey kDefaultKeys[] = {
    {ecUp, VK_UP, kNone}, {ecSelUp, VK_UP, ssShift}, {ecScrollUp, VK_UP, ssCtrl},
    {ecDown, VK_DOWN, kNone}, {ecSelDown, VK_DOWN, ssShift}, {ecScrollDown, VK_DOWN, ssCtrl},
    {ecLeft, VK_LEFT, kNone}, {ecSelLeft, VK_LEFT, ssShift}, {ecWordLeft, VK_LEFT, ssCtrl},
    {ecSelWordLeft, VK_LEFT, kShiftCtrl},
    {ecRight, VK_RIGHT, kNone}, {ecSelRight, VK_RIGHT, ssShift}, {ecWordRight, VK_RIGHT, ssCtrl},
    {ecSelWordRight, VK_RIGHT, kShiftCtrl},
    {ecPageDown, VK_NEXT, kNone}, {ecSelPageDown, VK_NEXT, ssShift}, {ecPageBottom, VK_NEXT, ssCtrl},
    {ecSelPageBottom, VK_NEXT, kShiftCtrl},
    {ecPageUp, VK_PRIOR, kNone}, {ecSelPageUp, VK_PRIOR, ssShift}, {ecPageTop, VK_PRIOR, ssCtrl},
    {ecSelPageTop, VK_PRIOR, kShiftCtrl},
    {ecLineStart, VK_HOME, kNone}, {ecSelLineStart, VK_HOME, ssShift}, {ecEditorTop, VK_HOME, ssCtrl},
    {ecSelEditorTop, VK_HOME, kShiftCtrl},
    {ecLineEnd, VK_END, kNone}, {ecSelLineEnd, VK_END, ssShift}, {ecEditorBottom, VK_END, ssCtrl},
    {ecSelEditorBottom, VK_END, kShiftCtrl},
    {ecToggleMode, VK_INSERT, kNone}, {ecCopy, VK_INSERT, ssCtrl}, {ecCut, VK_DELETE, ssShift},
    {ecPaste, VK_INSERT, ssShift}, {ecDeleteChar, VK_DELETE, kNone},
    {ecDeleteLastChar, VK_BACK, kNone}, {ecDeleteLastChar, VK_BACK, ssShift},
    {ecDeleteLastWord, VK_BACK, ssCtrl}, {ecUndo, VK_BACK, ssAlt}, {ecRedo, VK_BACK, kShiftAlt},
    {ecLineBreak, VK_RETURN, kNone}, {ecLineBreak, VK_RETURN, ssShift},
    {ecTab, VK_TAB, kNone}, {ecShiftTab, VK_TAB, ssShift},
    {ecContextHelp, VK_F1, kNone},
    {ecSelectAll, 'A', ssCtrl}, {ecCopy, 'C', ssCtrl}, {ecPaste, 'V', ssCtrl}, {ecCut, 'X', ssCtrl},
    {ecBlockIndent, 'I', kShiftCtrl}, {ecBlockUnindent, 'U', kShiftCtrl},
    {ecLineBreak, 'M', ssCtrl}, {ecInsertLine, 'N', ssCtrl}, {ecDeleteWord, 'T', ssCtrl},
    {ecDeleteLine, 'Y', ssCtrl}, {ecDeleteEOL, 'Y', kShiftCtrl},
    {ecUndo, 'Z', ssCtrl}, {ecRedo, 'Z', kShiftCtrl},
    {301, '0', ssCtrl}, {302, '1', ssCtrl}, {303, '2', ssCtrl}, {304, '3', ssCtrl}, {305, '4', ssCtrl},
    {306, '5', ssCtrl}, {307, '6', ssCtrl}, {308, '7', ssCtrl}, {309, '8', ssCtrl}, {310, '9', ssCtrl},
    {351, '0', kShiftCtrl}, {352, '1', kShiftCtrl}, {353, '2', kShiftCtrl}, {354, '3', kShiftCtrl},
    {355, '4', kShiftCtrl}, {356, '5', kShiftCtrl}, {357, '6', kShiftCtrl}, {358, '7', kShiftCtrl},
    {359, '8', kShiftCtrl}, {360, '9', kShiftCtrl},
    {ecNormalSelect, 'N', kShiftCtrl}, {ecColumnSelect, 'C', kShiftCtrl}, {ecLineSelect, 'L', kShiftCtrl},
    {ecMatchBracket, 'B', kShiftCtrl},
};

bool SameBinding(const TSrcEditKeyStroke& a, const TSrcEditKeyStroke& b) {
  return a.GetShortCut() == b.GetShortCut() && a.GetShortCut2() == b.GetShortCut2() && a.Command == b.Command;
}

bool HasBinding(const TSrcEditKeyStrokes& list, const TSrcEditKeyStroke& k) {
  for (int i = 0; i < list.Count(); ++i)
    if (SameBinding(list.Items(i), k)) return true;
  return false;
}

}  // namespace

void TSrcEditKeyStroke::SetShortCut(TShortCut value) {
  if (value != 0 && collection_) {
    const int found = collection_->FindShortcut2(value, GetShortCut2());
    if (found >= 0 && &collection_->Items(found) != this) throw ESynKeyError("Shortcut already exists");
  }
  ShortCutToKey(value, Key, Shift);
}

void TSrcEditKeyStroke::SetShortCut2(TShortCut value) {
  if (value != 0 && collection_) {
    const int found = collection_->FindShortcut2(GetShortCut(), value);
    if (found >= 0 && &collection_->Items(found) != this) throw ESynKeyError("Shortcut already exists");
  }
  ShortCutToKey(value, Key2, Shift2);
}

std::string TSrcEditKeyStroke::GetDisplayName() const {
  std::string result = EditorCommandToCodeString(Command) + " - " + ShortCutToText(GetShortCut());
  if (GetShortCut() != 0 && GetShortCut2() != 0) result += " " + ShortCutToText(GetShortCut2());
  while (!result.empty() && result.back() == ' ') result.pop_back();
  return result.empty() ? "TSrcEditKeyStroke" : result;
}

void TSrcEditKeyStroke::Assign(const TSrcEditKeyStroke& source) {
  Command = source.Command;
  Key = source.Key;
  Key2 = source.Key2;
  Shift = source.Shift;
  Shift2 = source.Shift2;
}

int TSrcEditKeyStroke::Index() const {
  if (!collection_) return -1;
  for (int i = 0; i < collection_->Count(); ++i)
    if (&collection_->Items(i) == this) return i;
  return -1;
}

TSrcEditKeyStroke& TSrcEditKeyStrokes::Add() {
  items_.push_back(std::make_unique<TSrcEditKeyStroke>(this));
  return *items_.back();
}

void TSrcEditKeyStrokes::AddKey(TSrcEditorCommand command, std::uint16_t key, TShiftState shift) {
  TSrcEditKeyStroke& k = Add();
  k.Key = key;
  k.Shift = shift;
  k.Command = command;
}

void TSrcEditKeyStrokes::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  items_.erase(items_.begin() + index);
}

void TSrcEditKeyStrokes::Clear() { items_.clear(); }

void TSrcEditKeyStrokes::Assign(const TSrcEditKeyStrokes& source) {
  if (&source == this) return;
  Clear();
  for (const auto& k : source.items_) Add().Assign(*k);
}

void TSrcEditKeyStrokes::ResetDefaults() {
  Clear();
  for (const TDefaultKey& d : kDefaultKeys) AddKey(d.Command, d.Key, d.Shift);
}

int TSrcEditKeyStrokes::FindKeycode(std::uint16_t code, TShiftState shift) const {
  for (int i = 0; i < Count(); ++i) {
    const TSrcEditKeyStroke& k = Items(i);
    if (k.Key == code && k.Shift == shift && k.Key2 == 0) return i;
  }
  return -1;
}

int TSrcEditKeyStrokes::FindKeycode2(std::uint16_t code1, TShiftState shift1, std::uint16_t code2,
                                     TShiftState shift2) const {
  for (int i = 0; i < Count(); ++i) {
    const TSrcEditKeyStroke& k = Items(i);
    if (k.Key == code1 && k.Shift == shift1 && k.Key2 == code2 && k.Shift2 == shift2) return i;
  }
  return -1;
}

int TSrcEditKeyStrokes::FindShortcut2(TShortCut shortCut, TShortCut shortCut2) const {
  for (int i = 0; i < Count(); ++i) {
    const TSrcEditKeyStroke& k = Items(i);
    if (k.GetShortCut() == shortCut && k.GetShortCut2() == shortCut2) return i;
  }
  return -1;
}

bool KeyStrokesEqual(const TSrcEditKeyStrokes& a, const TSrcEditKeyStrokes& b) {
  if (a.Count() != b.Count()) return false;
  for (int i = 0; i < a.Count(); ++i)
    if (!SameBinding(a.Items(i), b.Items(i))) return false;
  return true;
}

void RemovedKeyStrokes(const TSrcEditKeyStrokes& editor, const TSrcEditKeyStrokes& reference,
                       TSrcEditKeyStrokes& removed) {
  removed.Clear();
  for (int i = 0; i < reference.Count(); ++i)
    if (!HasBinding(editor, reference.Items(i))) removed.Add().Assign(reference.Items(i));
}

void AddedKeyStrokes(const TSrcEditKeyStrokes& editor, const TSrcEditKeyStrokes& reference,
                     TSrcEditKeyStrokes& added) {
  added.Clear();
  for (int i = 0; i < editor.Count(); ++i)
    if (!HasBinding(reference, editor.Items(i))) added.Add().Assign(editor.Items(i));
}

void ApplyRemovedKeyStrokes(TSrcEditKeyStrokes& editor, const TSrcEditKeyStrokes& removed) {
  for (int i = 0; i < removed.Count(); ++i) {
    const TSrcEditKeyStroke& r = removed.Items(i);
    const int found = editor.FindShortcut2(r.GetShortCut(), r.GetShortCut2());
    if (found >= 0 && editor.Items(found).Command == r.Command) editor.Delete(found);
  }
}

void ApplyAddedKeyStrokes(TSrcEditKeyStrokes& editor, const TSrcEditKeyStrokes& added) {
  for (int i = 0; i < added.Count(); ++i) editor.Add().Assign(added.Items(i));
}

}  // namespace qx
