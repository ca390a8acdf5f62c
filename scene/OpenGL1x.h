// Between the scene graph and the platform's OpenGL: the few entry points beyond OpenGL 1.1
// that the scene graph calls (fetched by name once a context is current), the version and
// extension flags read from the implementation's strings, and the floating-point set-up.
// OpenGL 1.1 and GLU themselves are called directly everywhere.
#pragma once
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <string>

namespace qx {

// Entry points beyond OpenGL 1.1; null when the implementation lacks them.
extern PFNGLACTIVETEXTUREARBPROC glActiveTextureARB_;
extern PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB_;
extern PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB_;
extern PFNGLMULTITEXCOORD2FVARBPROC glMultiTexCoord2fvARB_;
extern PFNGLMULTITEXCOORD3FARBPROC glMultiTexCoord3fARB_;
extern PFNGLMULTITEXCOORD3FVARBPROC glMultiTexCoord3fvARB_;
extern PFNGLMULTITEXCOORD4FARBPROC glMultiTexCoord4fARB_;
extern PFNGLMULTITEXCOORD4FVARBPROC glMultiTexCoord4fvARB_;
extern PFNGLLOADTRANSPOSEMATRIXFARBPROC glLoadTransposeMatrixfARB_;
extern PFNGLLOCKARRAYSEXTPROC glLockArraysEXT_;
extern PFNGLUNLOCKARRAYSEXTPROC glUnlockArraysEXT_;
extern PFNGLPOINTPARAMETERFARBPROC glPointParameterfARB_;
extern PFNGLPOINTPARAMETERFVARBPROC glPointParameterfvARB_;

// Capability flags, all false until read.
struct TGLCapabilities {
  bool VERSION_1_0 = false, VERSION_1_1 = false, VERSION_1_2 = false, VERSION_1_3 = false,
       VERSION_1_4 = false, VERSION_1_5 = false;
  bool ARB_multisample = false, ARB_multitexture = false, ARB_texture_compression = false,
       ARB_texture_cube_map = false, ARB_transpose_matrix = false, ARB_point_parameters = false,
       ARB_texture_float = false, EXT_compiled_vertex_array = false, EXT_texture_edge_clamp = false,
       EXT_texture_filter_anisotropic = false, NV_fog_distance = false, NV_multisample_filter_hint = false,
       ATI_texture_float = false, SGIS_generate_mipmap = false, SGIS_texture_edge_clamp = false,
       EXT_texture3D = false, EXT_bgra = false, NV_texture_rectangle = false;
  bool GLUEXT_TEXTURE = false, GLUEXT_object_space_tess = false, GLUEXT_nurbs_tessellator = false;
};
extern TGLCapabilities GLCaps;

// Major and minor numbers of a version string such as "1.5.2 Vendor"; 0, 0 when it has no
// dot with a digit on each side.
void ParseGLVersion(const std::string& version, int& major, int& minor);
// True when the first occurrence of name in the list ends it or is followed by a blank.
bool CheckExtension(const std::string& extensions, const std::string& name);
// Fills the flags from the three strings (no OpenGL needed).
void ReadGLCapabilitiesFrom(const std::string& version, const std::string& extensions,
                            const std::string& gluExtensions, TGLCapabilities& caps);
// From the current context.
void ReadGLCapabilities();

// How the current context back-end finds an entry point by name.
using TGLProcAddressFunc = void* (*)(const char*);
void SetGLProcAddressFunction(TGLProcAddressFunc f);
// Fetches the entry points above; needs a current context.
void LoadGLExtensionEntries();
// Whether the OpenGL and GLU libraries can be loaded at all.
bool LoadOpenGLLibraries();
bool IsMesaLibrary();
// Keeps every floating-point exception masked: division by zero and invalid operations
// give infinities and NaNs. Traps are never enabled.
void InitGLFloatingPoint();

}  // namespace qx
