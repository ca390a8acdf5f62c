#include "scene/GLBitmapFont.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/qt/ApplicazioneQt.h"
#include "platform/qt/FontToolkit.h"
#include "scene/GLRegistry.h"
#include "scene/GLScene.h"
#include "scene/GLShapeSupport.h"
#include "scene/GLState.h"
#include "scene/base/GLUtils.h"
#include "scene/base/SceneErrors.h"

namespace qx {

std::vector<int> CharCodes(const std::string& s) {
  std::vector<int> out;
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = (unsigned char)s[i];
    std::uint32_t cp = c;
    int len = 1;
    if (c >= 0xF0)
      cp = c & 0x07, len = 4;
    else if (c >= 0xE0)
      cp = c & 0x0F, len = 3;
    else if (c >= 0xC0)
      cp = c & 0x1F, len = 2;
    for (int k = 1; k < len && i + std::size_t(k) < s.size(); ++k)
      cp = (cp << 6) | ((unsigned char)s[i + std::size_t(k)] & 0x3F);
    i += std::size_t(len);
    out.push_back(cp < 256 ? int(cp) : '?');
  }
  return out;
}

QFont QtFont(const TGLFontSpec& f) {
  QFont q(FamigliaDesktop(f.Name));
  q.setPixelSize(std::max(1, std::abs(f.Height)));
  q.setBold(f.Style & fsBold);
  q.setItalic(f.Style & fsItalic);
  q.setUnderline(f.Style & fsUnderline);
  q.setStrikeOut(f.Style & fsStrikeOut);
  q.setStyleStrategy(QFont::NoAntialias);
  return q;
}

// ---- Ranges ----
void TBitmapFontRange::Changed() {
  if (font_) font_->Invalidate();
}
void TBitmapFontRange::SetStartASCII(int c) {
  c = std::clamp(c, 0, 255);
  if (c == start_) return;
  start_ = c;
  if (start_ > stop_) stop_ = start_;
  Changed();
}
void TBitmapFontRange::SetStopASCII(int c) {
  c = std::clamp(c, 0, 255);
  if (c == stop_) return;
  stop_ = c;
  if (stop_ < start_) start_ = stop_;
  Changed();
}
void TBitmapFontRange::SetStartGlyphIdx(int g) {
  g = std::max(0, g);
  if (g == startGlyph_) return;
  startGlyph_ = g;
  Changed();
}
std::string TBitmapFontRange::DisplayName() const {
  return "ASCII [#" + std::to_string(start_) + ", #" + std::to_string(stop_) + "] -> Glyphs [" +
         std::to_string(startGlyph_) + ", " + std::to_string(startGlyph_ + stop_ - start_) + "]";
}

TBitmapFontRange* TBitmapFontRanges::Add(int startASCII, int stopASCII) {
  items_.push_back(std::make_unique<TBitmapFontRange>(nullptr));
  TBitmapFontRange* r = items_.back().get();
  // Set up quietly, then tell the font once.
  r->SetStartASCII(startASCII);
  r->SetStopASCII(stopASCII);
  int glyph = 0;
  for (std::size_t i = 0; i + 1 < items_.size(); ++i)
    glyph =
        std::max(glyph, items_[i]->StartGlyphIdx() + items_[i]->StopASCII() - items_[i]->StartASCII() + 1);
  r->SetStartGlyphIdx(glyph);
  r->font_ = font_;
  if (font_) font_->Invalidate();
  return r;
}
void TBitmapFontRanges::Clear() {
  items_.clear();
  if (font_) font_->Invalidate();
}
int TBitmapFontRanges::CharacterCount() const {
  int n = 0;
  for (const auto& r : items_) n += r->StopASCII() - r->StartASCII() + 1;
  return n;
}

// ---- TGLCustomBitmapFont ----
TGLCustomBitmapFont::TGLCustomBitmapFont(TComponent* owner) : TGLUpdateAbleComponent(owner), ranges_(this) {}

