#include "scene/GLSpaceText.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cctype>
#include <cmath>

#include "platform/qt/ApplicazioneQt.h"
#include "scene/GLRegistry.h"
#include "scene/GLShapeSupport.h"
#include "scene/GLTessellator.h"
#include "scene/base/SceneErrors.h"

namespace qx {

// ---- TGLTextAdjust ----
void TGLTextAdjust::Assign(const TPersistent* source) {
  if (auto* a = dynamic_cast<const TGLTextAdjust*>(source)) {
    horz_ = a->horz_;
    vert_ = a->vert_;
    if (OnChange) OnChange();
    return;
  }
  TPersistent::Assign(source);
}
void TGLTextAdjust::SetHorz(TGLTextHorzAdjust h) {
  if (h == horz_) return;
  horz_ = h;
  if (OnChange) OnChange();
}
void TGLTextAdjust::SetVert(TGLTextVertAdjust v) {
  if (v == vert_) return;
  vert_ = v;
  if (OnChange) OnChange();
}

// ---- Glyph outlines ----
namespace {

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

using TContour = std::vector<TAffineVector>;

float SignedArea(const TContour& c) {
  double a = 0;
  for (std::size_t i = 0; i < c.size(); ++i) {
    const TAffineVector &p = c[i], &q = c[(i + 1) % c.size()];
    a += double(p.X) * q.Y - double(q.X) * p.Y;
  }
  return float(a / 2);
}

void TessellateFace(const std::vector<TContour>& contours, float z, float normalZ) {
  int points = 0;
  for (const auto& c : contours) points += int(c.size());
  TGLTessellator tess(TGLTessellator::TOutput::otDraw, points, nullptr, true);
  if (!tess.Valid()) return;
  glNormal3f(0, 0, normalZ);
  tess.SetNormal({0, 0, normalZ});
  tess.SetWindingRule(GLU_TESS_WINDING_ODD);
  tess.BeginPolygon();
  for (const auto& c : contours) {
    tess.BeginContour();
    for (const auto& p : c) tess.Vertex({p.X, p.Y, z});
    tess.EndContour();
  }
  tess.EndPolygon();
}

// The glyph as independent triangles only: its face at z = 0, and with an extrusion its
// back at -extrusion and the walls between.
void EmitGlyph(std::vector<TContour>& contours, float extrusion) {
  if (contours.empty()) return;
  // Walls face outwards when the largest contour (an outer one) runs counter-clockwise.
  const auto largest =
      std::max_element(contours.begin(), contours.end(), [](const TContour& a, const TContour& b) {
        return std::fabs(SignedArea(a)) < std::fabs(SignedArea(b));
      });
  if (SignedArea(*largest) < 0)
    for (auto& c : contours) std::reverse(c.begin(), c.end());
  TessellateFace(contours, 0, 1);
  if (extrusion <= 0) return;
  TessellateFace(contours, -extrusion, -1);
  glBegin(GL_TRIANGLES);
  for (const auto& c : contours) {
    for (std::size_t i = 0; i < c.size(); ++i) {
      const TAffineVector &p0 = c[i], &p1 = c[(i + 1) % c.size()];
      TAffineVector n{p1.Y - p0.Y, p0.X - p1.X, 0};
      if (VectorIsNull(n)) continue;
      NormalizeVector(n);
      glNormal3fv(&n.X);
      glVertex3f(p0.X, p0.Y, 0);
      glVertex3f(p0.X, p0.Y, -extrusion);
      glVertex3f(p1.X, p1.Y, -extrusion);
      glVertex3f(p0.X, p0.Y, 0);
      glVertex3f(p1.X, p1.Y, -extrusion);
      glVertex3f(p1.X, p1.Y, 0);
    }
  }
  glEnd();
}

}  // namespace

// ---- TFontManager ----
TFontManager& TFontManager::Instance() {
  static TFontManager manager;
  return manager;
}

TFontEntry* TFontManager::GetFontBase(const std::string& name, TFontStyles style, TGLSpaceText* client,
                                      int firstChar, int lastChar, float allowedDeviation, float extrusion) {
  TFontEntry* e = nullptr;
  for (auto& x : entries_)
    if (SameName(x->Name, name) && x->Style == style && x->Extrusion == extrusion &&
        x->AllowedDeviation == allowedDeviation && x->FirstChar == firstChar && x->LastChar == lastChar) {
      e = x.get();
      break;
    }
  if (e) {
    ++e->RefCount;
    if (std::find(e->Clients.begin(), e->Clients.end(), client) == e->Clients.end())
      e->Clients.push_back(client);
    if (e->Base() != 0) return e;
  } else {
    auto entry = std::make_unique<TFontEntry>();
    entry->Name = name;
    entry->Style = style;
    entry->Extrusion = extrusion;
    entry->AllowedDeviation = allowedDeviation;
    entry->FirstChar = firstChar;
    entry->LastChar = lastChar;
    entry->RefCount = 1;
    entry->Clients.push_back(client);
    e = entry.get();
    entries_.push_back(std::move(entry));
  }
  BuildLists(*e);
  return e;
}

void TFontManager::BuildLists(TFontEntry& e) {
  const GLsizei count = GLsizei(e.LastChar - e.FirstChar + 1);
  e.Lists.OnAllocate = [count](TGLVirtualHandle&, GLuint& h) { h = glGenLists(count); };
  e.Lists.OnDestroy = [count](TGLVirtualHandle&, GLuint& h) { glDeleteLists(h, count); };
  e.Lists.AllocateHandle();
  if (e.Base() == 0) throw ESceneError("FontManager: no more display lists available");
  EnsureGuiApplication();
  // Qt flattens curves to within half a pixel: the glyphs are taken at the size that makes
  // half a pixel the allowed deviation (0 asks for the finest, 1/512 em).
  const float wanted = e.AllowedDeviation > 0 ? 0.5f / e.AllowedDeviation : 256.0f;
  const int size = int(std::clamp(wanted, 8.0f, 256.0f));
  TGLFontSpec carattere;
  carattere.Name = e.Name;
  carattere.Style = e.Style;
  carattere.Height = size;
  const QFont font = QtFont(carattere);
  const QFontMetricsF metrics(font);
  if (metrics.height() <= 0) {
    e.Lists.DestroyHandle();
    throw ESceneError("FontManager: font creation failed");
  }
  const float unit = 1.0f / float(size);
  e.Metrics.assign(std::size_t(count), TGlyphMetrics{});
  for (int c = e.FirstChar; c <= e.LastChar; ++c) {
    const QChar ch{char16_t(c)};
    // Control characters and characters the font lacks have no glyph and no width (asking
    // for them would make the platform search every other font for one).
    const bool drawn = ch.isPrint() && metrics.inFont(ch);
    QPainterPath path;
    if (drawn) path.addText(0, 0, font, QString(ch));
    TGlyphMetrics& m = e.Metrics[std::size_t(c - e.FirstChar)];
    m.CellIncX = drawn ? float(metrics.horizontalAdvance(ch)) * unit : 0;
    const QRectF box = path.boundingRect();
    if (!path.isEmpty()) {
      m.BlackBoxX = float(box.width()) * unit;
      m.BlackBoxY = float(box.height()) * unit;
      m.OriginX = float(box.left()) * unit;
      m.OriginY = float(-box.top()) * unit;
    }
    std::vector<TContour> contours;
    for (const QPolygonF& poly : path.toSubpathPolygons()) {
      TContour contour;
      for (const QPointF& p : poly) contour.push_back({float(p.x()) * unit, float(-p.y()) * unit, 0});
      if (contour.size() > 1 && VectorEquals(contour.front(), contour.back())) contour.pop_back();
      if (contour.size() >= 3) contours.push_back(std::move(contour));
    }
    glNewList(e.Base() + GLuint(c - e.FirstChar), GL_COMPILE);
    try {
      EmitGlyph(contours, e.Extrusion);
    } catch (...) {
      glEndList();
      e.Lists.DestroyHandle();
      throw ESceneError("FontManager: font creation failed");
    }
    glTranslatef(m.CellIncX, m.CellIncY, 0);
    glEndList();
  }
}

void TFontManager::ReleaseFontBase(TFontEntry* entry, TGLSpaceText* client) {
  auto it = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e.get() == entry; });
  if (it == entries_.end()) return;
  --entry->RefCount;
  auto& clients = entry->Clients;
  if (std::find(clients.begin(), clients.end(), client) != clients.end()) {
    clients.erase(std::remove(clients.begin(), clients.end(), client), clients.end());
    if (client) client->FontEntryLost();
  }
  if (entry->RefCount > 0) return;
  std::unique_ptr<TFontEntry> gone = std::move(*it);
  entries_.erase(it);
  gone->Lists.DestroyHandle();
  for (TGLSpaceText* c : gone->Clients) c->FontEntryLost();
}

