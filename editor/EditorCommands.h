// Editor command numbers and their identifiers. Commands from ecUserFirst up are the
// application's own; a Sel twin is its plain command + 100 and extends the selection.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace qx {

using TSrcEditorCommand = std::uint16_t;

constexpr TSrcEditorCommand ecNone = 0;
constexpr TSrcEditorCommand ecLeft = 1, ecRight = 2, ecUp = 3, ecDown = 4, ecWordLeft = 5, ecWordRight = 6,
                            ecLineStart = 7, ecLineEnd = 8, ecPageUp = 9, ecPageDown = 10, ecPageLeft = 11,
                            ecPageRight = 12, ecPageTop = 13, ecPageBottom = 14, ecEditorTop = 15,
                            ecEditorBottom = 16, ecGotoXY = 17;
constexpr TSrcEditorCommand ecSelection = 100;
constexpr TSrcEditorCommand ecSelLeft = 101, ecSelRight = 102, ecSelUp = 103, ecSelDown = 104,
                            ecSelWordLeft = 105, ecSelWordRight = 106, ecSelLineStart = 107, ecSelLineEnd = 108,
                            ecSelPageUp = 109, ecSelPageDown = 110, ecSelPageLeft = 111, ecSelPageRight = 112,
                            ecSelPageTop = 113, ecSelPageBottom = 114, ecSelEditorTop = 115,
                            ecSelEditorBottom = 116, ecSelGotoXY = 117;
constexpr TSrcEditorCommand ecSelWord = 198, ecSelectAll = 199;
constexpr TSrcEditorCommand ecCopy = 201;
constexpr TSrcEditorCommand ecScrollUp = 211, ecScrollDown = 212, ecScrollLeft = 213, ecScrollRight = 214;
constexpr TSrcEditorCommand ecInsertMode = 221, ecOverwriteMode = 222, ecToggleMode = 223;
constexpr TSrcEditorCommand ecNormalSelect = 231, ecColumnSelect = 232, ecLineSelect = 233;
constexpr TSrcEditorCommand ecMatchBracket = 250, ecCommentBlock = 251;
constexpr TSrcEditorCommand ecGotoMarker0 = 301;  // ... ecGotoMarker0 + 9
constexpr TSrcEditorCommand ecSetMarker0 = 351;   // ... ecSetMarker0 + 9
constexpr TSrcEditorCommand ecContextHelp = 490;
constexpr TSrcEditorCommand ecDeleteLastChar = 501, ecDeleteChar = 502, ecDeleteWord = 503,
                            ecDeleteLastWord = 504, ecDeleteBOL = 505, ecDeleteEOL = 506, ecDeleteLine = 507,
                            ecClearAll = 508, ecLineBreak = 509, ecInsertLine = 510, ecChar = 511;
constexpr TSrcEditorCommand ecImeStr = 550;
constexpr TSrcEditorCommand ecUndo = 601, ecRedo = 602, ecCut = 603, ecPaste = 604;
constexpr TSrcEditorCommand ecBlockIndent = 610, ecBlockUnindent = 611, ecTab = 612, ecShiftTab = 613;
constexpr TSrcEditorCommand ecUpperCase = 620, ecLowerCase = 621, ecToggleCase = 622, ecTitleCase = 623;
constexpr TSrcEditorCommand ecUpperCaseBlock = 625, ecLowerCaseBlock = 626, ecToggleCaseBlock = 627;
constexpr TSrcEditorCommand ecString = 630;
constexpr TSrcEditorCommand ecAutoCompletion = 650;
constexpr TSrcEditorCommand ecUserFirst = 1001;

constexpr TSrcEditorCommand ecGotoMarker(int n) { return static_cast<TSrcEditorCommand>(ecGotoMarker0 + n); }
constexpr TSrcEditorCommand ecSetMarker(int n) { return static_cast<TSrcEditorCommand>(ecSetMarker0 + n); }

// The number of named commands.
int EditorCommandIdentCount();
// The identifier of the command, when it has one.
std::optional<std::string> EditorCommandToIdent(TSrcEditorCommand command);
// The identifier, or the decimal number of a command without one.
std::string EditorCommandToCodeString(TSrcEditorCommand command);
// An identifier (any letter case) or a decimal number from 0 to 65535.
std::optional<TSrcEditorCommand> IdentToEditorCommand(const std::string& text);

}  // namespace qx
