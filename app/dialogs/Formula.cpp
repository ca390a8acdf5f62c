#include "app/dialogs/Formula.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace qx::formula {

namespace {

// ---- Reading ----

struct Simbolo {
  enum Tipo { Numero, Nome, Segno } tipo;
  QString testo;
};

// The pieces of the text; false when a character belongs to no piece.
bool Dividi(const QString& t, std::vector<Simbolo>& simboli) {
  const auto cifra = [&](int i) { return i < t.size() && t[i].isDigit(); };
  int i = 0;
  while (i < t.size()) {
    if (simboli.size() > kMaxSimboli) return false;
    const QChar c = t[i];
    if (c.isSpace()) {
      ++i;
    } else if (c.isDigit() || (c == QLatin1Char('.') && cifra(i + 1))) {
      // number := digits ["." digits] ["e" [sign] digits]
      const int da = i;
      while (i < t.size() && (t[i].isDigit() || t[i] == QLatin1Char('.'))) ++i;
      if (i < t.size() && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        int j = i + 1;
        if (j < t.size() && (t[j] == QLatin1Char('+') || t[j] == QLatin1Char('-'))) ++j;
        if (cifra(j)) {
          i = j;
          while (cifra(i)) ++i;
        }
      }
      simboli.push_back({Simbolo::Numero, t.mid(da, i - da)});
    } else if (c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('$')) {
      // name := (letter | "_" | "$") {letter | digit | "_" | "$"}
      const int da = i;
      while (i < t.size() && (t[i].isLetterOrNumber() || t[i] == QLatin1Char('_') || t[i] == QLatin1Char('$'))) ++i;
      simboli.push_back({Simbolo::Nome, t.mid(da, i - da)});
    } else if (QStringLiteral("+-*/^=(),").contains(c)) {
      simboli.push_back({Simbolo::Segno, QString(c)});
      ++i;
    } else {
      return false;
    }
  }
  return true;
}

std::unique_ptr<Nodo> NuovoNodo(Nodo::Tipo tipo, QString testo = {}) {
  auto n = std::make_unique<Nodo>();
  n->tipo = tipo;
  n->testo = std::move(testo);
  return n;
}

std::unique_ptr<Nodo> NuovoBinario(QChar op, std::unique_ptr<Nodo> sx, std::unique_ptr<Nodo> dx) {
  auto n = NuovoNodo(Nodo::Binario);
  n->op = op;
  n->figli.push_back(std::move(sx));
  n->figli.push_back(std::move(dx));
  return n;
}

class Lettore {
 public:
  explicit Lettore(std::vector<Simbolo> s) : s_(std::move(s)) {}

  std::unique_ptr<Nodo> Tutto() {
    auto n = Formula();
    return n && i_ == s_.size() ? std::move(n) : nullptr;
  }

 private:
  bool E(const char* segno) const {
    return i_ < s_.size() && s_[i_].tipo == Simbolo::Segno && s_[i_].testo == QLatin1String(segno);
  }
  bool Prendi(const char* segno) {
    if (!E(segno)) return false;
    ++i_;
    return true;
  }

