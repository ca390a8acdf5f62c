// The interpreter's shared run state. The interpreter keeps no objects of its own: the
// window starts, steps and stops a run only by setting these fields, and the values read
// the current pen, brush, font and frame from here. Everything lives in one struct so that
// a test can put the whole state back to its start-up defaults between runs.
#pragma once
#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Cursori.h"
#include "platform/Graphics.h"

namespace qx {

class cRifCart;
class cListaVariabili;
class TListValGraf;
class TCollPunti;
class TCanvas;
class cValore;
class cValoreGraf;
class cRifCart3D;
class TGLBaseSceneObject;

// Which editor's lines the run highlights and invalidates.
enum class TEditorCorrente : std::uint8_t { Nessuno, Programma, BarraComandi };

// The 2D drawing area: the frame statements and the pixel routines read its size.
struct TAreaDisegno {
  int ClientWidth = 600;
  int ClientHeight = 400;
};

// Cursor numbers of the 2D canvas (the window maps them to real cursors): the toolkit's own
// (platform/Cursori.h) and the application's slots.
enum TCursore : int { crPenna = 1, crMano = 2, crManoMovimento = 3 };

constexpr int NUM_LISTE_MODELLI = 9;

struct TDatiGlob {
  // ---- Program text and reading position ----
  std::vector<std::string> ListaIstruzioni;  // the program being run, one entry per line (UTF-8)
  TEditorCorrente EditorCorrente = TEditorCorrente::Programma;
  // The current line with one blank appended, then left-trimmed: a view of the scanner's
  // prepared copy of the line, which stays put for the whole run.
  std::u32string_view RigaTesto;
  int IndiceRiga = 0;        // 0-based line of RigaTesto
  int Colonna = 0;           // 1-based position of ChCorrente in RigaTesto (0 before the first)
  char32_t ChCorrente = U' ';
  std::string TokenCorrente;
  std::string NomeIstruzione;

  // ---- Run flags ----
  bool bFine = false;
  bool bStop = false;
  bool bErroreSegnalato = false;  // ended by STOP or by the user: later errors stay silent
  bool bErroreMostrato = false;   // the first error of this run has been shown
  std::string MessaggioErrore;
  int RigaErrore = -1;
  bool bContinua = false;
  int RigaCorrente = -1;
  int UltimaRigaMostrata = -1;
  bool bPassoPasso = false;
  bool bAttesaPasso = false;
  bool bEvidenziaRiga = true;
  bool bEsecuzioneVeloce = false;
  bool bImmediato = true;
  bool bMostraErrori = false;
  bool bInterrotto = false;
  bool bInEsecuzione = false;
  int ContatoreOggetti = 0;
  std::string CartellaProgramma;
  bool bSuonoFermato = false;  // the sound-stop flag: set when the run is stopped, ends a note's wait

  // ---- Graphic run state ----
  TPen PennaCorrente{clBlue};
  TBrush PennelloCorrente{clWhite, bsClear};
  TBrush PennelloColore{clAqua, bsSolid};
  TColor ColoreSfondo = clWhite;
  TFont CarattereCorrente;
  float Alfa3D = 0.9f;
  TCanvas* CanvasRifCart = nullptr;  // owned by the window (or the test)
  TAreaDisegno AreaRifCart;
  int CursoreRifCart = crDefault;
  cRifCart* RifCart = nullptr;
  cRifCart3D* RifCart3D = nullptr;
  cListaVariabili* ListaVariabili = nullptr;
  TListValGraf* ListaValGraf = nullptr;
  TCollPunti* PuntiTraccia = nullptr;
  bool bTraccia = false;
  cValore* OggettoScelto = nullptr;
  cValore* LatoScelto = nullptr;
  cValore* VerticeScelto = nullptr;
  bool bVista3D = false;
  // The scene objects of the space view's picks: the one picked or hovered, the one being
  // placed with the mouse, and the one a new point is placed on. The space values clear
  // them when the objects they point into go.
  TGLBaseSceneObject* OggettoGLScelto = nullptr;
  TGLBaseSceneObject* OggettoGLInMovimento = nullptr;
  TGLBaseSceneObject* OggettoGLRiferimento = nullptr;

