// The small windows that a plane construction opens when it has two answers: two
// intersection points, two tangents, two segment ends, two polygons. Two radio buttons
// choose; the candidate chosen is drawn on the 2D canvas in not-xor mode, so that drawing
// it again takes it away, and closing the window takes it away: the canvas ends exactly as
// it was.
#pragma once
#include <QDialog>
#include <QPointer>
#include <QRect>
#include <functional>
#include <memory>
#include <string>

#include "platform/Graphics.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace qx {

class TCanvas;
class cValore;
class cValoreGraf;

// What the five windows share: the question, OK and the two choices.
class TdlgDueScelte : public QDialog {
 public:
  QLabel* Label1;
  QPushButton* OKButton;
  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;

  // Where the previews go (the 2D canvas; none: nowhere) and what shows the canvas again
  // after a preview was drawn.
  void ImpostaCanvas(TCanvas* canvas, std::function<void()> mostra);
  // Puts the window beside the candidates as the canvas widget `area` shows them, inside the
  // main window and the screen; with no candidate in sight it opens centred over the window.
  void Colloca(const QWidget* area);
  // Shows the window and answers the candidate chosen when it closed: 1 or 2.
  int Apri();
  // The candidate whose preview is on the canvas: 0 none, 1 or 2.
  int Mostrato() const { return mostrato_; }

 protected:
  TdlgDueScelte(const char* nome, const QString& caption, const QString& domanda, const QString& primo,
                const QString& secondo, QWidget* parent);
  // Draws the candidate's preview (drawing it twice leaves the canvas as it was).
  virtual void Anteprima(TCanvas& canvas, int candidato) = 0;
  // The not-xor red pen of the previews, of the given width, with a clear brush.
  static void PennaAnteprima(TCanvas& canvas, int spessore);

  // Every showing starts on the first candidate, drawn.
  void FormActivate();
  // The preview goes and the canvas pen is back to copy mode, however the window closes.
  void FormClose();
  void RadioButton1Click();
  void RadioButton2Click();
  void showEvent(QShowEvent* event) override;
  void done(int r) override;

 private:
  // The canvas pixels that the two previews cover; empty when they cover none.
  QRect IngombroCandidati();
  // The candidate's preview in place of the other one's.
  void Mostra(int candidato);
  void Disegna(int candidato);

  TCanvas* canvas_ = nullptr;
  std::function<void()> mostra_;
  int mostrato_ = 0;
  int scelto_ = 1;
};

// Two intersection points: a circle of 5 pixels around the point chosen.
class TdlgInters2s : public TdlgDueScelte {
 public:
  explicit TdlgInters2s(QWidget* parent = nullptr);
  TPuntoMondo Punto1, Punto2;

 protected:
  void Anteprima(TCanvas& canvas, int candidato) override;
};

// Two tangents, each through two points.
class TdlgTangCirc2s : public TdlgDueScelte {
 public:
  explicit TdlgTangCirc2s(QWidget* parent = nullptr);
  TPuntoMondo Tangente1a, Tangente1b, Tangente2a, Tangente2b;

 protected:
  void Anteprima(TCanvas& canvas, int candidato) override;
};

// Two segments from one start point.
class TdlgSegmento1 : public TdlgDueScelte {
 public:
  explicit TdlgSegmento1(QWidget* parent = nullptr);
  TPuntoMondo Inizio, Fine1, Fine2;

 protected:
  void Anteprima(TCanvas& canvas, int candidato) override;
};

// Two values (polygons), each drawn by itself in the preview pen.
class TdlgScegliPoligono : public TdlgDueScelte {
 public:
  explicit TdlgScegliPoligono(QWidget* parent = nullptr);
  ~TdlgScegliPoligono() override;
  // Copies of the candidates are drawn: the caller's values never change.
  void ImpostaCandidati(const cValore& candidato1, const cValore& candidato2);

 protected:
  TdlgScegliPoligono(const char* nome, const QString& domanda, QWidget* parent);
  void Anteprima(TCanvas& canvas, int candidato) override;

 private:
  std::unique_ptr<cValoreGraf> candidati_[2];
};

// The same choice between two values of a kind that the caller names.
class TdlgScegliRetta : public TdlgScegliPoligono {
 public:
  explicit TdlgScegliRetta(QWidget* parent = nullptr);
  // The kind's word, after "Selezionare ".
  std::string Tipo;

 protected:
  void showEvent(QShowEvent* event) override;
};

// The pickers of the window services, created once and reused: each method fills its
// window, shows it and answers 1 or 2.
class TSceglitori {
 public:
  // `canvas` gives the widget that shows the 2D canvas (none: the window opens centred).
  TSceglitori(QWidget* finestra, std::function<QWidget*()> canvas);
  ~TSceglitori();
  TSceglitori(const TSceglitori&) = delete;
  TSceglitori& operator=(const TSceglitori&) = delete;

  int ScegliIntersezione(const TPuntoMondo& p1, const TPuntoMondo& p2);
  int ScegliTangente(const TPuntoMondo& t1a, const TPuntoMondo& t1b, const TPuntoMondo& t2a, const TPuntoMondo& t2b);
  int ScegliSegmento(const TPuntoMondo& inizio, const TPuntoMondo& fine1, const TPuntoMondo& fine2);
  int ScegliPoligono(const cValore& candidato1, const cValore& candidato2);

  TdlgInters2s& dlgInters2s() { return *inters_; }
  TdlgTangCirc2s& dlgTangCirc2s() { return *tang_; }
  TdlgSegmento1& dlgSegmento1() { return *segmento_; }
  TdlgScegliPoligono& dlgScegliPoligono() { return *poligono_; }
  TdlgScegliRetta& dlgScegliRetta() { return *retta_; }

 private:
  // The canvas of the moment: a new run may have set another.
  int Apri(TdlgDueScelte& d);

  std::function<QWidget*()> canvas_;
  std::function<void()> mostra_;
  // Qt may delete a window first when its parent goes: the pointers then become null.
  QPointer<TdlgScegliPoligono> poligono_;
  QPointer<TdlgScegliRetta> retta_;
  QPointer<TdlgSegmento1> segmento_;
  QPointer<TdlgInters2s> inters_;
  QPointer<TdlgTangCirc2s> tang_;
};

}  // namespace qx
