// What the owner-drawn buttons share: the image lists their glyphs live in, the glyph
// object that lays out and draws a glyph and a caption, and its mark-up variant.
#pragma once
#include <QPixmap>
#include <QRect>
#include <QString>
#include <memory>
#include <vector>

class QPainter;

namespace qx {

// The toolkit's button states: held is a speed button that stays down in its group.
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Images of one size in numbered slots; a slot given back is handed out again.
class TGlyphList {
 public:
  TGlyphList(int width, int height) : width_(width), height_(height) {}
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Takes a slot for the image (scaled to the list's size when it differs).
  int Add(const QPixmap& image);
  void Delete(int index);
  // The slots in use.
  int Count() const;
  // Draws the image with its transparent pixels left out.
  void Draw(QPainter& canvas, int index, int x, int y) const;

  // The lists are shared by glyph size: GetList makes one on first use, ReturnList frees
  // it once it holds no image.
  static TGlyphList* GetList(int width, int height);
  static void ReturnList(TGlyphList* list);
  static int SharedLists();

 private:
  int width_, height_;
  std::vector<QPixmap> images_;
  std::vector<bool> used_;
};

// Where glyph and caption go inside a client rectangle. Margin and spacing -1 are
// automatic; a down button moves both by (1, 1).
struct TButtonPlacement {
  QPoint GlyphPos;
  QRect TextBounds;
};
TButtonPlacement CalcButtonLayout(const QRect& client, bool down, QSize glyphSize, QSize textSize,
                                  TButtonLayout layout, int margin, int spacing);

// The glyph and caption of one button. The glyph bitmap holds NumGlyphs images side by
// side, for up, disabled, down and held; a missing image is made from the first (the
// disabled one embossed from its shape).
class TRAButtonGlyph {
 public:
  TRAButtonGlyph() = default;
  virtual ~TRAButtonGlyph();
  TRAButtonGlyph(const TRAButtonGlyph&) = delete;
  TRAButtonGlyph& operator=(const TRAButtonGlyph&) = delete;

  const QPixmap& Glyph() const { return glyph_; }
  void SetGlyph(const QPixmap& glyph);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int n);
  // Each glyph's size: the bitmap's width over the number of images, its height.
  QSize GlyphSize() const;

  // Lays out and draws glyph and caption on the canvas (its font and pen are the
  // caption's); answers where the caption went.
  QRect Draw(QPainter& canvas, const QRect& client, bool down, const QString& caption, TButtonLayout layout,
             int margin, int spacing, TButtonState state);

  // The toolkit's slots, in their order.
  virtual void DrawButtonText(QPainter& canvas, const QString& caption, const QRect& textBounds,
                              TButtonState state);
  virtual QSize CalcButtonTextSize(QPainter& canvas, const QString& caption, const QRect& client);

 private:
  int ImageIndex(TButtonState state);
  void Invalidate();

  QPixmap glyph_;
  int numGlyphs_ = 1;
  TGlyphList* list_ = nullptr;
  int indexes_[4] = {-1, -1, -1, -1};
};

// Captions in mark-up: measured and drawn by the mark-up drawer, embossed when disabled.
class TRAhtButtonGlyph : public TRAButtonGlyph {
 public:
  void DrawButtonText(QPainter& canvas, const QString& caption, const QRect& textBounds,
                      TButtonState state) override;
  QSize CalcButtonTextSize(QPainter& canvas, const QString& caption, const QRect& client) override;
};

// The disabled image of a one-image glyph: its shape in clBtnHighlight one pixel down and
// right, then in clBtnShadow in place, on a transparent ground.
QPixmap EmbossedGlyph(const QPixmap& glyph);

}  // namespace qx
