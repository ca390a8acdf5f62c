// The editors' popup menu and the "Stili e Colori" band: colours, pen styles, widths, fill
// patterns, the font, the control structures and the nine lists of statement templates,
// each turned into program text for the command bar or the program editor.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QMenu>
#include <QPushButton>

#include "app/DisegnoVoci.h"
#include "app/ModelliPalette.h"
#include "app/Editori.h"
#include "app/Tfrm3.h"
#include "runstate/DatiGlob.h"
#include "runstate/ParoleChiave.h"

namespace qx {

namespace {

// The submenus of the template lists, in the order of the lists.
constexpr const char* kMenuModelli[9][2] = {
    {"InstruzioniGeneriche1", "Istruzioni Generiche"},
    {"Geometria1", "Geometria nel piano"},
    {"FrazioniEspressioni1", "Frazioni, Espressioni"},
    {"Funzioni1", "Piano Cartesiano e Funzioni"},
    {"Statistica1", "Statistica"},
    {"MatricieVettori1", "Matrici e Vettori"},
    {"Funzioni2", "Funzioni"},
    {"Geometrianellospazio1", "Geometria nello spazio"},
    {"Operatori1", "Operatori"},
};
constexpr int kOperatori = 8;
const QString kAltriColori = "Altri colori...";

std::string RGB(TColor c) {
  return std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," + std::to_string(GetBValue(c));
}

QMenu* Sottomenu(QMenu* padre, const char* nome, const QString& titolo, TStileMenu* stile) {
  QMenu* m = padre->addMenu(titolo);
  m->setObjectName(nome);
  stile->Applica(m);
  return m;
}

TColor ColoreDaQt(const QColor& c) { return RGBColor(c.red(), c.green(), c.blue()); }

}  // namespace

void Tfrm3::CreaMenuModelli() {
  PopupColorieComandi = new QMenu(this);
  PopupColorieComandi->setObjectName("PopupColorieComandi");
  stileMenu_->Applica(PopupColorieComandi);
  ColorePenna1 = Sottomenu(PopupColorieComandi, "ColorePenna1", "Colore Penna", stileMenu_.get());
  ColoreRiempimento1 = Sottomenu(PopupColorieComandi, "ColoreRiempimento1", "Colore Riempimento", stileMenu_.get());
  ColoreSfondo1 = Sottomenu(PopupColorieComandi, "ColoreSfondo1", "Colore Sfondo", stileMenu_.get());
  StilePenna1 = Sottomenu(PopupColorieComandi, "StilePenna1", "Stile Penna", stileMenu_.get());
  MotivoRiempimento1 = Sottomenu(PopupColorieComandi, "MotivoRiempimento1", "Motivo Riempimento", stileMenu_.get());
  SpessorePenna1 = Sottomenu(PopupColorieComandi, "SpessorePenna1", "Spessore Penna", stileMenu_.get());
  for (int tag = 1; tag <= 10; ++tag) {
    QAction* a = SpessorePenna1->addAction(QString::number(tag));
    connect(a, &QAction::triggered, this, [this, tag] { SpessorePennaClick(tag); });
  }
  Carattere1 = PopupColorieComandi->addAction("Carattere...");
  Carattere1->setObjectName("Carattere1");
  connect(Carattere1, &QAction::triggered, this, [this] { Carattere1Click(); });
  PopupColorieComandi->addSeparator();
  QAction** strutture[] = {&Se1, &Se2, &EseguiFin, &Per, &Ripeti1};
  for (std::size_t i = 0; i < StruttureControllo().size(); ++i) {
    const TStruttura& s = StruttureControllo()[i];
    QStringList righe;
    for (const char* r : s.righe) righe.push_back(QString::fromUtf8(r));
    // The text keeps the lines, so that each structure's item text is its own.
    QAction* a = PopupColorieComandi->addAction(righe.join('\n'));
    a->setObjectName(s.nome);
    const int tag = static_cast<int>(righe.size()) + 1;
    stileMenu_->Registra(
        a, [righe](QPainter& p, const QRect& r, bool sel) { DisegnaRigheModello(p, r, righe, sel); },
        [tag](const QFont& font) {
          const QFontMetrics fm(font);
          return QSize(50 * fm.horizontalAdvance('R'), (tag - 1) * fm.height());
        });
    std::vector<std::string> testo;
    for (const char* r : s.righe) testo.emplace_back(r);
    connect(a, &QAction::triggered, this, [this, testo] { Se1Click(testo); });
    *strutture[i] = a;
  }
  PopupColorieComandi->addSeparator();
  for (int i = 0; i < 9; ++i) MenuModelli[i] = Sottomenu(PopupColorieComandi, kMenuModelli[i][0], kMenuModelli[i][1], stileMenu_.get());
}

void Tfrm3::RiempiMenuItems() {
  // Colours: the submenu's number, then the language colours from white (Tag 0) to black.
  QMenu* colori[] = {ColorePenna1, ColoreRiempimento1, ColoreSfondo1};
  for (int n = 1; n <= 3; ++n)
    for (int tag = 0; tag <= 16; ++tag) {
      QAction* a = colori[n - 1]->addAction(QString::number(n) + "__________");
      a->setData(tag);
      stileMenu_->Registra(a, [tag](QPainter& p, const QRect& r, bool sel) {
        DisegnaVoceColore(p, r, tag, sel, kAltriColori);
      });
      connect(a, &QAction::triggered, this, [this, n, tag] { ColoreClick(n, tag); });
    }
  for (int tag = 1; tag <= 6; ++tag) {
    QAction* a = StilePenna1->addAction(QString::number(tag));
    stileMenu_->Registra(a, [tag](QPainter& p, const QRect& r, bool sel) { DisegnaVoceStilePenna(p, r, tag, sel); });
    connect(a, &QAction::triggered, this, [this, tag] { StilePennaClick(tag); });
  }
  for (int tag = 0; tag <= 7; ++tag) {
    QAction* a = MotivoRiempimento1->addAction(QString::number(tag));
    stileMenu_->Registra(a, [tag](QPainter& p, const QRect& r, bool sel) { DisegnaVoceMotivo(p, r, tag, sel); });
    connect(a, &QAction::triggered, this, [this, tag] { MotivoRiempimentoClick(tag); });
  }
  for (int lista = 0; lista < 9; ++lista)
    for (const std::string& modello : DatiGlob.ListeModelli[lista]) {
      const QString caption = QString::fromStdString(modello) +
                              (lista == kOperatori ? QString(10, ' ') : QString(";") + QString(6, ' '));
      QAction* a = MenuModelli[lista]->addAction(caption);
      a->setData(lista);
      stileMenu_->Registra(
          a, [caption](QPainter& p, const QRect& r, bool sel) { DisegnaRigaModello(p, r, caption, sel); },
          [caption](const QFont& font) { return MisuraRigaModello(font, caption); });
      connect(a, &QAction::triggered, this, [this, caption] { IstruzioniClick(caption.toStdString()); });
    }
}

bool Tfrm3::BersaglioBarra() const { return edIstruzione->hasFocus() || contestoBarra_; }

void Tfrm3::MettiNelBersaglio(const std::string& istruzione, bool barra) {
  if (barra) {
    ImpostaTestoEditor(*edIstruzione, istruzione);
  } else {
    SostituisciSelezione(*MemoSource, istruzione);
  }
}

void Tfrm3::MettiDaStili(const std::string& istruzione) {
  if (barraAttiva_ || cbEseguiSubito->isChecked()) {
    ImpostaTestoEditor(*edIstruzione, istruzione);
  } else {
    SostituisciSelezione(*MemoSource, istruzione);
  }
  if (cbEseguiSubito->isChecked()) pbEsegui->click();
}

void Tfrm3::ColoreClick(int numeroMenu, int tag) {
  // Decided before a dialog takes the focus away.
  const bool barra = BersaglioBarra();
  TColor colore = IndiceAColore(15 - tag);
  if (tag == 16) {
    const QColor c = QColorDialog::getColor(Qt::black, this, QString(), QColorDialog::DontUseNativeDialog);
    if (!c.isValid()) return;
    colore = ColoreDaQt(c);
  }
  const char* nome = numeroMenu == 1 ? "ColorePenna" : numeroMenu == 2 ? "ColoreRiempimento" : "ColoreSfondo";
  MettiNelBersaglio(std::string(nome) + "(" + RGB(colore) + ");", barra);
}

void Tfrm3::StilePennaClick(int tag) { MettiNelBersaglio("StilePenna(" + std::to_string(tag) + ");", BersaglioBarra()); }

void Tfrm3::MotivoRiempimentoClick(int tag) {
  MettiNelBersaglio("MotivoRiempimento(" + std::to_string(tag + 1) + ");", BersaglioBarra());
}

void Tfrm3::SpessorePennaClick(int tag) { MettiNelBersaglio("SpessorePenna(" + std::to_string(tag) + ");", BersaglioBarra()); }

void Tfrm3::Se1Click(const std::vector<std::string>& righe) {
  std::string testo;
  for (const std::string& r : righe) testo += r + "\r";
  MettiNelBersaglio(testo, BersaglioBarra());
}

void Tfrm3::IstruzioniClick(const std::string& caption) {
  const std::size_t a = caption.find_first_not_of(' '), b = caption.find_last_not_of(' ');
  MettiNelBersaglio(a == std::string::npos ? std::string() : caption.substr(a, b - a + 1), BersaglioBarra());
}

std::string Tfrm3::StatementCarattere(bool soloOggetto, bool& confermato) {
  TDatiGlob& g = DatiGlob;
  QFont iniziale(QString::fromStdString(g.CarattereCorrente.Name));
  iniziale.setPointSize(std::max(1, g.CarattereCorrente.Size));
  iniziale.setBold(g.CarattereCorrente.Style & fsBold);
  iniziale.setItalic(g.CarattereCorrente.Style & fsItalic);
  iniziale.setUnderline(g.CarattereCorrente.Style & fsUnderline);
  iniziale.setStrikeOut(g.CarattereCorrente.Style & fsStrikeOut);
  const QFont f = QFontDialog::getFont(&confermato, iniziale, this, QString(), QFontDialog::DontUseNativeDialog);
  if (!confermato) return std::string();
  TFont& c = g.CarattereCorrente;
  c.Name = f.family().toStdString();
  c.Size = f.pointSize();
  c.Style = static_cast<TFontStyles>((f.bold() ? fsBold : 0) | (f.italic() ? fsItalic : 0) |
                                     (f.underline() ? fsUnderline : 0) | (f.strikeOut() ? fsStrikeOut : 0));
  auto logico = [](bool b) { return (b ? ParoleChiave.VERO : ParoleChiave.FALSO) + ","; };
  // The dialog has no colour: the font keeps the current one.
  return "Carattere(" + std::string(soloOggetto ? "ScegliOggetto," : "") + "\"" + c.Name + "\"," +
         std::to_string(c.Size) + "," + logico(f.bold()) + logico(f.italic()) + logico(f.underline()) +
         logico(f.strikeOut()) + std::to_string(ColoreAIndice(c.Color)) + ");";
}

void Tfrm3::Carattere1Click() {
  const bool barra = BersaglioBarra();
  bool confermato = false;
  const std::string istruzione = StatementCarattere(false, confermato);
  if (confermato) MettiNelBersaglio(istruzione, barra);
}

void Tfrm3::cmbPennaColoreClick(QComboBox* combo) {
  const int i = combo->currentIndex();
  if (i < 0) return;
  TColor colore = IndiceAColore(15 - i);
  if (i == 16) {
    const QColor c = QColorDialog::getColor(Qt::black, this, QString(), QColorDialog::DontUseNativeDialog);
    if (!c.isValid()) return;
    colore = ColoreDaQt(c);
  }
  MettiDaStili(combo->toolTip().toStdString() + "(" + (cbSoloOggetto->isChecked() ? "ScegliOggetto," : "") +
               RGB(colore) + ");");
}

namespace {
std::string DaIndice(QComboBox* combo, QCheckBox* soloOggetto) {
  return combo->toolTip().toStdString() + "(" + (soloOggetto->isChecked() ? "ScegliOggetto," : "") +
         std::to_string(combo->currentIndex() + 1) + ");";
}
}  // namespace

void Tfrm3::cmbPennaStileClick() { MettiDaStili(DaIndice(cmbPennaStile, cbSoloOggetto)); }
void Tfrm3::cmbPennaSpessoreClick() { MettiDaStili(DaIndice(cmbPennaSpessore, cbSoloOggetto)); }
void Tfrm3::cmbRiempMotivoClick() { MettiDaStili(DaIndice(cmbRiempMotivo, cbSoloOggetto)); }

void Tfrm3::btnCarattereClick() {
  bool confermato = false;
  const bool soloOggetto = cbSoloOggetto->isChecked();
  const std::string istruzione = StatementCarattere(soloOggetto, confermato);
  if (!confermato) return;
  if (!soloOggetto) {
    QFont f(QString::fromStdString(DatiGlob.CarattereCorrente.Name));
    f.setPointSize(10);
    f.setBold(DatiGlob.CarattereCorrente.Style & fsBold);
    f.setItalic(DatiGlob.CarattereCorrente.Style & fsItalic);
    btnCarattere->setFont(f);
  }
  MettiDaStili(istruzione);
}

void Tfrm3::Button2Click() {
  std::vector<std::string> righe;
  for (int lista : {2, 1, 0})
    for (const std::string& m : DatiGlob.ListeModelli[lista]) righe.push_back(m);
  AggiungiRigheEditor(*MemoSource, righe);
}

}  // namespace qx
