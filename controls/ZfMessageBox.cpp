#include "controls/ZfMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace qx {

namespace {

int ShowQtMessageBox(const TMessageBoxRequest& request) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(request.Caption);
  box.setText(request.Text);
  switch (request.Flags & MB_ICONMASK) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  struct Choice {
    QMessageBox::StandardButton Button;
    int Answer;
  };
  std::vector<Choice> choices;
  switch (request.Flags & MB_TYPEMASK) {
    case MB_OKCANCEL: choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_ABORTRETRYIGNORE:
      choices = {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
      break;
    case MB_YESNOCANCEL:
      choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
      break;
    case MB_YESNO: choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    case MB_RETRYCANCEL: choices = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}}; break;
    default: choices = {{QMessageBox::Ok, IDOK}}; break;
  }
  // The system's own texts of the four common buttons; the others are the toolkit's.
  for (const Choice& c : choices) {
    QPushButton* b = box.addButton(c.Button);
    switch (c.Button) {
      case QMessageBox::Yes: b->setText(QString::fromUtf8("S\u00EC")); break;
      case QMessageBox::No: b->setText(QStringLiteral("No")); break;
      case QMessageBox::Cancel: b->setText(QStringLiteral("Annulla")); break;
      case QMessageBox::Ok: b->setText(QStringLiteral("OK")); break;
      default: break;
    }
  }
  box.setDefaultButton(choices.front().Button);
  QPushButton* help = (request.Flags & MB_HELP) ? box.addButton(QMessageBox::Help) : nullptr;
  for (;;) {
    box.exec();
    // The help button asks for help and leaves the question open; there is no help to show.
    if (help && box.clickedButton() == help) continue;
    const auto pressed = box.standardButton(box.clickedButton());
    for (const Choice& c : choices)
      if (c.Button == pressed) return c.Answer;
    return 0;
  }
}

TMessageBoxFactory& Factory() {
  static TMessageBoxFactory factory;
  return factory;
}

}  // namespace

TMessageBoxFactory SetMessageBoxFactory(TMessageBoxFactory factory) {
  TMessageBoxFactory previous = std::move(Factory());
  Factory() = std::move(factory);
  return previous;
}

int ApplicationMessageBox(const QString& text, const QString& caption, unsigned flags) {
  const TMessageBoxRequest request{text, caption, flags};
  const int answer = Factory() ? Factory()(request) : ShowQtMessageBox(request);
  return answer >= IDOK && answer <= IDNO ? answer : 0;
}

int ZfMessageBox(const QString& text, std::uint8_t kind, TMsgDlgButtons buttons) {
  const auto has = [buttons](TMsgDlgBtn b) { return (buttons & (1u << b)) != 0; };
  unsigned style = MB_OK;
  bool noIsCancel = false;
  if (has(mbYes) && has(mbNo) && has(mbCancel)) {
    style = MB_YESNOCANCEL;
  } else if (has(mbYes) && has(mbCancel)) {
    style = MB_YESNO;
    noIsCancel = true;
  } else if (has(mbYes) && has(mbNo)) {
    style = MB_YESNO;
  }
  if (has(mbOK)) {
    style = has(mbCancel) ? MB_OKCANCEL : MB_OK;
    noIsCancel = false;
  }
  if (has(mbAbort) && has(mbRetry) && has(mbIgnore)) {
    style = MB_ABORTRETRYIGNORE;
    noIsCancel = false;
  }
  if (has(mbHelp)) style |= MB_HELP;

  struct Kind {
    const char* Caption;
    unsigned Icon;
  };
  static const Kind kKinds[] = {
      {"Errore", MB_ICONHAND},
      {"Conferma", MB_ICONQUESTION},
      {"Attenzione", MB_ICONEXCLAMATION},
      {"Informazione", MB_ICONASTERISK},
  };
  if (kind >= std::size(kKinds)) return 0;
  const int answer = ApplicationMessageBox(text, QString::fromUtf8(kKinds[kind].Caption), style | kKinds[kind].Icon);
  return noIsCancel && answer == IDNO ? IDCANCEL : answer;
}

TMessageBoxRecorder::TMessageBoxRecorder() {
  previous_ = SetMessageBoxFactory([this](const TMessageBoxRequest& request) {
    Requests.push_back(request);
    if (Answers.empty()) return DefaultAnswer;
    const int answer = Answers.front();
    Answers.pop_front();
    return answer;
  });
}

TMessageBoxRecorder::~TMessageBoxRecorder() { SetMessageBoxFactory(std::move(previous_)); }

}  // namespace qx
