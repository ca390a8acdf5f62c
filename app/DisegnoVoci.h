// The owner-drawn items of the window's menus and combo boxes: colour swatches, pen styles,
// fill patterns, statement templates with their keywords in bold green and their
// placeholders in black, and the palette popup's items in red and green.
#pragma once
#include <QHash>
#include <QProxyStyle>
#include <QSize>
#include <QString>
#include <functional>

class QAction;
class QPainter;
class QPixmap;

namespace qx {

// The style of the owner-drawn menus: an item that has a painter registered is drawn by
// it; every other item as the desktop draws it.
class TStileMenu : public QProxyStyle {
 public:
  using Disegno = std::function<void(QPainter&, const QRect&, bool selezionata)>;

  // `misura`, when not empty, is the item's size; the item's text must then be unique.
  void Registra(QAction* azione, Disegno disegno, QSize misura = QSize());

  void drawControl(ControlElement elemento, const QStyleOption* opzione, QPainter* p,
                   const QWidget* widget = nullptr) const override;
  QSize sizeFromContents(ContentsType tipo, const QStyleOption* opzione, const QSize& dimensione,
                         const QWidget* widget = nullptr) const override;

 private:
  QHash<const QAction*, Disegno> disegni_;
  QHash<QString, QSize> misure_;
};

// A template line: three blanks, then the text in bold green up to an opening "(", "<" or
// "[" or a ","; from there normal black up to and including the next closing ")", ">" or
// "]"; then bold green again. A selected item is on silver.
void DisegnaRigaModello(QPainter& p, const QRect& r, const QString& testo, bool selezionata);
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
