// Planar faces bounded by several contours: the first is the outer boundary, each further
// one cuts a hole where it lies inside the first. The contours are reduced once to an
// outline (the boundary loops of the filled region, kept until a contour changes), and the
// outline is tessellated into triangles when the face is drawn. TGLMultiPolygon draws it
// as a top and a bottom face; the extrusion solid pushes the same outline along +Z.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "scene/GLGeomObjects.h"
#include "scene/GLTessellator.h"

namespace qx {

class TGLContour;
class TMultiPolygonBase;

// Tells its contour of every change.
class TGLContourNodes : public TGLNodes {
 public:
  TGLContourNodes(TGLContour* contour);
  std::string ClassName() const override { return "TGLContourNodes"; }
  void NotifyChange() override;

 private:
  TGLContour* contour_;
};

class TGLContours;

class TGLContour : public TPersistent {
 public:
  explicit TGLContour(TGLContours* collection);
  std::string ClassName() const override { return "TGLContour"; }
  // Nodes, Division, SplineMode and Description.
  void Assign(const TPersistent* source) override;
  TGLContourNodes& Nodes() { return nodes_; }
  const TGLContourNodes& Nodes() const { return nodes_; }
  void SetNodes(const TGLNodes& n);
  int Division() const { return division_; }
  // Below 1 is stored as 1.
  void SetDivision(int v);
  TLineSplineMode SplineMode() const { return splineMode_; }
  void SetSplineMode(TLineSplineMode m);
  const std::string& Description() const { return description_; }
  void SetDescription(const std::string& d) { description_ = d; }
  // The description, or "GLContour: N nodes".
  std::string DisplayName() const;
  // Tells the collection (and so the face) that the outline is out of date.
  void Changed();

 private:
  TGLContours* collection_;
  TGLContourNodes nodes_;
  int division_ = 10;
  TLineSplineMode splineMode_ = TLineSplineMode::lsmLines;
  std::string description_;
};

class TGLContours : public TPersistent {
 public:
  explicit TGLContours(TMultiPolygonBase* owner) : owner_(owner) {}
  std::string ClassName() const override { return "TGLContours"; }
  void Assign(const TPersistent* source) override;
  int Count() const { return int(items_.size()); }
  TGLContour* operator[](int i) const { return items_.at(std::size_t(i)).get(); }
  TGLContour* Add();
  void Delete(int index);
  void Clear();
  int TotalNodeCount() const;
  void Changed();

 private:
  TMultiPolygonBase* owner_;
  std::vector<std::unique_ptr<TGLContour>> items_;
};

class TMultiPolygonBase : public TGLSceneObject {
 public:
  explicit TMultiPolygonBase(TComponent* owner = nullptr);
  std::string ClassName() const override { return "TMultiPolygonBase"; }
  void Assign(const TPersistent* source) override;
  TGLContours& Contours() { return contours_; }
  void SetContours(const TGLContours& c) { contours_.Assign(&c); }
  // The nodes of contour index; contours are added until it exists. Negative: assertion
  // failure.
  TGLContourNodes& Path(int index);
  // Built when missing.
  const TPolygonList& Outline();
  bool HasOutline() const { return outline_ != nullptr; }
  // The plane normal handed to the tessellator, (0, 0, 1) by default.
  const TAffineVector& Normal() const { return normal_; }
  void SetNormal(const TAffineVector& n);
  // Every contour change lands here: the outline is dropped and the drawing rebuilt.
  virtual void DropOutline();
  // Draws the outline as triangles; normal may be null.
  void RenderTesselatedPolygon(bool textured, const TAffineVector* normal, bool invert);

 protected:
  void RetrieveOutline(TPolygonList& list);

 private:
  TGLContours contours_;
  std::unique_ptr<TPolygonList> outline_;
  TAffineVector normal_{0, 0, 1};
};

class TGLMultiPolygon : public TMultiPolygonBase {
 public:
  using TMultiPolygonBase::TMultiPolygonBase;
  std::string ClassName() const override { return "TGLMultiPolygon"; }
  void Assign(const TPersistent* source) override;
  std::uint8_t Parts() const { return parts_; }
  void SetParts(std::uint8_t p);
  void EmitGeometry(TRenderContextInfo& rci) override;
  bool OneKindOfPrimitive() const override { return true; }  // triangles

 private:
  std::uint8_t parts_ = ppTop | ppBottom;
};

}  // namespace qx