TGLCustomBitmapFont::~TGLCustomBitmapFont() {
  // The texts still using the font drop it (they hear of it through the free notification).
  SendFreeNotifications();
  users_.clear();
}

void TGLCustomBitmapFont::InvalidateTables() {
  widthsReady_ = false;
  rectsReady_ = false;
}

void TGLCustomBitmapFont::Invalidate() {
  InvalidateTables();
  dirty_ = true;
  for (auto it = users_.rbegin(); it != users_.rend(); ++it) (*it)->StructureChanged();
}

void TGLCustomBitmapFont::NotifyChange(TObject* sender) {
  Invalidate();
  TGLUpdateAbleComponent::NotifyChange(sender);
}

void TGLCustomBitmapFont::SetGlyphs(const TBitmap& b) {
  glyphs_ = b;
  Invalidate();
}
// Sizes below 2 are stored as 1; gaps and spaces below 1 as 0.
void TGLCustomBitmapFont::SetCharWidth(int v) { Change(charWidth_, v < 2 ? 1 : v); }
void TGLCustomBitmapFont::SetCharHeight(int v) { Change(charHeight_, v < 2 ? 1 : v); }
void TGLCustomBitmapFont::SetGlyphsIntervalX(int v) { Change(intervalX_, v < 1 ? 0 : v); }
void TGLCustomBitmapFont::SetGlyphsIntervalY(int v) { Change(intervalY_, v < 1 ? 0 : v); }
void TGLCustomBitmapFont::SetHSpace(int v) { Change(hSpace_, v < 1 ? 0 : v); }
void TGLCustomBitmapFont::SetVSpace(int v) { Change(vSpace_, v < 1 ? 0 : v); }
void TGLCustomBitmapFont::SetMinFilter(TGLMinFilter f) { Change(minFilter_, f); }
void TGLCustomBitmapFont::SetMagFilter(TGLMagFilter f) { Change(magFilter_, f); }
void TGLCustomBitmapFont::SetGlyphsAlpha(TGLTextureImageAlpha a) { Change(glyphsAlpha_, a); }

void TGLCustomBitmapFont::RegisterUser(TGLBaseSceneObject* obj) {
  Require(std::find(users_.begin(), users_.end(), obj) == users_.end());
  users_.push_back(obj);
}
void TGLCustomBitmapFont::UnRegisterUser(TGLBaseSceneObject* obj) {
  users_.erase(std::remove(users_.begin(), users_.end(), obj), users_.end());
}

int TGLCustomBitmapFont::GetCharWidth(int c) {
  if (!widthsReady_) {
    widths_.fill(charWidth_);
    widthsReady_ = true;
  }
  return widths_[std::size_t(c & 255)];
}

int TGLCustomBitmapFont::CalcStringWidth(const std::string& text) {
  const std::vector<int> codes = CharCodes(text);
  if (codes.empty()) return 0;
  int w = int(codes.size()) * (spaceFix_ + hSpace_) - hSpace_;
  for (int c : codes) w += GetCharWidth(c);
  return w;
}

int TGLCustomBitmapFont::GlyphIndex(int c) const {
  for (int i = 0; i < ranges_.Count(); ++i) {
    const TBitmapFontRange* r = ranges_[i];
    if (c >= r->StartASCII() && c <= r->StopASCII()) return r->StartGlyphIdx() + c - r->StartASCII();
  }
  return -1;
}

void TGLCustomBitmapFont::BuildRects() {
  rects_.fill({});
  texWidth_ = NextPowerOfTwo(glyphs_.Width());
  texHeight_ = NextPowerOfTwo(glyphs_.Height());
  const int perRow = glyphs_.Empty() ? 0 : (glyphs_.Width() + intervalX_) / (charWidth_ + intervalX_);
  if (perRow > 0)
    for (int c = 0; c < 256; ++c) {
      const int g = GlyphIndex(c);
      if (g < 0) continue;
      const int x = (g % perRow) * (charWidth_ + intervalX_), y = (g / perRow) * (charHeight_ + intervalY_);
      const float tw = float(texWidth_), th = float(texHeight_);
      rects_[std::size_t(c)] = {(x + 0.05f) / tw, (th - (y + 0.05f)) / th, (x + GetCharWidth(c) - 0.05f) / tw,
                                (th - (y + charHeight_ - 0.05f)) / th};
    }
  rectsReady_ = true;
}

