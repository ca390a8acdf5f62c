// The worksheet from the window's File menu: the document beside the program, read back by
// a second, independent reader (Python's zip and XML modules) and its picture decoded; the
// document handed to the desktop; a missing template.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QObject>
#include <QUrl>
#include <filesystem>
#include <memory>

#include "app/scheda/PacchettoZip.h"
#include "runstate/DatiGlob.h"
#include "tests/app/SupportoFile.h"
#include "tests/files/VerificaScheda.h"
#include "values/Collezioni.h"
#include "values/RifCart.h"

namespace qx::test {

// Stands for the desktop: the documents it was asked to open.
class Scrivania : public QObject {
  Q_OBJECT
 public:
  Scrivania() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Apri"); }
  ~Scrivania() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
  std::vector<std::string> Aperti;
 public slots:
  void Apri(const QUrl& url) { Aperti.push_back(url.toLocalFile().toStdString()); }
};

namespace {

// The picture inside a worksheet.
QImage Figura(const std::string& documento) {
  std::vector<TVoceZip> voci;
  if (LeggiZip(documento, voci) != TEsitoZip::Letto) return {};
  for (const TVoceZip& v : voci)
    if (v.Nome == "Pictures/scheda.png")
      return QImage::fromData(reinterpret_cast<const uchar*>(v.Dati.data()), static_cast<int>(v.Dati.size()), "PNG");
  return {};
}

bool Vicino(const QImage& img, QPoint p, TColor colore) { return ContieneColore(img, QRect(p - QPoint(2, 2), QSize(5, 5)), colore); }

// The template in the program folder, the program run and saved there as "compito.qxs".
void ProgrammaSalvato(Tfrm3& f, CartellaProgramma& cartella, const std::string& testo) {
  std::filesystem::copy_file(QUORIX_MODELLO_SCHEDA, cartella.Percorso("scheda.odt"));
  ImpostaTestoEditor(*f.MemoSource, testo);
  Clicca(f, f.Esegui1);
  RispondiModali risposte;
  RispondiConFile(risposte, cartella.Percorso("compito.qxs"));
  f.actFileSaveAs->trigger();
}

TEST(SchedaFinestra, LaSchedaDelProgrammaSalvatoHaLaFiguraDellAreaEIlProgramma) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  CartellaProgramma cartella;
  ProgrammaSalvato(f, cartella, "C = CIRC(PUNTO(3, 3), 2);\n  STAMPA(\"a  b\");");
  // A trace point, which the area shows over everything.
  DatiGlob.PuntiTraccia->Aggiungi(6, 2);
  f.DisegnaRifCart();
  const cRifCart& r = *DatiGlob.RifCart;
  const QPoint traccia(r.XPixel(6), r.YPixel(2));
  ASSERT_TRUE(Vicino(f.ImmagineRifCart(), traccia, clFuchsia));
  QApplication::clipboard()->setText(QStringLiteral("appunti"));

  Scrivania scrivania;
  RispondiModali risposte;
  f.StampaScheda1->trigger();
  EXPECT_TRUE(risposte.Visti.empty());
  const std::string documento = cartella.Percorso("scheda-compito.odt");
  ASSERT_EQ(scrivania.Aperti, std::vector<std::string>{documento});

  const std::string letto = LettoDaPython(documento);
  const std::string dimensioni = std::to_string(f.pbRifCart->width()) + "x" + std::to_string(f.pbRifCart->height());
  EXPECT_EQ(letto.substr(0, letto.find("segnalibro TABELLA:")),
            "primo mimetype stored\n"
            "mimetype application/vnd.oasis.opendocument.text\n"
            "manifest Pictures/scheda.png\n"
            "segnalibro ALUNNO: Alunno: \n"
            "segnalibro CLASSE: Classe: \n"
            "segnalibro DATA: Data: \n");
  EXPECT_NE(letto.find("segnalibro TABELLA: [figura]\nimmagine Pictures/scheda.png " + dimensioni + " "),
            std::string::npos)
      << letto;
  EXPECT_EQ(letto.substr(letto.find("segnalibro TABELLA1:")),
            "segnalibro TABELLA1: C = CIRC(PUNTO(3, 3), 2);\n"
            "riga   STAMPA(\"a  b\");\n");