  // formula := sum ["=" sum]
  std::unique_ptr<Nodo> Formula() {
    auto sx = Somma();
    if (!sx || !Prendi("=")) return sx;
    auto dx = Somma();
    return dx ? NuovoBinario(QLatin1Char('='), std::move(sx), std::move(dx)) : nullptr;
  }
  // sum := product {("+" | "-") product}
  std::unique_ptr<Nodo> Somma() {
    auto n = Prodotto();
    while (n && (E("+") || E("-"))) {
      const QChar op = s_[i_++].testo.front();
      auto dx = Prodotto();
      n = dx ? NuovoBinario(op, std::move(n), std::move(dx)) : nullptr;
    }
    return n;
  }
  // product := unary {("*" | "/") unary}
  std::unique_ptr<Nodo> Prodotto() {
    auto n = Unario();
    while (n && (E("*") || E("/"))) {
      const QChar op = s_[i_++].testo.front();
      auto dx = Unario();
      n = dx ? NuovoBinario(op, std::move(n), std::move(dx)) : nullptr;
    }
    return n;
  }
  // unary := ("-" | "+") unary | power
  std::unique_ptr<Nodo> Unario() {
    if (Prendi("+")) return Unario();
    if (!Prendi("-")) return Potenza();
    auto figlio = Unario();
    if (!figlio) return nullptr;
    auto n = NuovoNodo(Nodo::Meno);
    n->figli.push_back(std::move(figlio));
    return n;
  }
  // power := atom ["^" unary]
  std::unique_ptr<Nodo> Potenza() {
    auto base = Atomo();
    if (!base || !Prendi("^")) return base;
    auto esponente = Unario();
    if (!esponente) return nullptr;
    auto n = NuovoNodo(Nodo::Potenza);
    n->figli.push_back(std::move(base));
    n->figli.push_back(std::move(esponente));
    return n;
  }
  // atom := number | name "(" formula {"," formula} ")" | name | "(" formula ")"
  std::unique_ptr<Nodo> Atomo() {
    if (i_ >= s_.size()) return nullptr;
    const Simbolo& s = s_[i_];
    if (s.tipo == Simbolo::Numero) {
      ++i_;
      return NuovoNodo(Nodo::Numero, s.testo);
    }
    if (s.tipo == Simbolo::Nome) {
      ++i_;
      if (!Prendi("(")) return NuovoNodo(Nodo::Nome, s.testo);
      auto n = NuovoNodo(Nodo::Chiamata, s.testo);
      do {
        auto argomento = Formula();
        if (!argomento) return nullptr;
        n->figli.push_back(std::move(argomento));
      } while (Prendi(","));
      return Prendi(")") ? std::move(n) : nullptr;
    }
    if (!Prendi("(")) return nullptr;
    auto n = Formula();
    return n && Prendi(")") ? std::move(n) : nullptr;
  }

  std::vector<Simbolo> s_;
  std::size_t i_ = 0;
};

// ---- Boxes ----

class BoxTesto : public Scatola {
 public:
  BoxTesto(QString testo, QFont font) : testo_(std::move(testo)), font_(std::move(font)) {
    const QFontMetricsF m(font_);
    Larghezza = m.horizontalAdvance(testo_);
    Ascesa = m.ascent();
    Discesa = m.descent();
  }
  void Disegna(QPainter& p, qreal x, qreal y) const override {
    p.setFont(font_);
    p.drawText(QPointF(x, y), testo_);
  }

 private:
  QString testo_;
  QFont font_;
};

class BoxRiga : public Scatola {
 public:
  // A piece after `spazio` pixels of blank.
  void Aggiungi(std::unique_ptr<Scatola> b, qreal spazio = 0) {
    Larghezza += spazio;
    x_.push_back(Larghezza);
    Larghezza += b->Larghezza;
    Ascesa = std::max(Ascesa, b->Ascesa);
    Discesa = std::max(Discesa, b->Discesa);
    pezzi_.push_back(std::move(b));
  }
  void Disegna(QPainter& p, qreal x, qreal y) const override {
    for (std::size_t i = 0; i < pezzi_.size(); ++i) pezzi_[i]->Disegna(p, x + x_[i], y);
  }

