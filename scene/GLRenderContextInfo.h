// The record handed to every object while a frame is drawn: who draws, from where, with
// which culling and sorting, and the switches that the picking pass and amalgamation turn on.
#pragma once
#include <cstdint>

#include "scene/base/VectorGeometry.h"

namespace qx {

class TGLScene;
class TGLSceneBuffer;
class TGLStateCache;

enum class TDrawState : std::uint8_t { dsRendering, dsPicking, dsPrinting };
enum class TGLObjectsSorting : std::uint8_t {
  osInherited,
  osNone,
  osRenderFarthestFirst,
  osRenderBlendedLast,
  osRenderNearestFirst
};
enum class TGLVisibilityCulling : std::uint8_t { vcInherited, vcNone, vcObjectBased, vcHierarchical };

struct TRenderContextInfo {
  TGLScene* scene = nullptr;
  TGLSceneBuffer* buffer = nullptr;
  THomogeneousVector cameraPosition;
  THomogeneousVector cameraDirection, cameraUp;
  TFrustumPlanes frustum;
  float farDistance = 0;
  int viewPortWidth = 1, viewPortHeight = 1;
  TDrawState drawState = TDrawState::dsRendering;
  TGLObjectsSorting objectsSorting = TGLObjectsSorting::osRenderBlendedLast;
  TGLVisibilityCulling visibilityCulling = TGLVisibilityCulling::vcNone;
  TGLStateCache* GLStates = nullptr;
  TMatrix modelViewMatrix = IdentityHmgMatrix;
  int renderDPI = 96;
  // All false in a normal pass.
  bool proxySubObject = false;  // stack picking names
  bool ignoreMaterials = false;
  bool ignoreBlendingRequests = false;
  bool amalgamating = false;  // issue geometry directly, without display lists
  // Selection or feedback mode: Mesa replays a display list that mixes kinds of primitives
  // wrongly there, so only lists of one kind are replayed.
  bool selecting = false;
  // What the buffer says, for materials that follow it.
  bool bufferFaceCull = true, bufferLighting = true, bufferFog = false, bufferDepthTest = true;
  int lightingDisabledCounter = 0, fogDisabledCounter = 0;
};

}  // namespace qx