TCharRect TGLCustomBitmapFont::CharRect(int c) {
  if (!rectsReady_) BuildRects();
  return rects_[std::size_t(c & 255)];
}

void TGLCustomBitmapFont::FreeTextureHandle() {
  handle_.DestroyHandle();
  dirty_ = true;
}

void TGLCustomBitmapFont::PrepareImage() {
  if (glyphs_.Empty()) return;
  // The picture at the top-left corner of a power-of-two bitmap.
  TBitmap pot(NextPowerOfTwo(glyphs_.Width()), NextPowerOfTwo(glyphs_.Height()), 0xFF000000u);
  for (int y = 0; y < glyphs_.Height(); ++y)
    for (int x = 0; x < glyphs_.Width(); ++x) pot.SetPixel(x, y, glyphs_.Pixel(x, y) | 0xFF000000u);
  TGLBitmap32 bmp;
  bmp.AssignFromBitmap(pot);
  const std::uint32_t tl = glyphs_.Pixel(0, 0);
  switch (glyphsAlpha_) {
    case TGLTextureImageAlpha::tiaDefault:
    case TGLTextureImageAlpha::tiaTopLeftPointColorTransparent:
      bmp.SetAlphaTransparentForPixel(std::uint8_t(tl >> 16), std::uint8_t(tl >> 8), std::uint8_t(tl));
      break;
    default:
      if (!bmp.SetAlphaByRule(glyphsAlpha_)) throw EAssertionFailed();
      break;
  }
  bmp.UploadBitmapTexture(GL_TEXTURE_2D, minFilter_, texWidth_, texHeight_, TextureFormat());
}

