// "Stampa scheda": the pupil's worksheet. The picture of the view on show and the program
// go into the template "scheda.odt", a new document is written beside the program (an earlier
// one is never replaced) and opened with the desktop's application for it. The picture reaches the document directly: the
// user's clipboard is never touched.
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QImage>
#include <QOpenGLWidget>
#include <QUrl>
#include <algorithm>
#include <exception>

#include "app/Editori.h"
#include "app/Messaggi.h"
#include "app/PaintBoxQt.h"
#include "app/Tfrm3.h"
#include "app/VistaSpazio.h"
#include "app/scheda/ImmagineScheda.h"
#include "app/scheda/Scheda.h"
#include "interpreter/Ambiente.h"
#include "platform/qt/QImageCanvas.h"
#include "runstate/DatiGlob.h"
#include "solid/ScenaSpazio.h"

namespace qx {

namespace {

constexpr const char* kModello = "scheda.odt";

bool Esiste(const std::string& percorso) { return QFileInfo(QString::fromStdString(percorso)).isFile(); }

// The template: the program folder's own, when a school keeps one there, else the one
// installed beside the executable (the build puts it there).
bool CercaModello(std::string& modello, std::string& errore) {
  const std::string programma = DatiGlob.CartellaProgramma + kModello;
  const std::string installato = QCoreApplication::applicationDirPath().toStdString() + "/" + kModello;
  for (const std::string& p : {programma, installato})
    if (Esiste(p)) {
      modello = p;
      return true;
    }
  errore = std::string("Manca il modello della scheda \"") + kModello + "\": non è né in " + DatiGlob.CartellaProgramma +
           " né in " + QCoreApplication::applicationDirPath().toStdString() + ".";
  return false;
}

TBitmap InBitmap(const QImage& immagine) {
  const QImage q = immagine.convertToFormat(QImage::Format_RGB32);
  TBitmap b(q.width(), q.height());
  for (int y = 0; y < q.height(); ++y) {
    const auto* riga = reinterpret_cast<const std::uint32_t*>(q.constScanLine(y));
    std::uint32_t* d = b.ScanLine(y);
    for (int x = 0; x < q.width(); ++x) d[x] = 0xFF000000u | riga[x];
  }
  return b;
}

}  // namespace

TBitmap Tfrm3::FotografiaVista3D() {
  QWidget* vista = vistaSpazio_ ? vistaSpazio_->Vista() : nullptr;
  if (!vista) return InBitmap(pnlRifCart3D->grab().toImage());
  // The viewer on show takes its own frame: a second, off-screen context beside its window
  // on an X display failed ("Context activation failed"), and no worksheet was made.
  if (auto* gl = qobject_cast<QOpenGLWidget*>(vista); gl && gl->isValid()) {
    const QImage foto = gl->grabFramebuffer();
    if (!foto.isNull()) return InBitmap(foto);
  }
  // Else the scene rendered off-screen through the same camera, at the size of the view.
  TScenaSpazio& scena = vistaSpazio_->Scena();
  scena.SetDimensioniVista(std::max(1, vista->width()), std::max(1, vista->height()));
  return scena.Istantanea();
}

void Tfrm3::StampaScheda() {
  std::string modello, errore;
  try {
    if (!CercaModello(modello, errore)) {
      MessaggioFinestra(this, errore, "Errore", TTipoMessaggio::Errore, TPulsanti::OK);
      return;
    }
    TBitmap immagine;
    if (!pnlRifCart3D->isHidden()) {
      immagine = FotografiaVista3D();
    } else if (cRifCart* r = ambiente_->RifCart()) {
      // Like the canvas, on a sheet of the area's size, without its trace points.
      TQImageCanvas tela(pbRifCart->width(), pbRifCart->height());
      DisegnaImmagineScheda(tela, *r, ambiente_->Variabili(), ambiente_->bMostraGriglia);
      immagine = tela.InBitmap();
    }
    std::vector<std::string> righe = RigheEditor(*MemoSource);
    std::string programma;
    for (std::size_t i = 0; i < righe.size(); ++i) programma += (i ? "\n" : "") + righe[i];
    const std::string uscita = PercorsoSchedaNuova(nomeFile_, DatiGlob.CartellaProgramma);
    if (!EsportaScheda(modello, uscita, immagine, programma, errore)) {
      MessaggioFinestra(this, errore, "Errore", TTipoMessaggio::Errore, TPulsanti::OK);
      return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(uscita))))
      MessaggioFinestra(this, "La scheda è stata scritta in " + uscita + ", ma nessuna applicazione ha potuto aprirla.",
                        "Informazione", TTipoMessaggio::Informazione, TPulsanti::OK);
  } catch (const std::exception& e) {
    MessaggioFinestra(this, std::string("Impossibile preparare la scheda: ") + e.what(), "Errore",
                      TTipoMessaggio::Errore, TPulsanti::OK);
  }
}

}  // namespace qx