  // ---- Wait-for-the-user flags of the picks ----
  bool bAttesaPunto = false;
  bool bAttesaLinea = false;
  bool bAttesaSegmento = false;
  bool bAttesaRettaNum = false;
  bool bAttesaDiagramma = false;
  bool bAttesaFigura = false;
  bool bAttesaTesto = false;
  bool bAttesaImmagine = false;
  bool bModoPenna = false;
  bool bAttesaPuntoSu = false;
  bool bAttesaScegliPunto = false;
  bool bAttesaScegliSegmento = false;
  bool bAttesaScegliOggetto = false;
  bool bAttesaScegliLato = false;
  bool bAttesaScegliVertice = false;
  bool bAttesaClicca = false;
  bool bAttesaPunto3D = false;
  bool bAttesaPunto3DSu = false;
  bool bAttesaPiano3D = false;
  // Which wait a click answers. Each wait for the mouse is numbered when it is raised (0:
  // none is on). The left button's press keeps the number of the wait it went down in, or 0
  // when it answered that wait by itself (a pick) or came while none was on: its release
  // answers nothing then. A hand that holds the button while the program goes on to its
  // next wait does not answer that one with the same click.
  std::uint64_t AttesaMouse = 0;
  std::uint64_t AttesaDellaPressione = 0;
  std::uint64_t ContatoreAtteseMouse = 0;

  // ---- What the mouse side hands to a waiting command ----
  TPuntoMondo PuntoCliccato;       // where the mouse placed a new point (world)
  TPoint PixelCliccato;            // where the left button went down (or the segment's end)
  TPoint PixelRilasciato;          // where it came up after dragging a chart's extent
  cValore* OggettoPuntoSu = nullptr;   // the line-like value a point must lie on
  cValore* CerchioPuntoSu = nullptr;   // the circle a point must lie on
  cValore* PuntoInizioSegmento = nullptr;  // fixed start of a segment whose direction is chosen
  long double LunghezzaSegmento = 0;
  cValore* PuntoInizioLinea = nullptr;     // the end points a line being drawn snaps to
  cValore* PuntoFineLinea = nullptr;
  TCollPunti* LineaInCorso = nullptr;      // points of a freehand line or pen stroke
  cValore* FiguraInAttesa = nullptr;       // the value being dragged into place
  cValore* TestoInAttesa = nullptr;
  cValore* ImmagineInAttesa = nullptr;
  bool bMouseCatturato = false;            // the button went down on a pick and is held
  bool bParametriErrati = false;           // no argument form of a geometry command matched
  int CursoreSchermo = 0;                  // the screen cursor a selection command shows

  // ---- Start-up data ----
  std::array<std::vector<std::string>, NUM_LISTE_MODELLI> ListeModelli;
  std::vector<std::string> ProgrammaPredefinito;
};

extern TDatiGlob DatiGlob;

// Start-up of the shared state: keyword texts, program folder, defaults, template lists.
void InizializzaDatiGlob();
// Puts every field back to its start-up value (tests call it between runs).
void ReimpostaDatiGlob();
// The language's random generator, seeded from the clock at start-up (tests seed it).
std::mt19937& GeneratoreCasuale();
// Clears every wait-for-the-user flag (the stop command and the scripted user use it).
void AzzeraAttese();

// A wait for the mouse, numbered for as long as it lives (see AttesaMouse).
class TAttesaMouse {
 public:
  TAttesaMouse();
  ~TAttesaMouse();
  TAttesaMouse(const TAttesaMouse&) = delete;
  TAttesaMouse& operator=(const TAttesaMouse&) = delete;

 private:
  std::uint64_t prima_;
};
// The left button went down: it belongs to the wait now on.
void PressioneMouse();
// That press answered its wait by itself (a pick): its release answers nothing.
void PressioneUsata();
// The left button is down on a press made in the wait that is still on and not used by the
// press itself: what it does belongs to that wait.
bool PressioneDellAttesa();
// The left button came up: true when it ends a press made in the wait that is still on
// and not used by the press itself. Asked once per release.
bool RilascioRisponde();
// What the window's stop command does to the run state.
void TerminaEsecuzione();

// Character classes of the scanner (ASCII only: accented letters are not letters here).
constexpr bool IsCifra(char32_t c) { return c >= U'0' && c <= U'9'; }
constexpr bool IsLettera(char32_t c) { return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z'); }
constexpr bool IsAlfanumerico(char32_t c) { return IsCifra(c) || IsLettera(c); }
// Removes leading blanks (the blank character only: tabs stay).
std::string TrimSinistro(const std::string& s);
std::u32string TrimSinistro(const std::u32string& s);

// Colour and style numbers of the language.
TColor IndiceAColore(int indice);
int ColoreAIndice(TColor colore);
TPenStyle NumeroAStilePenna(int n);
TBrushStyle NumeroAStileRiempimento(int n);

// UTF-8 <-> code points; invalid bytes decode as U+FFFD.
std::u32string Utf8ToU32(const std::string& s);
std::string U32ToUtf8(const std::u32string& s);
void AppendUtf8(std::string& out, char32_t c);

}  // namespace qx
