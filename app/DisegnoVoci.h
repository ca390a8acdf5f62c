// The owner-drawn items of the window's menus and combo boxes: colour swatches, pen styles,
// fill patterns, statement templates with their keywords in bold green and their
// placeholders in black, and the palette popup's items in red and green.
#pragma once
#include <QHash>
#include <QProxyStyle>
#include <QSet>
#include <QSize>
#include <QString>
#include <functional>

class QAction;
class QMenu;
class QPainter;
class QPixmap;

namespace qx {

// The style of the owner-drawn menus: an item that has a painter registered is drawn by
// it; every other item as the desktop draws it.
class TStileMenu : public QProxyStyle {
 public:
  using Disegno = std::function<void(QPainter&, const QRect&, bool selezionata)>;
  // The item's size in the menu's font.
  using Misura = std::function<QSize(const QFont&)>;

  // With a `misura` the item takes that size; the item's text must then be unique.
  void Registra(QAction* azione, Disegno disegno, Misura misura = {});
  // The menu takes this style. A menu taller than its screen is laid out in columns; when
  // the columns would be wider than the screen, it scrolls in one column instead.
  void Applica(QMenu* menu);

  void drawControl(ControlElement elemento, const QStyleOption* opzione, QPainter* p,
                   const QWidget* widget = nullptr) const override;
  QSize sizeFromContents(ContentsType tipo, const QStyleOption* opzione, const QSize& dimensione,
                         const QWidget* widget = nullptr) const override;
  int styleHint(StyleHint suggerimento, const QStyleOption* opzione = nullptr, const QWidget* widget = nullptr,
                QStyleHintReturn* ritorno = nullptr) const override;

 private:
  void AdattaAlloSchermo(QMenu& menu);
  void Scorre(QMenu& menu, bool scorre);

  QHash<const QAction*, Disegno> disegni_;
  QHash<QString, Misura> misure_;
  QSet<const QWidget*> scorrevoli_;
};

// A template line: three blanks, then the text in bold green up to an opening "(", "<" or
// "[" or a ","; from there normal black up to and including the next closing ")", ">" or
// "]"; then bold green again. A selected item is on silver.
void DisegnaRigaModello(QPainter& p, const QRect& r, const QString& testo, bool selezionata);
// The size of that item in the font: the line as drawn, three blanks on either side of its
// text (trailing blanks aside), and a line's height with 2 pixels above and below.
QSize MisuraRigaModello(const QFont& font, const QString& testo);
// Several template lines one below the other (the control structures).
void DisegnaRigheModello(QPainter& p, const QRect& r, const QStringList& righe, bool selezionata);
// The palette popup's item: the text before the first "(" in red, the rest in green.
void DisegnaVocePopup(QPainter& p, const QRect& r, const QString& testo, bool selezionata);
// A colour item: the language colour 15 - tag as a rectangle inset by one pixel with a
// black border; tag 16 is "Altri colori...".
void DisegnaVoceColore(QPainter& p, const QRect& r, int tag, bool selezionata, const QString& altri);
// A black line 10 pixels below the item's top in the pen style of that number (1..6).
void DisegnaVoceStilePenna(QPainter& p, const QRect& r, int numero, bool selezionata);
// A rectangle filled with the brush style of that number (0 solid .. 7 diagonal cross),
// black, white for the clear brush.
void DisegnaVoceMotivo(QPainter& p, const QRect& r, int stile, bool selezionata);

// The same pictures as pixmaps, for the combo boxes of the "Stili e Colori" band.
QPixmap PixmapColore(int tag, QSize dimensione);
QPixmap PixmapStilePenna(int numero, QSize dimensione);
QPixmap PixmapMotivo(int stile, QSize dimensione);

}  // namespace qx
