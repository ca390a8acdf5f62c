// A stand-in for the program editor control while that control is being built: the few
// operations the main window asks of an editor, on Qt's plain-text editor. It goes away
// when the real control lands.
#pragma once
#include <QPlainTextEdit>
#include <functional>
#include <string>
#include <vector>

#include "platform/Graphics.h"

namespace qx {

class TEditorProvvisorio : public QPlainTextEdit {
 public:
  // The program editor ignores Shift+Enter; the command bar breaks a line only on Ctrl+Enter.
  enum class Ruolo { Programma, BarraComandi };
  TEditorProvvisorio(Ruolo ruolo, QWidget* parent = nullptr);

  std::vector<std::string> GetLines() const;
  int LinesCount() const;
  void AddLines(const std::vector<std::string>& righe);
  std::string GetLinesText() const;
  void SetLinesText(const std::string& testo);
  void ClearAll();

  bool ReadOnly() const { return isReadOnly(); }
  void SetReadOnly(bool valore) { setReadOnly(valore); }
  bool Modified() const;
  void SetEditorModified(bool valore);

  void ReplaceSelectedText(const std::string& testo);
  void SelectAll() { selectAll(); }
  bool SelectionAvailable() const { return textCursor().hasSelection(); }
  bool CanPaste() const { return canPaste(); }
  bool CanUndo() const;
  bool CanRedo() const;
  void CutToClipboard() { cut(); }
  void CopyToClipboard() { copy(); }
  void PasteFromClipboardText() { paste(); }
  void Undo() { undo(); }
  void Redo() { redo(); }

  // Lines are 1-based; the special colours are asked again when the lines are painted.
  void InvalidateLines(int primo, int ultimo);
  void InvalidateLine(int riga) { InvalidateLines(riga, riga); }

  int FontSize() const { return font().pointSize(); }
  void SetFontSize(int punti);

  std::function<void(int riga, bool& speciale, TColor& fg, TColor& bg)> OnSpecialLineColors;
  std::function<void(QKeyEvent*)> OnKeyDown, OnKeyUp;
  std::function<void()> OnEnter, OnExit, OnChange;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void paintEvent(QPaintEvent* e) override;

 private:
  void AggiornaRigheSpeciali();

  Ruolo ruolo_;
  bool righeDaRicalcolare_ = true;
};

}  // namespace qx
