#include "app/DisegnoVoci.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QStyleOptionMenuItem>

#include "controls/ToolkitColors.h"
#include "runstate/DatiGlob.h"

namespace qx {

namespace {

const QColor kVerde(0x00, 0x80, 0x00);
const QColor kArgento(0xC0, 0xC0, 0xC0);

void Sfondo(QPainter& p, const QRect& r, bool selezionata) {
  p.fillRect(r, selezionata ? kArgento : QColor(Qt::white));
}

Qt::PenStyle StilePennaQt(TPenStyle s) {
  switch (s) {
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    default: return Qt::SolidLine;
  }
}

Qt::BrushStyle StileMotivoQt(int stile) {
  switch (stile) {
    case bsSolid: return Qt::SolidPattern;
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;  // falls to the right, as on the canvas
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    default: return Qt::NoBrush;
  }
}

// A "<" opens a placeholder ("<angolo>") only before its name: the operators "<", "<=" and
// "<>" are templates of their own.
bool Apre(const QString& testo, qsizetype i) {
  const QChar c = testo[i];
  if (c == '<') return i + 1 < testo.size() && testo[i + 1].isLetter();
  return c == '(' || c == '[' || c == ',';
}
bool Chiude(QChar c) { return c == ')' || c == '>' || c == ']'; }

QFont Normale(QFont f) {
  f.setBold(false);
  return f;
}

// Walks a template line from x on the baseline: bold green up to an opening sign, normal
// black from there up to and including the closing one. Draws when given a painter;
// answers where the text ends, its trailing blanks aside.
int PercorriRiga(QPainter* p, const QFont& font, int x, int base, const QString& testo) {
  const QFont normale = Normale(font);
  QFont grassetto = normale;
  grassetto.setBold(true);
  const QFontMetrics mNormale(normale), mGrassetto(grassetto);
  int fine = x;
  bool dentro = false;
  for (qsizetype i = 0; i < testo.size(); ++i) {
    const QChar c = testo[i];
    if (!dentro && Apre(testo, i)) dentro = true;
    if (p) {
      p->setFont(dentro ? normale : grassetto);
      p->setPen(dentro ? QColor(Qt::black) : kVerde);
      p->drawText(x, base, QString(c));
    }
    x += (dentro ? mNormale : mGrassetto).horizontalAdvance(c);
    if (!c.isSpace()) fine = x;
    if (dentro && Chiude(c)) dentro = false;
  }
  if (p) p->setFont(normale);
  return fine;
}

// The item drawn in that place. Qt answers for a point only within the menu's window, so
// the item is found by its rectangle.
const QAction* VoceAl(const QMenu& menu, const QRect& r) {
  if (QAction* a = menu.actionAt(r.center()); a && menu.actionGeometry(a) == r) return a;
  for (QAction* a : menu.actions())
    if (menu.actionGeometry(a) == r) return a;
  return nullptr;
}

QPixmap Pixmap(QSize d, const std::function<void(QPainter&, const QRect&)>& disegno) {
  QPixmap pm(d);
  pm.fill(Qt::white);
  QPainter p(&pm);
  disegno(p, QRect(QPoint(0, 0), d));
  return pm;
}

}  // namespace

void TStileMenu::Registra(QAction* azione, Disegno disegno, Misura misura) {
  if (!disegni_.contains(azione))
    QObject::connect(azione, &QObject::destroyed, this, [this, azione] { disegni_.remove(azione); });
  disegni_.insert(azione, std::move(disegno));
  if (misura) misure_.insert(azione->text(), std::move(misura));
}

void TStileMenu::Applica(QMenu* menu) {
  menu->setStyle(this);
  connect(menu, &QMenu::aboutToShow, this, [this, menu] { AdattaAlloSchermo(*menu); });
  connect(menu, &QObject::destroyed, this, [this, menu] { scorrevoli_.remove(menu); });
}

void TStileMenu::AdattaAlloSchermo(QMenu& menu) {
  // By now the menu knows its screen; its size is that of its columns on that screen.
  Scorre(menu, false);
  const QScreen* schermo = menu.screen();
  Scorre(menu, schermo && menu.sizeHint().width() > schermo->availableGeometry().width());
}

void TStileMenu::Scorre(QMenu& menu, bool scorre) {
  if (scorrevoli_.contains(&menu) == scorre) return;
  if (scorre)
    scorrevoli_.insert(&menu);
  else
    scorrevoli_.remove(&menu);
  // A menu reads whether it scrolls when its style changes.
  QEvent cambio(QEvent::StyleChange);
  QCoreApplication::sendEvent(&menu, &cambio);
}

int TStileMenu::styleHint(StyleHint suggerimento, const QStyleOption* opzione, const QWidget* widget,
                          QStyleHintReturn* ritorno) const {
  if (suggerimento == SH_Menu_Scrollable && scorrevoli_.contains(widget)) return 1;
  return QProxyStyle::styleHint(suggerimento, opzione, widget, ritorno);
}

void TStileMenu::drawControl(ControlElement elemento, const QStyleOption* opzione, QPainter* p,
                             const QWidget* widget) const {
  if (elemento == CE_MenuItem)
    if (const auto* menu = qobject_cast<const QMenu*>(widget))
      if (auto it = disegni_.find(VoceAl(*menu, opzione->rect)); it != disegni_.end()) {
        p->save();
        (*it)(*p, opzione->rect, (opzione->state & State_Selected) != 0);
        p->restore();
        return;
      }
  QProxyStyle::drawControl(elemento, opzione, p, widget);
}

QSize TStileMenu::sizeFromContents(ContentsType tipo, const QStyleOption* opzione, const QSize& dimensione,
                                   const QWidget* widget) const {
  if (tipo == CT_MenuItem)
    if (const auto* m = qstyleoption_cast<const QStyleOptionMenuItem*>(opzione))
      if (auto it = misure_.find(m->text); it != misure_.end()) return (*it)(m->font);
  return QProxyStyle::sizeFromContents(tipo, opzione, dimensione, widget);
}

void DisegnaRigaModello(QPainter& p, const QRect& r, const QString& testo, bool selezionata) {
  Sfondo(p, r, selezionata);
  const QFontMetrics fm(Normale(p.font()));
  const int base = r.top() + (r.height() + fm.ascent() - fm.descent()) / 2;
  PercorriRiga(&p, p.font(), r.left() + fm.horizontalAdvance("   "), base, testo);
}

QSize MisuraRigaModello(const QFont& font, const QString& testo) {
  const QFontMetrics fm(Normale(font));
  const int margine = fm.horizontalAdvance("   ");
  return QSize(PercorriRiga(nullptr, font, margine, 0, testo) + margine, fm.height() + 4);
}

void DisegnaRigheModello(QPainter& p, const QRect& r, const QStringList& righe, bool selezionata) {
  Sfondo(p, r, selezionata);
  const int h = QFontMetrics(p.font()).height();
  for (int i = 0; i < righe.size(); ++i)
    DisegnaRigaModello(p, QRect(r.left(), r.top() + i * h, r.width(), h), righe[i], selezionata);
}

void DisegnaVocePopup(QPainter& p, const QRect& r, const QString& testo, bool selezionata) {
  Sfondo(p, r, selezionata);
  const int i = testo.indexOf('(');
  const QString prima = i < 0 ? testo : testo.left(i);
  const QString dopo = i < 0 ? QString() : testo.mid(i);
  QRect t = r.adjusted(4, 0, 0, 0);
  p.setPen(Qt::red);
  p.drawText(t, Qt::AlignVCenter | Qt::AlignLeft, prima);
  t.setLeft(t.left() + QFontMetrics(p.font()).horizontalAdvance(prima));
  p.setPen(kVerde);
  p.drawText(t, Qt::AlignVCenter | Qt::AlignLeft, dopo);
}

void DisegnaVoceColore(QPainter& p, const QRect& r, int tag, bool selezionata, const QString& altri) {
  Sfondo(p, r, selezionata);
  if (tag >= 16) {
    p.setPen(Qt::black);
    p.drawText(r.adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, altri);
    return;
  }
  const QRect q = r.adjusted(1, 1, -2, -2);
  p.setPen(Qt::black);
  p.setBrush(ToQColor(IndiceAColore(15 - tag)));
  p.drawRect(q);
}

void DisegnaVoceStilePenna(QPainter& p, const QRect& r, int numero, bool selezionata) {
  Sfondo(p, r, selezionata);
  p.setPen(QPen(Qt::black, 1, StilePennaQt(NumeroAStilePenna(numero))));
  const int y = r.top() + 10;
  p.drawLine(r.left() + 4, y, r.right() - 4, y);
}

void DisegnaVoceMotivo(QPainter& p, const QRect& r, int stile, bool selezionata) {
  Sfondo(p, r, selezionata);
  const QRect q = r.adjusted(2, 2, -3, -3);
  p.fillRect(q, Qt::white);
  p.setPen(Qt::black);
  p.setBrush(stile == bsClear ? QBrush(Qt::white) : QBrush(Qt::black, StileMotivoQt(stile)));
  p.drawRect(q);
}

QPixmap PixmapColore(int tag, QSize d) {
  return Pixmap(d, [tag](QPainter& p, const QRect& r) { DisegnaVoceColore(p, r, tag, false, QString()); });
}

QPixmap PixmapStilePenna(int numero, QSize d) {
  return Pixmap(d, [numero](QPainter& p, const QRect& r) {
    p.setPen(QPen(Qt::black, 1, StilePennaQt(NumeroAStilePenna(numero))));
    p.drawLine(r.left() + 2, r.center().y(), r.right() - 2, r.center().y());
  });
}

QPixmap PixmapMotivo(int stile, QSize d) {
  return Pixmap(d, [stile](QPainter& p, const QRect& r) { DisegnaVoceMotivo(p, r, stile, false); });
}

}  // namespace qx
