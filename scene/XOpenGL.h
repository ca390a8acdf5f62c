// The switchable texture-coordinate entry points: scene objects send texture coordinates
// through these, and the mapping mode decides which texture units receive them (none, the
// first, the second, both, or a list).
#pragma once
#include <cstdint>
#include <vector>

#include "scene/OpenGL1x.h"

namespace qx {

enum class TMapTexCoordMode : std::uint8_t {
  mtcmUndefined,
  mtcmNull,
  mtcmMain,
  mtcmDual,
  mtcmSecond,
  mtcmArbitrary
};

struct TXOpenGL {
  void (*TexCoord2f)(GLfloat s, GLfloat t);
  void (*TexCoord2fv)(const GLfloat* v);
  void (*TexCoord3f)(GLfloat s, GLfloat t, GLfloat r);
  void (*TexCoord3fv)(const GLfloat* v);
  void (*TexCoord4f)(GLfloat s, GLfloat t, GLfloat r, GLfloat q);
  void (*TexCoord4fv)(const GLfloat* v);
  void (*TexGenf)(GLenum coord, GLenum pname, GLfloat param);
  void (*TexGenfv)(GLenum coord, GLenum pname, const GLfloat* params);
  void (*TexGeni)(GLenum coord, GLenum pname, GLint param);
  void (*TexGeniv)(GLenum coord, GLenum pname, const GLint* params);
  void (*TexCoordPointer)(GLint size, GLenum type, GLsizei stride, const void* p);
  void (*EnableClientState)(GLenum array);
  void (*DisableClientState)(GLenum array);
  void (*Enable)(GLenum cap);
  void (*Disable)(GLenum cap);
};
// The entry points in effect (starts as "no unit").
extern TXOpenGL xgl;

TMapTexCoordMode CurrentTexCoordMode();
void MapTexCoordToNull();
void MapTexCoordToMain();
// Needs GL_ARB_multitexture (EAssertionFailed otherwise).
void MapTexCoordToSecond();
void MapTexCoordToDual();
void MapTexCoordToArbitrary(const std::vector<GLenum>& units);
void MapTexCoordToArbitrary(std::uint32_t bitMask);
void MapTexCoordToArbitraryAdd(std::uint32_t bitMask);
std::uint32_t CurrentTexCoordUnitMask();
// While updates nest, requests only record the pending mode; the last end applies it.
void BeginTexCoordMapUpdate();
void EndTexCoordMapUpdate();
// Forbids the second texture unit (false by default).
extern bool vSecondTextureUnitForbidden;

}  // namespace qx