 private:
  std::vector<std::unique_ptr<Scatola>> pezzi_;
  std::vector<qreal> x_;
};

class BoxFrazione : public Scatola {
 public:
  BoxFrazione(std::unique_ptr<Scatola> num, std::unique_ptr<Scatola> den, qreal asse, qreal spessore, qreal margine)
      : num_(std::move(num)), den_(std::move(den)), asse_(asse), spessore_(spessore), margine_(margine) {
    barra_ = std::max(num_->Larghezza, den_->Larghezza);
    Larghezza = barra_ + 2 * margine_;
    distanza_ = spessore_ + 1;
    Ascesa = asse_ + spessore_ / 2 + distanza_ + num_->Altezza();
    Discesa = den_->Altezza() + distanza_ + spessore_ / 2 - asse_;
  }
  void Disegna(QPainter& p, qreal x, qreal y) const override {
    const qreal yBarra = y - asse_;
    num_->Disegna(p, x + margine_ + (barra_ - num_->Larghezza) / 2, yBarra - spessore_ / 2 - distanza_ - num_->Discesa);
    den_->Disegna(p, x + margine_ + (barra_ - den_->Larghezza) / 2, yBarra + spessore_ / 2 + distanza_ + den_->Ascesa);
    p.fillRect(QRectF(x + margine_, yBarra - spessore_ / 2, barra_, spessore_), p.pen().color());
  }

 private:
  std::unique_ptr<Scatola> num_, den_;
  qreal asse_, spessore_, margine_, barra_ = 0, distanza_ = 0;
};

class BoxPotenza : public Scatola {
 public:
  BoxPotenza(std::unique_ptr<Scatola> base, std::unique_ptr<Scatola> esponente, qreal salita, qreal spazio)
      : base_(std::move(base)), esp_(std::move(esponente)), salita_(salita), spazio_(spazio) {
    Larghezza = base_->Larghezza + spazio_ + esp_->Larghezza;
    Ascesa = std::max(base_->Ascesa, salita_ + esp_->Ascesa);
    Discesa = std::max(base_->Discesa, esp_->Discesa - salita_);
  }
  void Disegna(QPainter& p, qreal x, qreal y) const override {
    base_->Disegna(p, x, y);
    esp_->Disegna(p, x + base_->Larghezza + spazio_, y - salita_);
  }

 private:
  std::unique_ptr<Scatola> base_, esp_;
  qreal salita_, spazio_;
};

// A formula between two delimiters that grow with it: parentheses or the bars of a modulus.
class BoxDelimitato : public Scatola {
 public:
  BoxDelimitato(std::unique_ptr<Scatola> dentro, bool barre, qreal em)
      : dentro_(std::move(dentro)), barre_(barre), tratto_(std::max<qreal>(1.0, em / 15)) {
    Ascesa = dentro_->Ascesa + 1;
    Discesa = dentro_->Discesa + 1;
    lato_ = barre_ ? em * 0.25 : std::max(em * 0.3, Altezza() * 0.12);
    Larghezza = dentro_->Larghezza + 2 * lato_;
  }
  void Disegna(QPainter& p, qreal x, qreal y) const override {
    dentro_->Disegna(p, x + lato_, y);
    const qreal alto = y - Ascesa, basso = y + Discesa;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(p.pen().color(), tratto_));
    p.setBrush(Qt::NoBrush);
    const qreal destra = x + Larghezza;
    if (barre_) {
      p.drawLine(QPointF(x + lato_ / 2, alto), QPointF(x + lato_ / 2, basso));
      p.drawLine(QPointF(destra - lato_ / 2, alto), QPointF(destra - lato_ / 2, basso));
    } else {
      const qreal centro = (alto + basso) / 2;
      QPainterPath sinistra(QPointF(x + lato_ * 0.85, alto));
      sinistra.quadTo(QPointF(x - lato_ * 0.15, centro), QPointF(x + lato_ * 0.85, basso));
      QPainterPath dx(QPointF(destra - lato_ * 0.85, alto));
      dx.quadTo(QPointF(destra + lato_ * 0.15, centro), QPointF(destra - lato_ * 0.85, basso));
      p.drawPath(sinistra);
      p.drawPath(dx);
    }
    p.restore();
  }

 private:
  std::unique_ptr<Scatola> dentro_;
  bool barre_;
  qreal tratto_, lato_ = 0;
};

