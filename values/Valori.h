// The value model: every datum that a program holds is a value object of one class per
// kind. Drawable values carry a pen, a brush, a font and the flags that the canvas uses.
#pragma once
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Graphics.h"
#include "values/Funzioni.h"

namespace qx {

class TCanvas;

enum TipiValore : std::uint8_t {
  T_1, T_BOOLEANO, T_REALE, T_STRINGA, T_VETT_REALE, T_MATR_REALE, T_FRAZIONE, T_ESPRESSIONE, T_LISTA,
  T_ARCHIVIO, T_VETT_STRINGA, T_MATR_STRINGA, T_GRADO, T_2,
  T_GEOMETRIA_PIANA,
  T_FUNZIONE, T_PUNTO, T_LINEA, T_RETTA, T_SEGMENTO, T_SEGMENTO_OR, T_SEMIRETTA, T_ANGOLO, T_CERCHIO,
  T_POLIGONO, T_RETTANUM, T_RETTA_OR, T_ELLISSE, T_IPERBOLE, T_PARABOLA, T_TESTO, T_ARCO, T_SETTORECIRC,
  T_IMMAGINE, T_SCRITTURA,
  T_GEOMETRIA_PIANA_,
  T_STATISTICA,
  T_DIAG_STR, T_DIAG_CIRC, T_DIAG_IST,
  T_STATISTICA_,
  T_GEOMETRIA_SPAZIO,
  T_GRUPPO3D, T_CILINDRO3D, T_CONO3D, T_SFERA3D, T_CUBO3D, T_PIRAMIDE3D, T_PUNTO3D, T_PIANO3D,
  T_SEGMENTO3D, T_RETTA3D, T_FUNZIONE3D, T_FACCIA3D, T_PARALL3D, T_TETRAEDRO3D, T_SOLIDO3D, T_PRISMA3D,
  T_OTTAEDRO3D, T_DODECAEDRO3D, T_ICOSAEDRO3D,
  T_GEOMETRIA_SPAZIO_
};

enum TipiPoligono : std::uint8_t {
  T_POL, T_QUADRATO, T_RETTANGOLO, T_TRAPEZIO_I, T_TRAPEZIO_R, T_TRIANGOLO_R, T_TRIANGOLO_E, T_TRIANGOLO_I,
  T_ROMBO, T_PENTAGONO, T_ESAGONO
};

enum TipiLista : std::uint8_t { T_GENERICA, T_VETT_FUNZ };

constexpr bool IsGeometriaPiana(TipiValore t) { return t > T_GEOMETRIA_PIANA && t < T_GEOMETRIA_PIANA_; }
constexpr bool IsStatistica(TipiValore t) { return t > T_STATISTICA && t < T_STATISTICA_; }
constexpr bool IsGeometriaSpazio(TipiValore t) { return t > T_GEOMETRIA_SPAZIO && t < T_GEOMETRIA_SPAZIO_; }
// The planes of the space view's walls: variables that every reset of the environment makes,
// that no file stores and that no pick takes.
constexpr bool IsPianoPredefinito(std::string_view nome) {
  return nome == "PIANOXY" || nome == "PIANOYZ" || nome == "PIANOXZ";
}

// The member's own name ("T_REALE"), as program files and the headless runner write it.
const char* NomeMembroTipo(TipiValore t);
// The display name of a kind (the object list's text); lists and polygons depend on their
// own kind and ask their class.
const char* NomeTipoDi(TipiValore t);
const char* NomeTipoPoligono(TipiPoligono t);

class cValoreGraf;

class cValore {
 public:
  cValore() = default;
  virtual ~cValore();

  TipiValore Tipo = T_1;
  std::string Nome;
  // The display name of the kind: always a literal (or a name from a fixed table), so a
  // view is enough, and numbers, made at every step of an expression, copy no string.
  std::string_view NomeTipo;

  // One line describing the value; classes without a description leave the text empty.
  virtual void Descrizione(int n, std::string& Testo) const;
  // A new value of the same class with the same content (the interpreter copies values
  // whenever it reads a variable or stores one).
  virtual std::unique_ptr<cValore> Clona() const = 0;

  // This value as a drawable one, or nullptr (as dynamic_cast<cValoreGraf*> gives it, for
  // the price of a call: the store asks at every assignment).
  virtual cValoreGraf* ComeGrafico() { return nullptr; }
  const cValoreGraf* ComeGrafico() const { return const_cast<cValore*>(this)->ComeGrafico(); }

  // The kind's name, then ": " and the value's name unless it is empty or anonymous ("$").
  std::string IntestazioneDescrizione() const;
  bool IsAnonimo() const { return !Nome.empty() && Nome[0] == '$'; }

 protected:
  cValore(const cValore&) = default;
  cValore& operator=(const cValore&) = default;
};

class cValoreGraf : public cValore {
 public:
  cValoreGraf();
  ~cValoreGraf() override;

  TPen Pen;
  TBrush Brush;
  TFont Font;
  std::string varGruppo;
  bool bSelezionato = false;
  bool bEvidenziato = false;
  bool bDerivato = false;
  bool bCoordCartesiane = false;
  // A value is drawn only while it is visible; new values are.
  bool bVisibile = true;

  cValoreGraf* ComeGrafico() override { return this; }
  virtual void Disegna(TCanvas& Canvas);
  virtual bool Colpito(const TPoint& P) const;
  virtual void Sposta(Reale dx, Reale dy);
  // Copies this value INTO Dest: the flags that travel, kind, pen, brush, font, name and
  // group (the display name stays Dest's own). Overrides call it first.
  virtual void Copia(cValoreGraf& Dest) const;
  // Called by the store on the value it keeps, after the copy: `sorgente` is the value that
  // was assigned and `nome` the variable's name (a point takes its label from them).
  virtual void DopoMemorizzazione(const cValoreGraf& /*sorgente*/, const std::string& /*nome*/) {}

 protected:
  // A new value as the default constructor and then Copia from `sorgente` make it, in one step:
  // what Copia copies from `sorgente`, everything else as a new value has it. Reading a
  // variable copies its value: a clone need not take the current pen, brush and font first.
  struct ComeCopia {};
  cValoreGraf(const cValoreGraf& sorgente, ComeCopia);
  cValoreGraf(const cValoreGraf&) = default;
  cValoreGraf& operator=(const cValoreGraf&) = default;
};

// Thrown by the element accessors of vectors and matrices after they set bStop; the
// interpreter checks indices first, so it arrives only from a caller that did not.
class EIndiceNonValido : public std::exception {
 public:
  explicit EIndiceNonValido(std::string messaggio) : messaggio_(std::move(messaggio)) {}
  const char* what() const noexcept override { return messaggio_.c_str(); }

 private:
  std::string messaggio_;
};

}  // namespace qx