// ---- TGLSpaceText ----
TGLSpaceText::TGLSpaceText(TComponent* owner) : TGLSceneObject(owner) {
  font_.Name = "Arial";
  adjust_.OnChange = [this] { StructureChanged(); };
}

TGLSpaceText::~TGLSpaceText() {
  if (entry_) TFontManager::Instance().ReleaseFontBase(entry_, this);
}

void TGLSpaceText::Assign(const TPersistent* source) {
  if (auto* t = dynamic_cast<const TGLSpaceText*>(source)) {
    extrusion_ = t->extrusion_;
    font_ = t->font_;
    text_ = t->text_;
    allowedDeviation_ = t->allowedDeviation_;
    characterRange_ = t->characterRange_;
    aspectRatio_ = t->aspectRatio_;
    textHeight_ = t->textHeight_;
    oblique_ = t->oblique_;
    adjust_.Assign(&t->adjust_);
    Rebuild();
  }
  TGLSceneObject::Assign(source);
}

void TGLSpaceText::Rebuild() {
  rebuild_ = true;
  StructureChanged();
}

void TGLSpaceText::SetExtrusion(float v) {
  if (v < 0) throw EAssertionFailed("Extrusion must be >=0");
  if (v == extrusion_) return;
  extrusion_ = v;
  Rebuild();
}
void TGLSpaceText::SetFont(const TGLFontSpec& f) {
  if (f == font_) return;
  font_ = f;
  Rebuild();
}
void TGLSpaceText::SetText(const std::string& t) { SetAndRebuild(*this, text_, t); }
void TGLSpaceText::SetAllowedDeviation(float v) {
  v = std::max(v, 0.0f);
  if (v == allowedDeviation_) return;
  allowedDeviation_ = v;
  Rebuild();
}
void TGLSpaceText::SetCharacterRange(TSpaceTextCharRange r) {
  if (r == characterRange_) return;
  characterRange_ = r;
  Rebuild();
}
void TGLSpaceText::SetAspectRatio(float v) {
  aspectRatio_ = v;
  StructureChanged();
}
void TGLSpaceText::SetTextHeight(float v) {
  textHeight_ = v;
  StructureChanged();
}
void TGLSpaceText::SetOblique(float v) {
  oblique_ = v;
  StructureChanged();
}