class BoxRadice : public Scatola {
 public:
  BoxRadice(std::unique_ptr<Scatola> dentro, qreal em)
      : dentro_(std::move(dentro)), segno_(em * 0.6), tratto_(std::max<qreal>(1.0, em / 15)) {
    Ascesa = dentro_->Ascesa + 2 + tratto_;
    Discesa = dentro_->Discesa;
    Larghezza = segno_ + dentro_->Larghezza + em * 0.15;
  }
  void Disegna(QPainter& p, qreal x, qreal y) const override {
    dentro_->Disegna(p, x + segno_, y);
    const qreal alto = y - Ascesa + tratto_ / 2, basso = y + Discesa, h = basso - alto;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(p.pen().color(), tratto_));
    const QPointF punti[] = {{x, basso - h * 0.4},
                             {x + segno_ * 0.25, basso - h * 0.5},
                             {x + segno_ * 0.55, basso},
                             {x + segno_ * 0.9, alto},
                             {x + Larghezza, alto}};
    p.drawPolyline(punti, 5);
    p.restore();
  }

 private:
  std::unique_ptr<Scatola> dentro_;
  qreal segno_, tratto_;
};

// ---- Layout ----

// How tightly a node binds, for the parentheses it needs as an operand.
int Forza(const Nodo& n) {
  switch (n.tipo) {
    case Nodo::Binario:
      if (n.op == QLatin1Char('=')) return 0;
      if (n.op == QLatin1Char('+') || n.op == QLatin1Char('-')) return 1;
      if (n.op == QLatin1Char('*')) return 3;
      return 5;  // a fraction stands on its own
    case Nodo::Meno: return 2;
    case Nodo::Potenza: return 4;
    default: return 6;
  }
}

class Compositore {
 public:
  explicit Compositore(const QFont& font) : base_(font) {}

  std::unique_ptr<Scatola> Componi(const Nodo& n, int livello) {
    const QFont f = Font(livello, false);
    const qreal em = Em(livello);
    switch (n.tipo) {
      case Nodo::Numero: return std::make_unique<BoxTesto>(n.testo, f);
      case Nodo::Testo: return std::make_unique<BoxTesto>(n.testo, f);
      case Nodo::Nome:
        if (n.testo == QLatin1String("pi")) return std::make_unique<BoxTesto>(QStringLiteral("π"), f);
        return std::make_unique<BoxTesto>(n.testo, Font(livello, true));
      case Nodo::Meno: {
        auto riga = std::make_unique<BoxRiga>();
        riga->Aggiungi(std::make_unique<BoxTesto>(QStringLiteral("−"), f));
        riga->Aggiungi(Operando(*n.figli[0], livello, Forza(*n.figli[0]) <= 2), em * 0.05);
        return riga;
      }
      case Nodo::Potenza: return Potenza(*n.figli[0], Componi(*n.figli[1], livello + 1), livello);
      case Nodo::Chiamata: return Chiamata(n, livello);
      case Nodo::Binario: break;
    }
    const Nodo& sx = *n.figli[0];
    const Nodo& dx = *n.figli[1];
    if (n.op == QLatin1Char('/')) {
      const QFontMetricsF m(f);
      return std::make_unique<BoxFrazione>(Componi(sx, livello), Componi(dx, livello), m.strikeOutPos(),
                                           std::max<qreal>(1.0, std::round(em / 16)), std::max<qreal>(1.0, em * 0.08));
    }
    auto riga = std::make_unique<BoxRiga>();
    QString segno(n.op);
    qreal spazio = em * 0.22;
    bool parentesiSx = false, parentesiDx = false;
    if (n.op == QLatin1Char('+') || n.op == QLatin1Char('-')) {
      if (n.op == QLatin1Char('-')) segno = QStringLiteral("−");
      parentesiSx = Forza(sx) < 1;
      parentesiDx = Forza(dx) <= 2;
    } else if (n.op == QLatin1Char('*')) {
      segno = QStringLiteral("·");
      spazio = em * 0.12;
      parentesiSx = Forza(sx) < 2;
      parentesiDx = Forza(dx) <= 2;
    }
    riga->Aggiungi(Operando(sx, livello, parentesiSx));
    riga->Aggiungi(std::make_unique<BoxTesto>(segno, f), spazio);
    riga->Aggiungi(Operando(dx, livello, parentesiDx), spazio);
    return riga;
  }