void TGLCustomBitmapFont::RenderString(TRenderContextInfo& rci, const std::string& text, TAlignment alignment,
                                       TGLTextLayout layout, const TColorVector& color,
                                       const TAffineVector* position, bool reverseY) {
  const std::vector<int> codes = CharCodes(text);
  if (codes.empty()) return;
  if (dirty_ || handle_.Handle() == 0) {
    if (handle_.Handle() == 0) handle_.AllocateHandle();
    Require(handle_.Handle() != 0);
    rci.GLStates->SetGLCurrentTexture(0, GL_TEXTURE_2D, handle_.Handle());
    PrepareImage();
    if (glyphs_.Empty()) return;
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GLint(MinFilterToGL(minFilter_)));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GLint(MagFilterToGL(magFilter_)));
    dirty_ = false;
  }
  if (glyphs_.Empty()) return;
  if (!rectsReady_) BuildRects();

  // Lines and their starts.
  std::vector<std::vector<int>> lines(1);
  for (int c : codes) {
    if (c == 13)
      lines.emplace_back();
    else
      lines.back().push_back(c);
  }
  auto lineWidth = [&](const std::vector<int>& line) {
    if (line.empty()) return 0;
    int w = int(line.size()) * (spaceFix_ + hSpace_) - hSpace_;
    for (int c : line) w += GetCharWidth(c);
    return w;
  };
  auto hStart = [&](std::size_t i) {
    const int w = lineWidth(lines[i]);
    switch (alignment) {
      case TAlignment::taRightJustify:
        return float(-w);
      case TAlignment::taCenter:
        return float(std::lround(-w / 2.0));
      default:
        return 0.0f;
    }
  };
  const int n = int(lines.size());
  const int blockHeight = (charHeight_ + vSpace_) * n - vSpace_;
  float vStart = 0;
  if (layout == TGLTextLayout::tlBottom) vStart = float(blockHeight);
  if (layout == TGLTextLayout::tlCenter) vStart = float(std::lround(blockHeight / 2.0));
  float px = 0, py = 0;
  if (position) px = position->X, py = position->Y;
  float top = vStart + py;
  auto bottomOf = [&](float t) { return reverseY ? t + float(charHeight_) : t - float(charHeight_); };
  const float lineStep = -float(charHeight_ + vSpace_);
  const float spaceAdvance = float(GetCharWidth(32) + spaceFix_ + hSpace_);

  TGLStateCache& st = *rci.GLStates;
  const bool hadTexture = st.IsEnabled(stTexture2D), hadLighting = st.IsEnabled(stLighting),
             hadBlend = st.IsEnabled(stBlend);
  st.Enable(stTexture2D);
  st.Disable(stLighting);
  st.Enable(stBlend);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  st.SetGLCurrentTexture(0, GL_TEXTURE_2D, handle_.Handle());
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glPushAttrib(GL_CURRENT_BIT);
  glColor4fv(&color.X);
  glBegin(GL_QUADS);
  for (std::size_t li = 0; li < lines.size(); ++li) {
    float x = hStart(li) + px;
    const float bottom = bottomOf(top);
    for (int c : lines[li]) {
      if (c == 32) {
        x += spaceAdvance;
        continue;
      }
      if (c < 32) continue;
      const int w = GetCharWidth(c);
      if (w <= 0) continue;
      const TCharRect& r = rects_[std::size_t(c)];
      glTexCoord2f(r.Left, r.Top);
      glVertex2f(x, top);
      glTexCoord2f(r.Left, r.Bottom);
      glVertex2f(x, bottom);
      glTexCoord2f(r.Right, r.Bottom);
      glVertex2f(x + float(w), bottom);
      glTexCoord2f(r.Right, r.Top);
      glVertex2f(x + float(w), top);
      x += float(w + hSpace_);
    }
    top += lineStep;
  }
  glEnd();
  glPopAttrib();
  st.ResetGLCurrentTexture();
  // The text leaves the cached states as it found them for the objects drawn after it.
  if (!hadTexture) st.Disable(stTexture2D);
  if (hadLighting) st.Enable(stLighting);
  if (!hadBlend) st.Disable(stBlend);
}

// ---- TGLWindowsBitmapFont ----
TGLWindowsBitmapFont::TGLWindowsBitmapFont(TComponent* owner) : TGLCustomBitmapFont(owner) {
  glyphsAlpha_ = TGLTextureImageAlpha::tiaAlphaFromIntensity;
  Ranges().Add(' ', '}');
  LoadWindowsFont();
}

void TGLWindowsBitmapFont::SetFont(const TGLFontSpec& f) {
  if (f == font_) return;
  font_ = f;
  NotifyChange(this);
}

void TGLWindowsBitmapFont::NotifyChange(TObject* sender) {
  FreeTextureHandle();
  TGLCustomBitmapFont::NotifyChange(sender);
}

