#include "scene/OpenGL1x.h"

#include <dlfcn.h>

#include <cctype>
#include <cfenv>

namespace qx {

PFNGLACTIVETEXTUREARBPROC glActiveTextureARB_ = nullptr;
PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB_ = nullptr;
PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB_ = nullptr;
PFNGLMULTITEXCOORD2FVARBPROC glMultiTexCoord2fvARB_ = nullptr;
PFNGLMULTITEXCOORD3FARBPROC glMultiTexCoord3fARB_ = nullptr;
PFNGLMULTITEXCOORD3FVARBPROC glMultiTexCoord3fvARB_ = nullptr;
PFNGLMULTITEXCOORD4FARBPROC glMultiTexCoord4fARB_ = nullptr;
PFNGLMULTITEXCOORD4FVARBPROC glMultiTexCoord4fvARB_ = nullptr;
PFNGLLOADTRANSPOSEMATRIXFARBPROC glLoadTransposeMatrixfARB_ = nullptr;
PFNGLLOCKARRAYSEXTPROC glLockArraysEXT_ = nullptr;
PFNGLUNLOCKARRAYSEXTPROC glUnlockArraysEXT_ = nullptr;
PFNGLPOINTPARAMETERFARBPROC glPointParameterfARB_ = nullptr;
PFNGLPOINTPARAMETERFVARBPROC glPointParameterfvARB_ = nullptr;

TGLCapabilities GLCaps;

void ParseGLVersion(const std::string& v, int& major, int& minor) {
  major = minor = 0;
  const std::size_t dot = v.find('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 >= v.size()) return;
  if (!std::isdigit((unsigned char)v[dot - 1]) || !std::isdigit((unsigned char)v[dot + 1])) return;
  std::size_t a = dot;
  while (a > 0 && std::isdigit((unsigned char)v[a - 1])) --a;
  std::size_t b = dot + 1;
  while (b < v.size() && std::isdigit((unsigned char)v[b])) ++b;
  try {
    major = std::stoi(v.substr(a, dot - a));
    minor = std::stoi(v.substr(dot + 1, b - dot - 1));
  } catch (...) {
    major = minor = 0;
  }
}

bool CheckExtension(const std::string& extensions, const std::string& name) {
  const std::size_t p = extensions.find(name);
  if (p == std::string::npos) return false;
  const std::size_t end = p + name.size();
  return end == extensions.size() || extensions[end] == ' ';
}

void ReadGLCapabilitiesFrom(const std::string& version, const std::string& ext, const std::string& gluExt,
                            TGLCapabilities& c) {
  c = TGLCapabilities{};
  int major, minor;
  ParseGLVersion(version, major, minor);
  c.VERSION_1_0 = true;
  c.VERSION_1_1 = minor >= 1 || major > 1;
  c.VERSION_1_2 = minor >= 2 || major > 1;
  c.VERSION_1_3 = minor >= 3 || major > 1;
  c.VERSION_1_4 = minor >= 4 || major > 1;
  c.VERSION_1_5 = minor >= 5 || major > 1;
  // The leading blank is part of the name: a list that begins with it does not set the flag.
  c.ARB_multisample = CheckExtension(ext, " GL_ARB_multisample");
  c.ARB_multitexture = CheckExtension(ext, "GL_ARB_multitexture");
  c.ARB_texture_compression = CheckExtension(ext, "GL_ARB_texture_compression");
  c.ARB_texture_cube_map = CheckExtension(ext, "GL_ARB_texture_cube_map");
  c.ARB_transpose_matrix = CheckExtension(ext, "GL_ARB_transpose_matrix");
  c.ARB_point_parameters = CheckExtension(ext, "GL_ARB_point_parameters");
  c.ARB_texture_float = CheckExtension(ext, "GL_ARB_texture_float");
  c.EXT_compiled_vertex_array = CheckExtension(ext, "GL_EXT_compiled_vertex_array");
  c.EXT_texture_edge_clamp = CheckExtension(ext, "GL_EXT_texture_edge_clamp");
  c.EXT_texture_filter_anisotropic = CheckExtension(ext, "GL_EXT_texture_filter_anisotropic");
  c.NV_fog_distance = CheckExtension(ext, "GL_NV_fog_distance");
  c.NV_multisample_filter_hint = CheckExtension(ext, "GL_NV_multisample_filter_hint");
  c.ATI_texture_float = CheckExtension(ext, "GL_ATI_texture_float");
  c.SGIS_generate_mipmap = CheckExtension(ext, "GL_SGIS_generate_mipmap");
  c.SGIS_texture_edge_clamp = CheckExtension(ext, "GL_SGIS_texture_edge_clamp");
  c.EXT_texture3D = CheckExtension(ext, "GL_EXT_texture3D");
  c.EXT_bgra = CheckExtension(ext, "GL_EXT_bgra");
  c.NV_texture_rectangle = CheckExtension(ext, "GL_NV_texture_rectangle");
  c.GLUEXT_TEXTURE = CheckExtension(gluExt, "GLU_EXT_TEXTURE");
  c.GLUEXT_object_space_tess = CheckExtension(gluExt, "GLU_EXT_object_space_tess");
  c.GLUEXT_nurbs_tessellator = CheckExtension(gluExt, "GLU_EXT_nurbs_tessellator");
}

static std::string GLString(const GLubyte* s) { return s ? reinterpret_cast<const char*>(s) : ""; }

void ReadGLCapabilities() {
  ReadGLCapabilitiesFrom(GLString(glGetString(GL_VERSION)), GLString(glGetString(GL_EXTENSIONS)),
                         GLString(gluGetString(GLU_EXTENSIONS)), GLCaps);
}

static TGLProcAddressFunc procAddress = nullptr;
void SetGLProcAddressFunction(TGLProcAddressFunc f) { procAddress = f; }

template <class F>
static void Fetch(F& f, const char* name) {
  f = procAddress ? reinterpret_cast<F>(procAddress(name)) : nullptr;
}

void LoadGLExtensionEntries() {
  Fetch(glActiveTextureARB_, "glActiveTextureARB");
  Fetch(glClientActiveTextureARB_, "glClientActiveTextureARB");
  Fetch(glMultiTexCoord2fARB_, "glMultiTexCoord2fARB");
  Fetch(glMultiTexCoord2fvARB_, "glMultiTexCoord2fvARB");
  Fetch(glMultiTexCoord3fARB_, "glMultiTexCoord3fARB");
  Fetch(glMultiTexCoord3fvARB_, "glMultiTexCoord3fvARB");
  Fetch(glMultiTexCoord4fARB_, "glMultiTexCoord4fARB");
  Fetch(glMultiTexCoord4fvARB_, "glMultiTexCoord4fvARB");
  Fetch(glLoadTransposeMatrixfARB_, "glLoadTransposeMatrixfARB");
  Fetch(glLockArraysEXT_, "glLockArraysEXT");
  Fetch(glUnlockArraysEXT_, "glUnlockArraysEXT");
  Fetch(glPointParameterfARB_, "glPointParameterfARB");
  Fetch(glPointParameterfvARB_, "glPointParameterfvARB");
}

bool LoadOpenGLLibraries() {
  static const bool ok = [] {
    void* gl = dlopen("libGL.so.1", RTLD_LAZY | RTLD_NOLOAD);
    if (!gl) gl = dlopen("libGL.so.1", RTLD_LAZY);
    void* glu = dlopen("libGLU.so.1", RTLD_LAZY | RTLD_NOLOAD);
    if (!glu) glu = dlopen("libGLU.so.1", RTLD_LAZY);
    return gl != nullptr && glu != nullptr;
  }();
  return ok;
}

bool IsMesaLibrary() {
  const std::string v = GLString(glGetString(GL_VERSION));
  return v.find("Mesa") != std::string::npos;
}

void InitGLFloatingPoint() { fedisableexcept(FE_ALL_EXCEPT); }

}  // namespace qx
