#include "app/dialogs/LeggiNum.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/dialogs/TestoNumeri.h"

namespace qx {

namespace {

constexpr const char* kTasti[12] = {"7", "8", "9", "4", "5", "6", "1", "2", "3", "0", ".", "<--"};
const QString kCancella = QStringLiteral("<--");

void InviaTasto(QWidget* bersaglio, int tasto, const QString& testo) {
  QKeyEvent premuto(QEvent::KeyPress, tasto, Qt::NoModifier, testo);
  QCoreApplication::sendEvent(bersaglio, &premuto);
  QKeyEvent rilasciato(QEvent::KeyRelease, tasto, Qt::NoModifier, testo);
  QCoreApplication::sendEvent(bersaglio, &rilasciato);
}

int CodiceTasto(QChar c) {
  if (c.isDigit()) return Qt::Key_0 + c.digitValue();
  if (c == QLatin1Char('.')) return Qt::Key_Period;
  return 0;
}

}  // namespace

// ---- The keypad ----

TfrmTastNum::TfrmTastNum(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus) {
  setObjectName(QStringLiteral("frmTastNum"));
  setWindowTitle(QStringLiteral("Tastiera"));
  // A click on the keypad must leave the focus in the edit box it types into.
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setFixedSize(115, 131);
  for (int i = 0; i < 12; ++i) {
    auto* b = new QToolButton(this);
    const QString caption = QString::fromLatin1(kTasti[i]);
    b->setText(caption);
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(5 + (i % 3) * 36, 1 + (i / 3) * 32, 33, 32);
    connect(b, &QToolButton::clicked, this, [this, caption] { SpeedButton1Click(caption); });
    tasti_[i] = b;
  }
}

QToolButton* TfrmTastNum::Tasto(const QString& caption) const {
  for (QToolButton* b : tasti_)
    if (b->text() == caption) return b;
  return nullptr;
}

void TfrmTastNum::SpeedButton1Click(const QString& caption) {
  QWidget* bersaglio = Target.data();
  if (!bersaglio || caption.isEmpty()) return;
  if (caption != kCancella) {
    const QChar c = caption.front();
    InviaTasto(bersaglio, CodiceTasto(c), QString(c));
    return;
  }
  // The caret goes one place left and the character after it goes: the one that stood
  // before the caret. With the caret at the start there is nothing before it to delete.
  if (auto* edit = qobject_cast<QLineEdit*>(bersaglio)) {
    const int inizio = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    if (inizio <= 0) return;
    edit->setCursorPosition(inizio - 1);
    InviaTasto(bersaglio, Qt::Key_Delete, QString());
  } else {
    InviaTasto(bersaglio, Qt::Key_Backspace, QString());
  }
}

// ---- The number dialog ----

TfrmLeggiNum::TfrmLeggiNum(TfrmTastNum& tastiera, QWidget* parent) : QDialog(parent), tastiera_(tastiera) {
  setObjectName(QStringLiteral("frmLeggiNum"));
  setWindowTitle(QStringLiteral("LeggiNum"));
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setWordWrap(true);
  Label2 = new QLabel(QStringLiteral("Puoi inserire un valore direttamente come numero o come espressione es. 2^5"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setWordWrap(true);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  SpeedButton1 = new QToolButton(this);
  SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
  SpeedButton1->setText(QStringLiteral("123"));
  SpeedButton1->setToolTip(QStringLiteral("Tastiera"));
  SpeedButton1->setFocusPolicy(Qt::NoFocus);
  BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setDefault(true);
  BitBtn2 = new QPushButton(QStringLiteral("Annulla"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));

  auto* riga = new QHBoxLayout;
  riga->addWidget(Edit1, 1);
  riga->addWidget(SpeedButton1);
  auto* pulsanti = new QHBoxLayout;
  pulsanti->addStretch(1);
  pulsanti->addWidget(BitBtn1);
  pulsanti->addWidget(BitBtn2);
  auto* colonna = new QVBoxLayout(this);
  colonna->addWidget(Label1);
  colonna->addLayout(riga);
  colonna->addWidget(Label2);
  colonna->addLayout(pulsanti);
  setMinimumWidth(360);

  connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
  connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
}

bool TfrmLeggiNum::Apri(const std::string& prompt, Reale& valore) {
  Label1->setText(QString::fromStdString(prompt));
  exec();
  if (Confermato) valore = Valore;
  return Confermato;
}

void TfrmLeggiNum::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormActivate();
}

void TfrmLeggiNum::FormActivate() {
  Valore = 0;
  Confermato = false;
  Edit1->clear();
  Edit1->setFocus();
}

void TfrmLeggiNum::BitBtn1Click() {
  Reale v = 0;
  if (!ValutaTesto(Edit1->text(), v)) {
    // The parser has said what is wrong; the pupil corrects the text.
    Edit1->setFocus();
    return;
  }
  Valore = v;
  Confermato = true;
  accept();
}

void TfrmLeggiNum::SpeedButton1Click() {
  tastiera_.Target = Edit1;
  // A window that a modal dialog does not own takes no clicks while the dialog is open.
  if (tastiera_.parentWidget() != this) tastiera_.setParent(this, tastiera_.windowFlags());
  const QRect quadro = frameGeometry();
  tastiera_.move(quadro.left() + quadro.width(), quadro.top());
  tastiera_.show();
  activateWindow();
  Edit1->setFocus();
}

void TfrmLeggiNum::done(int r) {
  tastiera_.hide();
  QDialog::done(r);
}

}  // namespace qx
