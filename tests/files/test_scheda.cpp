// The worksheet: the picture of the 2D area and the program put into the project's
// template, checked by a second, independent reader (Python's zip and XML modules).
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/scheda/ImmagineScheda.h"
#include "app/scheda/Scheda.h"
#include "platform/qt/ApplicazioneQt.h"
#include "platform/qt/QImageCanvas.h"
#include "runstate/DatiGlob.h"
#include "tests/files/Lavoro.h"
#include "tests/files/VerificaScheda.h"

namespace qx {
namespace {

using test::LettoDaPython;

// Whether a pixel of the colour lies within two pixels of p.
bool Vicino(const TBitmap& b, TPoint p, TColor colore) {
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx)
      if (PixelInColore(b.Pixel(p.x + dx, p.y + dy)) == colore) return true;
  return false;
}

class Scheda : public test::Lavoro {
 protected:
  void SetUp() override { EnsureGuiApplication(); }

  // The picture the worksheet gets of the current work, on a 600 x 400 area.
  TBitmap Immagine(bool griglia) {
    TQImageCanvas tela(600, 400);
    DisegnaImmagineScheda(tela, *run.ambiente.RifCart(), run.ambiente.Variabili(), griglia);
    return tela.InBitmap();
  }
};

TEST_F(Scheda, TheDocumentHoldsThePictureOfTheAreaAndTheProgramAfterItsBookmarks) {
  const std::string programma =
      "C = CIRC(PUNTO(3, 3), 2);\r\nPER (I DA 1 A 2) ESEGUI;\r\n  STAMPA(I);\r\nFINE;\r\n\r\nS = \"a  b\";";
  ASSERT_TRUE(Esegui(programma));
  DatiGlob.PuntiTraccia->Aggiungi(8, 8);
  const TBitmap immagine = Immagine(true);
  EXPECT_EQ(immagine.Width(), 600);
  EXPECT_EQ(immagine.Height(), 400);
  // The trace point, which the canvas shows over everything, is not in the picture.
  const TPoint traccia = DatiGlob.RifCart->CartInPixel({8, 8});
  TQImageCanvas schermo(600, 400);
  run.ambiente.DisegnaRifCart(schermo);
  EXPECT_TRUE(Vicino(schermo.InBitmap(), traccia, clFuchsia));
  EXPECT_FALSE(Vicino(immagine, traccia, clFuchsia));
  EXPECT_FALSE(Vicino(immagine, traccia, clRed));
  // The circle is.
  EXPECT_TRUE(Vicino(immagine, DatiGlob.RifCart->CartInPixel({5, 3}), clBlue));

  const std::string uscita = PercorsoScheda(Cartella() + "/cerchio.qxs", "");
  EXPECT_EQ(uscita, Cartella() + "/scheda-cerchio.odt");
  std::string errore;
  ASSERT_TRUE(EsportaScheda(QUORIX_MODELLO_SCHEDA, uscita, immagine, programma, errore)) << errore;
  EXPECT_EQ(LettoDaPython(uscita),
            "primo mimetype stored\n"
            "mimetype application/vnd.oasis.opendocument.text\n"
            "manifest Pictures/scheda.png\n"
            "segnalibro ALUNNO: Alunno: \n"
            "segnalibro CLASSE: Classe: \n"
            "segnalibro DATA: Data: \n"
            "segnalibro TABELLA: [figura]\n"
            "immagine Pictures/scheda.png 600x400 15.875cm 10.583cm\n"
            "segnalibro TABELLA1: C = CIRC(PUNTO(3, 3), 2);\n"
            "riga PER (I DA 1 A 2) ESEGUI;\n"
            "riga   STAMPA(I);\n"
            "riga FINE;\n"
            "riga \n"
            "riga S = \"a  b\";\n");
}

TEST_F(Scheda, AWideAreaIsFittedToThePageAndAnEmptyProgramAddsNoLine) {
  ASSERT_TRUE(Esegui("A = 1;"));
  TQImageCanvas tela(1200, 300);
  DisegnaImmagineScheda(tela, *run.ambiente.RifCart(), run.ambiente.Variabili(), false);
  const std::string uscita = Cartella() + "/largo.odt";
  std::string errore;
  ASSERT_TRUE(EsportaScheda(QUORIX_MODELLO_SCHEDA, uscita, tela.InBitmap(), "", errore)) << errore;
  const std::string letto = LettoDaPython(uscita);
  EXPECT_NE(letto.find("immagine Pictures/scheda.png 1200x300 17.000cm 4.250cm\n"), std::string::npos) << letto;
  EXPECT_NE(letto.find("segnalibro TABELLA1: \n"), std::string::npos) << letto;
  EXPECT_EQ(letto.find("riga"), std::string::npos) << letto;
}

TEST_F(Scheda, WhatFollowedTheBookmarkComesAfterTheLastLine) {
  std::vector<TVoceZip> modello = {
      {"mimetype", "application/vnd.oasis.opendocument.text", false},
      {"content.xml",
       "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
       "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:text>"
       "<text:p text:style-name=\"P\">prima<text:bookmark text:name=\"TABELLA1\"/>dopo</text:p>"
       "<text:p>fine</text:p></office:text></office:body></office:document-content>",
       true},
      {"Pictures/scheda.png", "gia presente", false}};
  TBitmap pixel(2, 1, 0xFF00FF00u);
  const auto voci = CompilaScheda(modello, pixel, "uno\ndue  tre\t!");
  ASSERT_EQ(voci.front().Nome, "mimetype");
  pugi::xml_document d;
  const auto* contenuto = &voci[1];
  ASSERT_EQ(contenuto->Nome, "content.xml");
  ASSERT_TRUE(d.load_string(contenuto->Dati.c_str()));
  std::string testi;
  for (pugi::xml_node p : d.document_element().first_child().first_child().children("text:p")) {
    testi += "[" + std::string(p.attribute("text:style-name").value()) + "]";
    for (pugi::xml_node n : p.children()) {
      if (n.type() == pugi::node_pcdata) testi += n.value();
      else if (std::string(n.name()) == "text:s") testi += "<s" + std::string(n.attribute("text:c").value()) + ">";
      else if (std::string(n.name()) == "text:tab") testi += "<tab>";
    }
  }
  EXPECT_EQ(testi, "[P]primauno[P]due<s2>tre<tab>!dopo[]fine");
  // The template's own picture keeps its name; the worksheet's takes another.
  EXPECT_EQ(voci.back().Nome, "META-INF/manifest.xml");
  EXPECT_NE(voci.back().Dati.find("Pictures/scheda-1.png"), std::string::npos);
}

TEST_F(Scheda, AMissingOrDamagedTemplateGivesAClearMessageAndNoDocument) {
  std::string errore;
  const std::string uscita = Cartella() + "/scheda-x.odt";
  EXPECT_FALSE(EsportaScheda(Cartella() + "/scheda.odt", uscita, TBitmap(2, 2), "A = 1;", errore));
  EXPECT_EQ(errore, "Manca il modello della scheda: " + Cartella() + "/scheda.odt");
  ScriviFile(Cartella() + "/rotto.odt", "non è uno zip");
  EXPECT_FALSE(EsportaScheda(Cartella() + "/rotto.odt", uscita, TBitmap(2, 2), "A = 1;", errore));
  EXPECT_EQ(errore, "Il modello della scheda " + Cartella() + "/rotto.odt non è un documento valido");
  std::string senzaContenuto;
  ASSERT_TRUE(ScriviZip({{"mimetype", "x", false}}, senzaContenuto));
  ScriviFile(Cartella() + "/vuoto.odt", senzaContenuto);
  EXPECT_FALSE(EsportaScheda(Cartella() + "/vuoto.odt", uscita, TBitmap(2, 2), "A = 1;", errore));
  EXPECT_EQ(errore, "Il modello della scheda " + Cartella() + "/vuoto.odt non è un documento valido");
  EXPECT_EQ(LeggiFile(uscita), "");
  EXPECT_EQ(PercorsoScheda("", "/home/alunno/"), "/home/alunno/scheda-senza-nome.odt");
  EXPECT_EQ(PercorsoScheda("prova.v2.qxa", "/x"), "scheda-prova.v2.odt");
}

TEST_F(Scheda, EveryExportTakesANewNameAndTheEarlierWorksheetsStay) {
  const std::string programma = Cartella() + "/compito.qxs";
  std::string errore;
  std::vector<std::string> scritti;
  for (const char* testo : {"A = 1;", "B = 2;", "C = 3;"}) {
    const std::string uscita = PercorsoSchedaNuova(programma, "");
    ASSERT_TRUE(EsportaScheda(QUORIX_MODELLO_SCHEDA, uscita, TBitmap(2, 2), testo, errore)) << errore;
    scritti.push_back(uscita);
  }
  EXPECT_EQ(scritti, (std::vector<std::string>{Cartella() + "/scheda-compito.odt", Cartella() + "/scheda-compito-2.odt",
                                               Cartella() + "/scheda-compito-3.odt"}));
  EXPECT_NE(LettoDaPython(scritti[0]).find("TABELLA1: A = 1;"), std::string::npos);
  EXPECT_NE(LettoDaPython(scritti[1]).find("TABELLA1: B = 2;"), std::string::npos);
  // A gap left by a deleted worksheet is taken again; the unsaved program numbers its own.
  std::filesystem::remove(scritti[1]);
  EXPECT_EQ(PercorsoSchedaNuova(programma, ""), scritti[1]);
  EXPECT_EQ(PercorsoSchedaNuova("", Cartella()), Cartella() + "/scheda-senza-nome.odt");
}

}  // namespace
}  // namespace qx
