// A stand-in for the program editor control while that control is being built: the part of
// the control's interface that the main window uses (the same names and event signatures),
// on Qt's plain-text editor. It goes away when the real control lands.
#pragma once
#include <QPlainTextEdit>
#include <functional>
#include <string>

#include "editor/KeyCodes.h"
#include "platform/Graphics.h"

namespace qx {

class TEditorProvvisorio : public QPlainTextEdit {
 public:
  explicit TEditorProvvisorio(QWidget* parent = nullptr);
  using TNotify = std::function<void(TEditorProvvisorio* sender)>;

  void ClearAll();
  bool ReadOnly() const { return isReadOnly(); }
  void SetReadOnly(bool valore) { setReadOnly(valore); }
  bool Modified() const;
  void SetEditorModified(bool valore);
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

  // The keys the editor gives up: Enter with these modifiers breaks no line; Ctrl+Enter
  // breaks one on its own (the command bar's).
  bool LineBreakOnShiftEnter = true;
  bool LineBreakOnEnter = true;

  std::function<void(TEditorProvvisorio* sender, int line, bool& special, TColor& fg, TColor& bg)>
      OnSpecialLineColors;
  std::function<void(TEditorProvvisorio* sender, std::uint16_t& key, TShiftState shift)> OnKeyDown, OnKeyUp;
  TNotify OnEnter, OnExit, OnChange, OnStatusChange;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void paintEvent(QPaintEvent* e) override;

 private:
  void AggiornaRigheSpeciali();
  bool righeDaRicalcolare_ = true;
};

}  // namespace qx
