// Program files from the window: Save, Save As and Open (the save question before New, Open
// and closing is in Tfrm3.cpp). A file is read and parsed whole before anything of the
// work changes, so a file that does not open leaves the program and the values as they
// were; a save goes through a temporary file, so a failed save leaves the old file.
#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QTextEdit>
#include <exception>

#include "app/Editori.h"
#include "app/Messaggi.h"
#include "app/ServiziFinestra.h"
#include "app/Tfrm3.h"
#include "app/file/FileProgramma.h"
#include "controls/TraduzioneToolkit.h"
#include "interpreter/Ambiente.h"
#include "interpreter/ComandiGenerali.h"
#include "runstate/DatiGlob.h"

namespace qx {

namespace {

// Both are read and written the same way. The patterns match either case of the suffix.
const QString kFiltroQxs = QStringLiteral("Quorix files (*.qxs)");
const QString kFiltroQxa = QStringLiteral("Quorix files (*.qxa)");

// The suffix that a name typed without one takes: the shown filter's, so that the open
// dialog, which starts on the same filter, lists what was written.
QString EstensioneDelFiltro(const QString& filtro) {
  return filtro == kFiltroQxa ? QStringLiteral("QXA") : QStringLiteral("QXS");
}

std::string Unisci(const std::vector<std::string>& righe, const char* separatore) {
  std::string r;
  for (std::size_t i = 0; i < righe.size(); ++i) {
    if (i) r += separatore;
    r += righe[i];
  }
  return r;
}

void ErroreFile(QWidget* f, const std::string& testo) {
  MessaggioFinestra(f, testo, "Errore", TTipoMessaggio::Errore, TPulsanti::OK);
}

// The open or save dialog of the program files, starting from the current file (or the
// program folder); "" when cancelled.
std::string ScegliFile(QWidget* f, bool salva, const std::string& attuale) {
  const QString corrente = QString::fromStdString(attuale);
  QFileDialog d(f, salva ? QStringLiteral("Salva con Nome") : QStringLiteral("Apri"));
  d.setOption(QFileDialog::DontUseNativeDialog);
  // Sizes, types and dates in Italian, and columns wide enough for them.
  AdattaDialogoFile(d);
  d.setAcceptMode(salva ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  d.setFileMode(salva ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  d.setNameFilters({kFiltroQxs, kFiltroQxa});
  const bool qxa = QFileInfo(corrente).suffix().compare(QStringLiteral("qxa"), Qt::CaseInsensitive) == 0;
  const QString filtro = qxa ? kFiltroQxa : kFiltroQxs;
  d.selectNameFilter(filtro);
  d.setDefaultSuffix(EstensioneDelFiltro(filtro));
  QObject::connect(&d, &QFileDialog::filterSelected, &d,
                   [&d](const QString& scelto) { d.setDefaultSuffix(EstensioneDelFiltro(scelto)); });
  if (corrente.isEmpty()) {
    d.setDirectory(QString::fromStdString(DatiGlob.CartellaProgramma));
  } else {
    d.setDirectory(QFileInfo(corrente).absolutePath());
    if (salva) d.selectFile(QFileInfo(corrente).fileName());
  }
  if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return {};
  return d.selectedFiles().front().toStdString();
}

}  // namespace

void Tfrm3::ImpostaNomeFile(const std::string& percorso) {
  nomeFile_ = percorso;
  const QString titolo = QString::fromStdString(captionBase_);
  setWindowTitle(percorso.empty() ? titolo
                                  : QFileInfo(QString::fromStdString(percorso)).fileName() + " - " + titolo);
}

bool Tfrm3::SalvaFile() {
  try {
    TStatoProgramma s;
    // Every line ends with its break, as the load reads them: a last empty line (where the
    // caret waits for the next statement) comes back too.
    for (const std::string& riga : RigheEditor(*MemoSource)) s.Testo += riga + "\r\n";
    s.Stampa = Unisci(DividiRighe(reoutput->toPlainText().toStdString()), "\r\n");
    s.PuntiTraccia = DatiGlob.PuntiTraccia;
    s.ContatoreOggetti = DatiGlob.ContatoreOggetti;
    s.RifCart = ambiente_->RifCart();
    s.Variabili = &ambiente_->Variabili();
    std::string errore, avviso;
    if (!SalvaFileProgramma(nomeFile_, s, errore, avviso)) {
      ErroreFile(this, errore);
      return false;
    }
    MemoSource->SetEditorModified(false);
    if (!avviso.empty()) MessaggioFinestra(this, avviso, "Attenzione", TTipoMessaggio::Avviso, TPulsanti::OK);
    return true;
  } catch (const std::exception& e) {
    ErroreFile(this, "Impossibile salvare " + nomeFile_ + ": " + e.what());
    return false;
  }
}

bool Tfrm3::actFileSaveExecute() { return nomeFile_.empty() ? actFileSaveAsExecute() : SalvaFile(); }

bool Tfrm3::actFileSaveAsExecute() {
  const std::string scelto = ScegliFile(this, true, nomeFile_);
  if (scelto.empty()) return false;
  const std::string prima = nomeFile_;
  ImpostaNomeFile(scelto);
  edIstruzione->setEnabled(false);
  const bool salvato = SalvaFile();
  edIstruzione->setEnabled(true);
  // The caption names the file that holds the work: a save that failed keeps the old one.
  if (!salvato) ImpostaNomeFile(prima);
  return salvato;
}

bool Tfrm3::ApriFile(const std::string& nome) {
  const std::string percorso = nome.empty() ? ScegliFile(this, false, nomeFile_) : nome;
  if (percorso.empty()) return false;
  try {
    TProgrammaLetto letto;
    std::string errore;
    if (!CaricaFileProgramma(percorso, letto, errore)) {
      ErroreFile(this, errore);
      return false;
    }
    // The file read whole: only now does the work change.
    InizializzaAmbiente();
    ImpostaNomeFile(QFileInfo(QString::fromStdString(percorso)).absoluteFilePath().toStdString());
    ImpostaTestoEditor(*MemoSource, letto.Testo);
    reoutput->setPlainText(QString::fromStdString(Unisci(DividiRighe(letto.Stampa), "\n")));
    // The lesson comes up in the view that shows its values: a plane lesson opened while the
    // space was shown would open on an empty floor.
    if (letto.bSpazio != tbSpazio->isChecked()) MostraVista(letto.bSpazio);
    // The canvas takes the size it shows the lesson at (no rulers beside centred axes)
    // before the frame and the values are put on it: an analysis window is spread over that
    // size, and a chart's box is made of its pixels. Placed on the reset's smaller canvas,
    // a chart came back shifted and shrunk under the axes.
    servizi_->MostraRighelli(!(letto.RifCart && letto.RifCart->_bAssi));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    FormResize();
    ApplicaProgramma(letto, ambiente_->Variabili(), *ambiente_->RifCart(), DatiGlob.PuntiTraccia);
    AggiornaListaOggetti();
    DisegnaRifCart();
    MemoSource->SetEditorModified(false);
    MemoSource->SetReadOnly(false);
    return true;
  } catch (const std::exception& e) {
    ErroreFile(this, "Impossibile aprire " + percorso + ": " + e.what());
    return false;
  }
}

}  // namespace qx
