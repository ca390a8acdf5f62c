// The message boxes of the program. Every box goes through one factory: the application's
// is a modal QMessageBox over the active window; tests install their own to record what
// was asked and answer it.
#pragma once
#include <QString>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace qx {

// The toolkit's message-dialog buttons, in its bit order.
enum TMsgDlgBtn : unsigned {
  mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp
};
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons MsgButtons(std::initializer_list<TMsgDlgBtn> buttons) {
  TMsgDlgButtons set = 0;
  for (TMsgDlgBtn b : buttons) set |= 1u << b;
  return set;
}

// The platform's button styles, icons and answers.
constexpr unsigned MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2, MB_YESNOCANCEL = 0x3,
                   MB_YESNO = 0x4, MB_RETRYCANCEL = 0x5, MB_TYPEMASK = 0xF;
constexpr unsigned MB_ICONHAND = 0x10, MB_ICONQUESTION = 0x20, MB_ICONEXCLAMATION = 0x30,
                   MB_ICONASTERISK = 0x40, MB_ICONMASK = 0xF0;
constexpr unsigned MB_HELP = 0x4000;
constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7;

struct TMessageBoxRequest {
  QString Text;
  QString Caption;
  unsigned Flags = MB_OK;  // one button style, one icon, MB_HELP
};

// Shows a box and answers the button pressed (IDOK ... IDNO, 0 for none).
using TMessageBoxFactory = std::function<int(const TMessageBoxRequest&)>;

// Installs a factory and answers the one it replaces; an empty factory puts back the
// application's own.
TMessageBoxFactory SetMessageBoxFactory(TMessageBoxFactory factory);

// The application object's message box: modal, over the active window.
int ApplicationMessageBox(const QString& text, const QString& caption, unsigned flags);

// Kinds of message: 0 error, 1 confirmation, 2 warning, 3 information.
// The buttons decide the platform style (a later rule wins): Yes, No and Cancel give
// Yes/No/Cancel; Yes and Cancel give Yes/No, and a No answer comes back as Cancel (2); Yes
// and No give Yes/No; OK and Cancel give OK/Cancel; OK alone gives OK; Abort, Retry and
// Ignore give Abort/Retry/Ignore; anything else OK. Answers the platform's code, or 0 (any
// other kind shows nothing).
int ZfMessageBox(const QString& text, std::uint8_t kind, TMsgDlgButtons buttons);

// For tests: while it lives, every box is recorded and answered from `Answers` in order
// (then with `DefaultAnswer`) instead of being shown.
class TMessageBoxRecorder {
 public:
  TMessageBoxRecorder();
  ~TMessageBoxRecorder();
  TMessageBoxRecorder(const TMessageBoxRecorder&) = delete;
  TMessageBoxRecorder& operator=(const TMessageBoxRecorder&) = delete;

  std::vector<TMessageBoxRequest> Requests;
  std::deque<int> Answers;
  int DefaultAnswer = IDOK;

 private:
  TMessageBoxFactory previous_;
};

}  // namespace qx
