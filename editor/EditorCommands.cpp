#include "editor/EditorCommands.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace qx {

namespace {

struct TIdentMapEntry {
  TSrcEditorCommand Value;
  const char* Name;
};

// Searched from the top: the order is the table's own.
constexpr TIdentMapEntry kEditorCommandStrs[] = {
    {ecNone, "ecNone"}, {ecLeft, "ecLeft"}, {ecRight, "ecRight"}, {ecUp, "ecUp"}, {ecDown, "ecDown"},
    {ecWordLeft, "ecWordLeft"}, {ecWordRight, "ecWordRight"}, {ecLineStart, "ecLineStart"},
    {ecLineEnd, "ecLineEnd"}, {ecPageUp, "ecPageUp"}, {ecPageDown, "ecPageDown"}, {ecPageLeft, "ecPageLeft"},
    {ecPageRight, "ecPageRight"}, {ecPageTop, "ecPageTop"}, {ecPageBottom, "ecPageBottom"},
    {ecEditorTop, "ecEditorTop"}, {ecEditorBottom, "ecEditorBottom"}, {ecGotoXY, "ecGotoXY"},
    {ecSelLeft, "ecSelLeft"}, {ecSelRight, "ecSelRight"}, {ecSelUp, "ecSelUp"}, {ecSelDown, "ecSelDown"},
    {ecSelWordLeft, "ecSelWordLeft"}, {ecSelWordRight, "ecSelWordRight"}, {ecSelLineStart, "ecSelLineStart"},
    {ecSelLineEnd, "ecSelLineEnd"}, {ecSelPageUp, "ecSelPageUp"}, {ecSelPageDown, "ecSelPageDown"},
    {ecSelPageLeft, "ecSelPageLeft"}, {ecSelPageRight, "ecSelPageRight"}, {ecSelPageTop, "ecSelPageTop"},
    {ecSelPageBottom, "ecSelPageBottom"}, {ecSelEditorTop, "ecSelEditorTop"},
    {ecSelEditorBottom, "ecSelEditorBottom"}, {ecSelGotoXY, "ecSelGotoXY"},
    {ecSelWord, "ecSelWord"}, {ecSelectAll, "ecSelectAll"},
    {ecDeleteLastChar, "ecDeleteLastChar"}, {ecDeleteChar, "ecDeleteChar"}, {ecDeleteWord, "ecDeleteWord"},
    {ecDeleteLastWord, "ecDeleteLastWord"}, {ecDeleteBOL, "ecDeleteBOL"}, {ecDeleteEOL, "ecDeleteEOL"},
    {ecDeleteLine, "ecDeleteLine"}, {ecClearAll, "ecClearAll"}, {ecLineBreak, "ecLineBreak"},
    {ecInsertLine, "ecInsertLine"}, {ecChar, "ecChar"},
    {ecImeStr, "ecImeStr"},
    {ecUndo, "ecUndo"}, {ecRedo, "ecRedo"}, {ecCut, "ecCut"}, {ecCopy, "ecCopy"}, {ecPaste, "ecPaste"},
    {ecScrollUp, "ecScrollUp"}, {ecScrollDown, "ecScrollDown"}, {ecScrollLeft, "ecScrollLeft"},
    {ecScrollRight, "ecScrollRight"},
    {ecInsertMode, "ecInsertMode"}, {ecOverwriteMode, "ecOverwriteMode"}, {ecToggleMode, "ecToggleMode"},
    {ecBlockIndent, "ecBlockIndent"}, {ecBlockUnindent, "ecBlockUnindent"}, {ecTab, "ecTab"},
    {ecShiftTab, "ecShiftTab"},
    {ecMatchBracket, "ecMatchBracket"}, {ecCommentBlock, "ecCommentBlock"},
    {ecNormalSelect, "ecNormalSelect"}, {ecColumnSelect, "ecColumnSelect"}, {ecLineSelect, "ecLineSelect"},
    {ecAutoCompletion, "ecAutoCompletion"}, {ecUserFirst, "ecUserFirst"}, {ecContextHelp, "ecContextHelp"},
    {301, "ecGotoMarker0"}, {302, "ecGotoMarker1"}, {303, "ecGotoMarker2"}, {304, "ecGotoMarker3"},
    {305, "ecGotoMarker4"}, {306, "ecGotoMarker5"}, {307, "ecGotoMarker6"}, {308, "ecGotoMarker7"},
    {309, "ecGotoMarker8"}, {310, "ecGotoMarker9"},
    {351, "ecSetMarker0"}, {352, "ecSetMarker1"}, {353, "ecSetMarker2"}, {354, "ecSetMarker3"},
    {355, "ecSetMarker4"}, {356, "ecSetMarker5"}, {357, "ecSetMarker6"}, {358, "ecSetMarker7"},
    {359, "ecSetMarker8"}, {360, "ecSetMarker9"},
    {ecUpperCase, "ecUpperCase"}, {ecLowerCase, "ecLowerCase"}, {ecToggleCase, "ecToggleCase"},
    {ecTitleCase, "ecTitleCase"},
    {ecUpperCaseBlock, "ecUpperCaseBlock"}, {ecLowerCaseBlock, "ecLowerCaseBlock"},
    {ecToggleCaseBlock, "ecToggleCaseBlock"},
    {ecString, "ecString"},
};

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

}  // namespace

int EditorCommandIdentCount() { return static_cast<int>(std::size(kEditorCommandStrs)); }

std::optional<std::string> EditorCommandToIdent(TSrcEditorCommand command) {
  for (const TIdentMapEntry& e : kEditorCommandStrs)
    if (e.Value == command) return std::string(e.Name);
  return std::nullopt;
}

std::string EditorCommandToCodeString(TSrcEditorCommand command) {
  if (auto ident = EditorCommandToIdent(command)) return *ident;
  return std::to_string(command);
}

std::optional<TSrcEditorCommand> IdentToEditorCommand(const std::string& text) {
  for (const TIdentMapEntry& e : kEditorCommandStrs)
    if (SameText(e.Name, text)) return e.Value;
  unsigned value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty() || value > 0xFFFF) return std::nullopt;
  return static_cast<TSrcEditorCommand>(value);
}

}  // namespace qx