void TGLWindowsBitmapFont::LoadWindowsFont() {
  EnsureGuiApplication();
  InvalidateTables();
  const QFont qf = QtFont(font_);
  const QFontMetrics fm(qf);
  auto tw = [&](const QString& s) { return fm.horizontalAdvance(s); };
  charWidth_ = int(std::lround(std::max({tw("M"), tw("W"), tw("_")}) + 2));
  charHeight_ = fm.height() + 2;
  if (font_.Style & fsItalic) {
    spaceFix_ = -(charWidth_ / 3);
    charWidth_ -= spaceFix_;
  } else {
    spaceFix_ = 0;
  }
  widths_.fill(0);
  for (int i = 0; i < Ranges().Count(); ++i)
    for (int c = Ranges()[i]->StartASCII(); c <= Ranges()[i]->StopASCII(); ++c)
      widths_[std::size_t(c)] = tw(QString(QChar(char16_t(c)))) - spaceFix_;
  widthsReady_ = true;
  int wanted = 0;
  for (int w : widths_)
    if (w >= 1) ++wanted;

  // Places the characters in a texture of that size (painting them when a painter is given).
  auto place = [&](int texW, int texH, QPainter* painter) {
    int x = 0, y = 0, count = 0;
    for (int c = 0; c < 256; ++c) {
      const int w = widths_[std::size_t(c)];
      if (w < 1) continue;
      if (painter) {
        rects_[std::size_t(c)] = {(x + 1.05f) / float(texW), (float(texH) - (float(y) + 0.05f)) / float(texH),
                                  (x + w + 2 - 1.05f) / float(texW),
                                  (float(texH) - (float(y + charHeight_) - 0.05f)) / float(texH)};
        painter->setClipRect(x, y, w + 2, charHeight_);
        painter->drawText(QRect(x + 1, y + 1, w + 64, charHeight_), Qt::AlignLeft | Qt::AlignTop,
                          QString(QChar(char16_t(c))) + " ");
      }
      ++count;
      if (c < 255 && x + w + 2 + widths_[std::size_t(c + 1)] + 2 > texW) {
        y += charHeight_;
        if (y + charHeight_ > texH) break;
        x = 0;
      } else {
        x += w + 2;
      }
    }
    return count;
  };
  int bestW = 0, bestH = 0;
  for (int h = 64; h <= 512; h *= 2)
    for (int w = 64; w <= 512; w *= 2) {
      if (place(w, h, nullptr) < wanted) continue;
      const bool better = bestW == 0 || w * h < bestW * bestH ||
                          (w * h == bestW * bestH && std::abs(w - h) < std::abs(bestW - bestH));
      if (better) bestW = w, bestH = h;
    }
  if (bestW == 0) {
    font_.Height = font_.Height < 0 ? -6 : 6;
    throw EAssertionFailed("Characters are too large or too many. Unable to create font texture.");
  }
  QImage img(bestW, bestH, QImage::Format_RGB32);
  img.fill(Qt::black);
  rects_.fill({});
  {
    QPainter painter(&img);
    painter.setFont(qf);
    painter.setPen(Qt::white);
    painter.setClipping(true);
    place(bestW, bestH, &painter);
  }
  rectsReady_ = true;
  texWidth_ = bestW;
  texHeight_ = bestH;
  glyphs_ = TBitmap(bestW, bestH);
  for (int y = 0; y < bestH; ++y)
    for (int x = 0; x < bestW; ++x) glyphs_.SetPixel(x, y, img.pixel(x, y));
}

void TGLWindowsBitmapFont::BuildRects() { LoadWindowsFont(); }

void TGLWindowsBitmapFont::PrepareImage() {
  LoadWindowsFont();
  TGLCustomBitmapFont::PrepareImage();
}

// ---- TGLHUDText ----
TGLHUDText::TGLHUDText(TComponent* owner) : TGLImmaterialSceneObject(owner), modulateColor_(this, clrWhite) {
  objectStyle_ |= osDirectDraw | osNoVisibilityCulling;
}

TGLHUDText::~TGLHUDText() { SetBitmapFont(nullptr); }

void TGLHUDText::Assign(const TPersistent* source) {
  if (auto* h = dynamic_cast<const TGLHUDText*>(source)) {
    SetBitmapFont(h->font_);
    text_ = h->text_;
    rotation_ = h->rotation_;
    alignment_ = h->alignment_;
    layout_ = h->layout_;
    modulateColor_.DirectColor(h->modulateColor_.Color());
  }
  TGLImmaterialSceneObject::Assign(source);
}

void TGLHUDText::Notification(TComponent* c, TOperation op) {
  if (op == TOperation::opRemove && c == font_) font_ = nullptr;
}