 private:
  QFont Font(int livello, bool corsivo) const {
    QFont f = base_;
    f.setPixelSize(static_cast<int>(std::lround(Em(livello))));
    f.setItalic(corsivo);
    return f;
  }
  qreal Em(int livello) const {
    qreal em = base_.pixelSize() > 0 ? base_.pixelSize() : QFontMetricsF(base_).height();
    for (int i = 0; i < livello; ++i) em = std::max<qreal>(8, em * 0.7);
    return em;
  }

  std::unique_ptr<Scatola> Operando(const Nodo& n, int livello, bool parentesi) {
    auto b = Componi(n, livello);
    if (!parentesi) return b;
    return std::make_unique<BoxDelimitato>(std::move(b), false, Em(livello));
  }

  std::unique_ptr<Scatola> Potenza(const Nodo& base, std::unique_ptr<Scatola> esponente, int livello) {
    auto b = Operando(base, livello, Forza(base) < 6);
    const qreal em = Em(livello);
    const qreal salita = std::max(em * 0.42, b->Ascesa - esponente->Ascesa * 0.6);
    return std::make_unique<BoxPotenza>(std::move(b), std::move(esponente), salita, em * 0.05);
  }

  std::unique_ptr<Scatola> Chiamata(const Nodo& n, int livello) {
    const qreal em = Em(livello);
    const bool unArgomento = n.figli.size() == 1;
    if (unArgomento && n.testo == QLatin1String("sqrt"))
      return std::make_unique<BoxRadice>(Componi(*n.figli[0], livello), em);
    if (unArgomento && n.testo == QLatin1String("abs"))
      return std::make_unique<BoxDelimitato>(Componi(*n.figli[0], livello), true, em);
    if (unArgomento && n.testo == QLatin1String("sqr")) {
      auto due = std::make_unique<BoxTesto>(QStringLiteral("2"), Font(livello + 1, false));
      return Potenza(*n.figli[0], std::move(due), livello);
    }
    auto argomenti = std::make_unique<BoxRiga>();
    for (std::size_t i = 0; i < n.figli.size(); ++i) {
      if (i > 0) argomenti->Aggiungi(std::make_unique<BoxTesto>(QStringLiteral(","), Font(livello, false)));
      argomenti->Aggiungi(Componi(*n.figli[i], livello), i > 0 ? em * 0.15 : 0);
    }
    auto riga = std::make_unique<BoxRiga>();
    riga->Aggiungi(std::make_unique<BoxTesto>(n.testo, Font(livello, false)));
    riga->Aggiungi(std::make_unique<BoxDelimitato>(std::move(argomenti), false, em), em * 0.05);
    return riga;
  }

  QFont base_;
};

}  // namespace

std::unique_ptr<Nodo> Leggi(const QString& testo) {
  std::vector<Simbolo> simboli;
  // The depth of the tree stays below the number of pieces, and so does the recursion
  // that lays it out.
  if (!Dividi(testo, simboli) || simboli.empty() || simboli.size() > kMaxSimboli) return nullptr;
  return Lettore(std::move(simboli)).Tutto();
}

std::unique_ptr<Scatola> Componi(const QString& testo, const QFont& font) {
  Compositore c(font);
  if (auto albero = Leggi(testo)) return c.Componi(*albero, 0);
  Nodo semplice;
  semplice.testo = testo;
  return c.Componi(semplice, 0);
}

}  // namespace qx::formula
