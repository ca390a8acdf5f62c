// The class registry of the scene graph: scene object classes by name, so that
// AddNewChild(name), a deep copy (Assign) and the component streams of stored scenes can
// make an object of a class they only know by name.
//
// Each family of classes has one registration function; EnsureSceneClassesRegistered()
// calls them all once. A new family adds its function to that list (GLRegistry.cpp).
#pragma once
#include <functional>
#include <memory>
#include <string>

namespace qx {

class TGLBaseSceneObject;
class TComponent;

using TSceneObjectFactory = std::function<std::unique_ptr<TGLBaseSceneObject>(TComponent* owner)>;
void RegisterSceneObjectClass(const std::string& name, TSceneObjectFactory factory);
template <class T>
void RegisterSceneObjectClass(const std::string& name) {
  RegisterSceneObjectClass(name, [](TComponent* owner) { return std::make_unique<T>(owner); });
}
// Null for an unknown name.
const TSceneObjectFactory* FindSceneObjectClass(const std::string& name);
void EnsureSceneClassesRegistered();

// The families.
void RegisterGLSceneClasses();
void RegisterGLObjectsClasses();
void RegisterGLBitmapFontClasses();
void RegisterGLGeomObjectsClasses();
void RegisterGLLinesClasses();
void RegisterGLGraphClasses();
void RegisterGLSimpleObjectsClasses();
void RegisterGLMultiPolygonClasses();
void RegisterGLExtrusionClasses();
void RegisterGLSpaceTextClasses();

}  // namespace qx