namespace {

// Moves a text object from its font to f: it leaves the old font's users and notifications
// and joins the new one's, and is built again.
void ChangeBitmapFont(TGLBaseSceneObject& user, TGLCustomBitmapFont*& font, TGLCustomBitmapFont* f) {
  if (f == font) return;
  if (font) {
    font->UnRegisterUser(&user);
    font->RemoveFreeNotification(&user);
  }
  font = f;
  if (font) {
    font->RegisterUser(&user);
    font->FreeNotification(&user);
  }
  user.StructureChanged();
}

}  // namespace

void TGLHUDText::SetBitmapFont(TGLCustomBitmapFont* f) { ChangeBitmapFont(*this, font_, f); }
void TGLHUDText::SetText(const std::string& t) { SetAndRebuild(*this, text_, t); }
void TGLHUDText::SetRotation(float r) { SetAndRebuild(*this, rotation_, r); }
void TGLHUDText::SetAlignment(TAlignment a) { SetAndRebuild(*this, alignment_, a); }
void TGLHUDText::SetLayout(TGLTextLayout l) { SetAndRebuild(*this, layout_, l); }

void PushHUDTransform(TRenderContextInfo& rci, TGLBaseSceneObject& obj, float rotation) {
  const float w = float(rci.viewPortWidth), h = float(rci.viewPortHeight);
  const float f = rci.renderDPI == 96 ? 1.0f : float(rci.renderDPI) / 96.0f;
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadMatrixf(rci.buffer->BaseProjectionMatrix().data());
  glScalef(2 / w, 2 / h, 1);
  const THomogeneousVector p = obj.Position().AsVector();
  glTranslatef(p.X * f - w / 2, h / 2 - p.Y * f, p.Z);
  if (rotation != 0) glRotatef(rotation, 0, 0, 1);
  glScalef(obj.Scale().X() * f, obj.Scale().Y() * f, 1);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
}

void PopHUDTransform() {
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

void TGLHUDText::RenderSelf(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  if (renderSelf && font_ && !text_.empty() && rci.buffer) {
    rci.GLStates->SetGLPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    PushHUDTransform(rci, *this, rotation_);
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_DEPTH_TEST);
    font_->RenderString(rci, text_, alignment_, layout_, modulateColor_.Color());
    glPopAttrib();
    PopHUDTransform();
  }
  if (renderChildren && Count() > 0) RenderChildRange(0, Count() - 1, rci);
}

// ---- TGLFlatText ----
TGLFlatText::TGLFlatText(TComponent* owner)
    : TGLImmaterialSceneObject(owner), modulateColor_(this, clrWhite) {
  objectStyle_ |= osDirectDraw | osNoVisibilityCulling;
}
TGLFlatText::~TGLFlatText() { SetBitmapFont(nullptr); }
void TGLFlatText::Notification(TComponent* c, TOperation op) {
  if (op == TOperation::opRemove && c == font_) font_ = nullptr;
}
void TGLFlatText::SetBitmapFont(TGLCustomBitmapFont* f) { ChangeBitmapFont(*this, font_, f); }
void TGLFlatText::SetText(const std::string& t) { SetAndRebuild(*this, text_, t); }
void TGLFlatText::RenderSelf(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  if (renderSelf && font_ && !text_.empty()) {
    rci.GLStates->SetGLPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glPushAttrib(GL_ENABLE_BIT);
    if (modulateColor_.Alpha() != 1) {
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    if (Options & ftoTwoSided) glDisable(GL_CULL_FACE);
    font_->RenderString(rci, text_, Alignment, Layout, modulateColor_.Color());
    glPopAttrib();
  }
  if (renderChildren && Count() > 0) RenderChildRange(0, Count() - 1, rci);
}

void RegisterGLBitmapFontClasses() {
  RegisterSceneObjectClass<TGLHUDText>("TGLHUDText");
  RegisterSceneObjectClass<TGLFlatText>("TGLFlatText");
}

}  // namespace qx
