#include "editor/qt/SrcEditConfig.h"

#include "editor/qt/SrcEdit.h"

namespace qx {

namespace {

QFont CourierNew(int pixelHeight) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPixelSize(pixelHeight);
  return font;
}

void RemoveBinding(TSrcEditKeyStrokes& keys, TSrcEditorCommand command, std::uint16_t key, TShiftState shift) {
  for (int i = keys.Count() - 1; i >= 0; --i) {
    const TSrcEditKeyStroke& k = keys.Items(i);
    if (k.Command == command && k.Key == key && k.Shift == shift && k.Key2 == 0) keys.Delete(i);
  }
}

void ConfigureCommon(TCustomSrcEdit& editor, int fontHeight) {
  editor.setFont(CourierNew(fontHeight));
  TSynGutter& gutter = editor.Gutter();
  gutter.SetAutoSize(true);
  gutter.SetDigitCount(2);
  gutter.SetWidth(8);
  gutter.SetGradient(true);
  gutter.SetGradientEndColor(clTeal);
  gutter.SetFont(CourierNew(11));
  editor.SetOptions({eoAutoIndent, eoKeepCaretX, eoShowScrollHint, eoSmartTabs, eoTabsToSpaces, eoTrimTrailingSpaces});
  editor.SetWantTabs(true);
  RemoveBinding(editor.Keystrokes(), ecContextHelp, VK_F1, 0);
}

}  // namespace

void ConfigureProgramEditor(TCustomSrcEdit& editor) {
  ConfigureCommon(editor, 15);
  editor.SetScrollBars(ssBoth);
  RemoveBinding(editor.Keystrokes(), ecLineBreak, VK_RETURN, ssShift);
}

void ConfigureCommandBar(TCustomSrcEdit& editor) {
  ConfigureCommon(editor, 12);
  editor.setFixedHeight(27);
  editor.SetScrollBars(ssVertical);
  TSrcEditKeyStrokes& keys = editor.Keystrokes();
  RemoveBinding(keys, ecLineBreak, VK_RETURN, 0);
  RemoveBinding(keys, ecLineBreak, VK_RETURN, ssShift);
  keys.AddKey(ecLineBreak, VK_RETURN, ssCtrl);
}

}  // namespace qx