void TGLSpaceText::FontEntryLost() {
  entry_ = nullptr;
  Rebuild();
}

namespace {

// The first and last character codes of a range.
std::pair<int, int> CharRange(TSpaceTextCharRange r) {
  if (r == TSpaceTextCharRange::stcrAlphaNum) return {32, 127};
  if (r == TSpaceTextCharRange::stcrNumbers) return {48, 57};
  return {0, 255};
}

}  // namespace

std::vector<std::uint8_t> TGLSpaceText::Codes() const {
  const auto [first, last] = CharRange(characterRange_);
  // A character outside the entry's range is left out: its list would be some other
  // object's.
  std::vector<std::uint8_t> out;
  for (int c : CharCodes(text_))
    if (c >= first && c <= last) out.push_back(std::uint8_t(c - first));
  return out;
}

void TGLSpaceText::TextMetrics(float& width, float& height, float& descent) const {
  width = height = descent = 0;
  if (!entry_) return;
  for (std::uint8_t k : Codes()) {
    const TGlyphMetrics& m = entry_->Metrics[k];
    width += m.CellIncX;
    height = std::max(height, m.OriginY);
    descent = std::min(descent, m.OriginY - m.BlackBoxY);
  }
}

void TGLSpaceText::RenderSelf(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  GLint compiling = 0;
  glGetIntegerv(GL_LIST_INDEX, &compiling);
  // The lists cannot be made while another list is being compiled.
  if (renderSelf && !text_.empty() && compiling == 0 && (rebuild_ || !entry_ || entry_->Base() == 0)) {
    TFontManager& fm = TFontManager::Instance();
    if (entry_) fm.ReleaseFontBase(entry_, this);
    const auto [first, last] = CharRange(characterRange_);
    entry_ = fm.GetFontBase(font_.Name, font_.Style, this, first, last, allowedDeviation_, extrusion_);
    rebuild_ = false;
    StructureChanged();
  }
  TGLSceneObject::RenderSelf(rci, renderSelf, renderChildren);
}

void TGLSpaceText::EmitGeometry(TRenderContextInfo&) {
  if (text_.empty() || !entry_ || entry_->Base() == 0) return;
  const std::vector<std::uint8_t> codes = Codes();
  glPushMatrix();
  if (aspectRatio_ != 0) glScalef(aspectRatio_, 1, 1);
  if (oblique_ != 0) glRotatef(oblique_, 0, 0, 1);
  if (adjust_.Horz() != TGLTextHorzAdjust::haLeft || adjust_.Vert() != TGLTextVertAdjust::vaBaseLine ||
      textHeight_ != 0) {
    float width, height, descent;
    TextMetrics(width, height, descent);
    if (textHeight_ != 0 && height > 0) {
      const float s = textHeight_ / height;
      glScalef(s, s, 1);
    }
    if (adjust_.Horz() == TGLTextHorzAdjust::haCenter) glTranslatef(-width / 2, 0, 0);
    if (adjust_.Horz() == TGLTextHorzAdjust::haRight) glTranslatef(-width, 0, 0);
    switch (adjust_.Vert()) {
      case TGLTextVertAdjust::vaTop:
        glTranslatef(0, -height, 0);
        break;
      case TGLTextVertAdjust::vaCenter:
        glTranslatef(0, std::fabs(descent) / 2 - height / 2, 0);
        break;
      case TGLTextVertAdjust::vaBottom:
        glTranslatef(0, std::fabs(descent), 0);
        break;
      case TGLTextVertAdjust::vaBaseLine:
        break;
    }
  }
  glPushAttrib(GL_POLYGON_BIT | GL_LIST_BIT);
  glListBase(entry_->Base());
  glCallLists(GLsizei(codes.size()), GL_UNSIGNED_BYTE, codes.data());
  glPopAttrib();
  glPopMatrix();
}

void RegisterGLSpaceTextClasses() { RegisterSceneObjectClass<TGLSpaceText>("TGLSpaceText"); }

}  // namespace qx
