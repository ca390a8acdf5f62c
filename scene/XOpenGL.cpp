#include "scene/XOpenGL.h"

#include "scene/base/SceneErrors.h"

namespace qx {

bool vSecondTextureUnitForbidden = false;

namespace {

TMapTexCoordMode mode = TMapTexCoordMode::mtcmNull, pendingMode = TMapTexCoordMode::mtcmNull;
std::vector<GLenum> units, pendingUnits;
int updateCount = 0;

void NullTexCoord2f(GLfloat, GLfloat) {}
void NullTexCoord2fv(const GLfloat*) {}
void NullTexCoord3f(GLfloat, GLfloat, GLfloat) {}
void NullTexCoord3fv(const GLfloat*) {}
void NullTexCoord4f(GLfloat, GLfloat, GLfloat, GLfloat) {}
void NullTexCoord4fv(const GLfloat*) {}
void NullTexGenf(GLenum, GLenum, GLfloat) {}
void NullTexGenfv(GLenum, GLenum, const GLfloat*) {}
void NullTexGeni(GLenum, GLenum, GLint) {}
void NullTexGeniv(GLenum, GLenum, const GLint*) {}
void NullTexCoordPointer(GLint, GLenum, GLsizei, const void*) {}
void NullEnum(GLenum) {}

// Units of the current mode as a list (second and dual included).
const std::vector<GLenum>& Units() { return units; }
void Active(GLenum u) {
  if (glActiveTextureARB_) glActiveTextureARB_(u);
}
void ClientActive(GLenum u) {
  if (glClientActiveTextureARB_) glClientActiveTextureARB_(u);
}

void ListTexCoord2f(GLfloat s, GLfloat t) {
  for (GLenum u : Units())
    if (u == GL_TEXTURE0_ARB)
      glTexCoord2f(s, t);
    else if (glMultiTexCoord2fARB_)
      glMultiTexCoord2fARB_(u, s, t);
}
void ListTexCoord2fv(const GLfloat* v) { ListTexCoord2f(v[0], v[1]); }
void ListTexCoord3f(GLfloat s, GLfloat t, GLfloat r) {
  for (GLenum u : Units())
    if (u == GL_TEXTURE0_ARB)
      glTexCoord3f(s, t, r);
    else if (glMultiTexCoord3fARB_)
      glMultiTexCoord3fARB_(u, s, t, r);
}
void ListTexCoord3fv(const GLfloat* v) { ListTexCoord3f(v[0], v[1], v[2]); }
void ListTexCoord4f(GLfloat s, GLfloat t, GLfloat r, GLfloat q) {
  for (GLenum u : Units())
    if (u == GL_TEXTURE0_ARB)
      glTexCoord4f(s, t, r, q);
    else if (glMultiTexCoord4fARB_)
      glMultiTexCoord4fARB_(u, s, t, r, q);
}
void ListTexCoord4fv(const GLfloat* v) { ListTexCoord4f(v[0], v[1], v[2], v[3]); }
template <class F>
void EachUnit(F f) {
  for (GLenum u : Units()) {
    Active(u);
    f();
  }
  Active(GL_TEXTURE0_ARB);
}
template <class F>
void EachClientUnit(F f) {
  for (GLenum u : Units()) {
    ClientActive(u);
    f();
  }
  ClientActive(GL_TEXTURE0_ARB);
}
void ListTexGenf(GLenum c, GLenum p, GLfloat v) {
  EachUnit([&] { glTexGenf(c, p, v); });
}
void ListTexGenfv(GLenum c, GLenum p, const GLfloat* v) {
  EachUnit([&] { glTexGenfv(c, p, v); });
}
void ListTexGeni(GLenum c, GLenum p, GLint v) {
  EachUnit([&] { glTexGeni(c, p, v); });
}
void ListTexGeniv(GLenum c, GLenum p, const GLint* v) {
  EachUnit([&] { glTexGeniv(c, p, v); });
}
void ListTexCoordPointer(GLint s, GLenum t, GLsizei st, const void* p) {
  EachClientUnit([&] { glTexCoordPointer(s, t, st, p); });
}
void ListEnableClientState(GLenum a) {
  EachClientUnit([&] { glEnableClientState(a); });
}
void ListDisableClientState(GLenum a) {
  EachClientUnit([&] { glDisableClientState(a); });
}
void ListEnable(GLenum c) {
  EachUnit([&] { glEnable(c); });
}
void ListDisable(GLenum c) {
  EachUnit([&] { glDisable(c); });
}

const TXOpenGL nullSet{NullTexCoord2f,      NullTexCoord2fv, NullTexCoord3f, NullTexCoord3fv, NullTexCoord4f,
                       NullTexCoord4fv,     NullTexGenf,     NullTexGenfv,   NullTexGeni,     NullTexGeniv,
                       NullTexCoordPointer, NullEnum,        NullEnum,       NullEnum,        NullEnum};
const TXOpenGL mainSet{
    glTexCoord2f,      glTexCoord2fv,       glTexCoord3f,         glTexCoord3fv, glTexCoord4f,
    glTexCoord4fv,     glTexGenf,           glTexGenfv,           glTexGeni,     glTexGeniv,
    glTexCoordPointer, glEnableClientState, glDisableClientState, glEnable,      glDisable};
const TXOpenGL listSet{
    ListTexCoord2f,      ListTexCoord2fv,       ListTexCoord3f,         ListTexCoord3fv, ListTexCoord4f,
    ListTexCoord4fv,     ListTexGenf,           ListTexGenfv,           ListTexGeni,     ListTexGeniv,
    ListTexCoordPointer, ListEnableClientState, ListDisableClientState, ListEnable,      ListDisable};

void Apply(TMapTexCoordMode m, const std::vector<GLenum>& u) {
  mode = m;
  switch (m) {
    case TMapTexCoordMode::mtcmUndefined:
    case TMapTexCoordMode::mtcmNull:
      xgl = nullSet;
      units.clear();
      break;
    case TMapTexCoordMode::mtcmMain:
      xgl = mainSet;
      units = {GL_TEXTURE0_ARB};
      break;
    case TMapTexCoordMode::mtcmSecond:
      xgl = listSet;
      units = {GL_TEXTURE1_ARB};
      break;
    case TMapTexCoordMode::mtcmDual:
      xgl = listSet;
      units = {GL_TEXTURE0_ARB, GL_TEXTURE1_ARB};
      break;
    case TMapTexCoordMode::mtcmArbitrary:
      xgl = listSet;
      units = u;
      break;
  }
}

void Request(TMapTexCoordMode m, const std::vector<GLenum>& u = {}) {
  if (updateCount > 0) {
    pendingMode = m;
    pendingUnits = u;
    return;
  }
  if (m == mode && (m != TMapTexCoordMode::mtcmArbitrary || u == units)) return;
  Apply(m, u);
}

}  // namespace

TXOpenGL xgl = nullSet;

TMapTexCoordMode CurrentTexCoordMode() { return mode; }
void MapTexCoordToNull() { Request(TMapTexCoordMode::mtcmNull); }
void MapTexCoordToMain() { Request(TMapTexCoordMode::mtcmMain); }
void MapTexCoordToSecond() {
  if (vSecondTextureUnitForbidden) {
    MapTexCoordToNull();
    return;
  }
  Require(GLCaps.ARB_multitexture);
  Request(TMapTexCoordMode::mtcmSecond);
}
void MapTexCoordToDual() {
  if (vSecondTextureUnitForbidden) {
    MapTexCoordToMain();
    return;
  }
  Require(GLCaps.ARB_multitexture);
  Request(TMapTexCoordMode::mtcmDual);
}
void MapTexCoordToArbitrary(const std::vector<GLenum>& u) {
  Require(GLCaps.ARB_multitexture);
  std::vector<GLenum> kept;
  for (GLenum x : u)
    if (!(vSecondTextureUnitForbidden && x == GL_TEXTURE1_ARB)) kept.push_back(x);
  Request(TMapTexCoordMode::mtcmArbitrary, kept);
}
void MapTexCoordToArbitrary(std::uint32_t mask) {
  std::vector<GLenum> u;
  for (int b = 0; b < 8; ++b)
    if (mask & (1u << b)) u.push_back(GLenum(GL_TEXTURE0_ARB + b));
  MapTexCoordToArbitrary(u);
}
void MapTexCoordToArbitraryAdd(std::uint32_t mask) {
  MapTexCoordToArbitrary(CurrentTexCoordUnitMask() | mask);
}

std::uint32_t CurrentTexCoordUnitMask() {
  const TMapTexCoordMode m = updateCount > 0 ? pendingMode : mode;
  switch (m) {
    case TMapTexCoordMode::mtcmMain:
      return 1;
    case TMapTexCoordMode::mtcmDual:
      return 3;
    case TMapTexCoordMode::mtcmSecond:
      return 2;
    case TMapTexCoordMode::mtcmArbitrary: {
      std::uint32_t r = 0;
      for (GLenum u : (updateCount > 0 ? pendingUnits : units)) r |= 1u << (u - GL_TEXTURE0_ARB);
      return r;
    }
    default:
      return 0;
  }
}

void BeginTexCoordMapUpdate() {
  if (updateCount++ == 0) {
    pendingMode = mode;
    pendingUnits = units;
  }
}

void EndTexCoordMapUpdate() {
  if (updateCount == 0) return;
  if (--updateCount == 0 && (pendingMode != mode || pendingUnits != units)) Apply(pendingMode, pendingUnits);
}

}  // namespace qx