  // The picture is the area's, circle and all, without the trace point.
  const QImage figura = Figura(documento);
  ASSERT_EQ(figura.size(), f.pbRifCart->size());
  EXPECT_TRUE(Vicino(figura, QPoint(r.XPixel(5), r.YPixel(3)), clBlue));
  EXPECT_FALSE(Vicino(figura, traccia, clFuchsia));
  EXPECT_FALSE(Vicino(figura, traccia, clRed));
  // The area itself keeps it, and the clipboard keeps what the user had put there.
  EXPECT_TRUE(Vicino(f.ImmagineRifCart(), traccia, clFuchsia));
  EXPECT_EQ(QApplication::clipboard()->text(), "appunti");
  EXPECT_FALSE(QApplication::clipboard()->mimeData()->hasImage());
}

TEST(SchedaFinestra, UnaSecondaStampaScriveUnNuovoDocumentoELoApre) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  CartellaProgramma cartella;
  ProgrammaSalvato(f, cartella, "A = 1;");
  Scrivania scrivania;
  RispondiModali risposte;
  f.StampaScheda1->trigger();
  ImpostaTestoEditor(*f.MemoSource, "B = 2;");
  f.StampaScheda1->trigger();
  EXPECT_TRUE(risposte.Visti.empty());
  const std::string primo = cartella.Percorso("scheda-compito.odt"), secondo = cartella.Percorso("scheda-compito-2.odt");
  EXPECT_EQ(scrivania.Aperti, (std::vector<std::string>{primo, secondo}));
  EXPECT_NE(LettoDaPython(primo).find("segnalibro TABELLA1: A = 1;"), std::string::npos);
  EXPECT_NE(LettoDaPython(secondo).find("segnalibro TABELLA1: B = 2;"), std::string::npos);
}

TEST(SchedaFinestra, SenzaModelloUnMessaggioChiaroEIlLavoroProsegue) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  CartellaProgramma cartella;
  ImpostaTestoEditor(*f.MemoSource, "A = 1;");
  Clicca(f, f.Esegui1);
  Scrivania scrivania;
  {
    RispondiModali risposte;
    risposte.Premi(QMessageBox::Ok);
    f.StampaScheda1->trigger();
    ASSERT_EQ(risposte.Visti.size(), 1u);
    EXPECT_EQ(risposte.Visti[0].titolo, "Errore");
    EXPECT_EQ(risposte.Visti[0].testo.toStdString(),
              "Manca il modello della scheda \"scheda.odt\": non è né in " + cartella.Percorso() + " né in " +
                  QCoreApplication::applicationDirPath().toStdString() + ".");
  }
  EXPECT_TRUE(scrivania.Aperti.empty());
  EXPECT_FALSE(std::filesystem::exists(cartella.Percorso("scheda-senza-nome.odt")));
  // The application goes on.
  ImpostaTestoEditor(*f.MemoSource, "B = 2;\nSTAMPA(B);");
  Clicca(f, f.Esegui1);
  EXPECT_EQ(f.reoutput->toPlainText(), "> 2");
}

TEST(SchedaFinestra, ConLoSpazioInVistaLaFiguraELaVistaDelloSpazio) {
  FinestraAperta a;
  Tfrm3& f = a.f();
  CartellaProgramma cartella;
  std::filesystem::copy_file(QUORIX_MODELLO_SCHEDA, cartella.Percorso("scheda.odt"));
  Clicca(f, f.tbSpazio);
  ASSERT_TRUE(f.pnlRifCart3D->isVisible());
  Scrivania scrivania;
  f.StampaScheda1->trigger();
  // A program never saved has its worksheet in the program folder.
  const std::string documento = cartella.Percorso("scheda-senza-nome.odt");
  ASSERT_EQ(scrivania.Aperti, std::vector<std::string>{documento});
  const auto* vista = f.findChild<QWidget*>(QStringLiteral("ScnVista"));
  ASSERT_NE(vista, nullptr);
  const QImage figura = Figura(documento);
  // The scene's own snapshot: the view's size, to the few pixels its buffer's rows round to.
  EXPECT_EQ(figura.height(), vista->height());
  EXPECT_NEAR(figura.width(), vista->width(), 4);
  // The space's picture: its red X axis is in it.
  int rossi = 0;
  for (int y = 0; y < figura.height(); ++y)
    for (int x = 0; x < figura.width(); ++x) {
      const QRgb p = figura.pixel(x, y);
      if (qRed(p) > 150 && qGreen(p) < 80 && qBlue(p) < 80) ++rossi;
    }
  EXPECT_GT(rossi, 20);
}

}  // namespace
}  // namespace qx::test

#include "test_scheda_finestra.moc"
