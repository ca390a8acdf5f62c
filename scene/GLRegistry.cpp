#include "scene/GLRegistry.h"

#include <map>

#include "scene/GLSceneObject.h"
#include "scene/base/VectorLists.h"

namespace qx {

static std::map<std::string, TSceneObjectFactory>& SceneClasses() {
  static std::map<std::string, TSceneObjectFactory> m;
  return m;
}

void RegisterSceneObjectClass(const std::string& name, TSceneObjectFactory factory) {
  SceneClasses()[name] = std::move(factory);
}

const TSceneObjectFactory* FindSceneObjectClass(const std::string& name) {
  EnsureSceneClassesRegistered();
  auto it = SceneClasses().find(name);
  return it == SceneClasses().end() ? nullptr : &it->second;
}

void EnsureSceneClassesRegistered() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterVectorListClasses();
  RegisterGLSceneClasses();
  RegisterGLObjectsClasses();
  RegisterGLBitmapFontClasses();
  RegisterGLGeomObjectsClasses();
  RegisterGLLinesClasses();
  RegisterGLGraphClasses();
  RegisterGLSimpleObjectsClasses();
  RegisterGLMultiPolygonClasses();
  RegisterGLExtrusionClasses();
  RegisterGLSpaceTextClasses();
}

}  // namespace qx
