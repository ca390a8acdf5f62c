// The four-component coordinates of every position, direction, up vector, scale and
// rotation of a scene object, and the vertex collection (TGLNodes) from which lines and
// polygons are built, with the tessellated drawing of a planar polygon.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "scene/GLBaseClasses.h"
#include "scene/base/VectorGeometry.h"

namespace qx {

class TCubicSpline;

enum TGLCoordStyle : std::uint8_t { csPointStyle, csVectorStyle, csFreeStyle };

class TGLCoordinates : public TGLUpdateAbleObject {
 public:
  explicit TGLCoordinates(TPersistent* owner) : TGLUpdateAbleObject(owner) {}
  TGLCoordinates(TPersistent* owner, const THomogeneousVector& initial, TGLCoordStyle style)
      : TGLUpdateAbleObject(owner), coords_(initial), style_(style) {}
  std::string ClassName() const override { return "TGLCoordinates"; }
  // From other coordinates: the four components, style kept, no notification.
  void Assign(const TPersistent* source) override;
  // An owner that is a TGLCoordinatesUpdateAbleComponent hears only CoordinatesChanged.
  void NotifyChange(TObject* sender) override;

  float X() const { return coords_.X; }
  float Y() const { return coords_.Y; }
  float Z() const { return coords_.Z; }
  float W() const { return coords_.W; }
  void SetX(float v) { SetCoordinate(0, v); }
  void SetY(float v) { SetCoordinate(1, v); }
  void SetZ(float v) { SetCoordinate(2, v); }
  void SetW(float v) { SetCoordinate(3, v); }
  // Always stores and notifies.
  void SetCoordinate(int index, float value);
  TGLCoordStyle Style() const { return style_; }
  void SetStyle(TGLCoordStyle s) { style_ = s; }

  const THomogeneousVector& AsVector() const { return coords_; }
  // W: 1 for the point style, 0 for the vector style, V's for the free style.
  void SetAsVector(const THomogeneousVector& v);
  // W: 1 for the point style, 0 otherwise.
  void SetAsAffineVector(const TAffineVector& v);
  TAffineVector AsAffineVector() const { return {coords_.X, coords_.Y, coords_.Z}; }
  // Without any notification (the owner is already handling the change).
  void DirectVector(const THomogeneousVector& v) { coords_ = v; }
  const float* AsAddress() const { return &coords_.X; }
  // Refused on point-style coordinates (EAssertionFailed).
  void SetToVector(float x, float y, float z);
  void SetToVector(float x, float y, float z, float w);
  // Refused on vector-style coordinates.
  void SetToPoint(float x, float y, float z);
  void Translate(const TAffineVector& v);
  void AddScaled(float factor, const TAffineVector& v);
  void Invert();
  float VectorLength() const;
  bool Equals(const THomogeneousVector& v) const;

  // The stored form: the binary property "Coordinates", 16 bytes X, Y, Z, W little-endian,
  // always written; reading notifies nobody.
  std::string WriteData() const;
  // False (nothing changed) unless exactly 16 bytes are given.
  bool ReadData(const std::string& bytes);

 private:
  THomogeneousVector coords_;
  TGLCoordStyle style_ = csFreeStyle;
};

// Publishes W too.
class TGLCoordinates4 : public TGLCoordinates {
 public:
  using TGLCoordinates::TGLCoordinates;
  std::string ClassName() const override { return "TGLCoordinates4"; }
};

class TGLNodes;

class TGLNode : public TPersistent {
 public:
  explicit TGLNode(TGLNodes* collection) : collection_(collection) {}
  std::string ClassName() const override { return "TGLNode"; }
  void Assign(const TPersistent* source) override;
  float X() const { return v_.X; }
  float Y() const { return v_.Y; }
  float Z() const { return v_.Z; }
  float W() const { return v_.W; }
  void SetX(float x);
  void SetY(float y);
  void SetZ(float z);
  void SetW(float w);
  const THomogeneousVector& AsVector() const { return v_; }
  TAffineVector AsAffineVector() const { return {v_.X, v_.Y, v_.Z}; }
  void SetAsVector(const THomogeneousVector& v);
  void SetAsAffineVector(const TAffineVector& v) { SetAsVector({v.X, v.Y, v.Z, v_.W}); }
  // "%.4f; %.4f; %.4f" of X, Y, Z.
  std::string DisplayName() const;
  int Index() const;

 protected:
  void Changed();

 private:
  friend class TGLNodes;
  TGLNodes* collection_;
  THomogeneousVector v_;
};

class TGLNodes : public TPersistent {
 public:
  using TNodeFactory = std::function<std::unique_ptr<TGLNode>(TGLNodes*)>;
  explicit TGLNodes(TPersistent* owner, TNodeFactory itemClass = nullptr);
  std::string ClassName() const override { return "TGLNodes"; }
  TPersistent* GetOwner() const override { return owner_; }
  // A collection of the same class owned by the new owner (null for a null source).
  static std::unique_ptr<TGLNodes> CreateCopy(const TGLNodes* source, TPersistent* newOwner);
  void Assign(const TPersistent* source) override;

  int Count() const { return int(items_.size()); }
  TGLNode* Add();
  void AddNode(const TAffineVector& v);
  void AddNode(float x, float y, float z);
  TGLNode* GetNode(int index) const { return items_.at(std::size_t(index)).get(); }
  TGLNode* operator[](int index) const { return GetNode(index); }
  void Delete(int index);
  void Clear();
  void BeginUpdate() { ++updating_; }
  void EndUpdate();
  bool Updating() const { return updating_ != 0; }
  // When not updating, an owner that is a TGLUpdateAbleComponent hears of the change.
  virtual void NotifyChange();

  TAffineVector Barycenter() const;
  // The unit normal of the plane of the first three nodes that are not on one line (a
  // repeated node is passed over); the zero vector when there are none.
  TAffineVector Normal() const;
  // Direction at node i (EAssertionFailed out of range); the zero vector when it is
  // shorter than 1e-5.
  TAffineVector NodeVector(int i) const;
  void Translate(const TAffineVector& v);
  void RotateAroundY(float angle);
  std::unique_ptr<TCubicSpline> CreateNewCubicSpline() const;
  // Draws the nodes as one filled planar polygon through the GLU tessellator (nothing with
  // fewer than 3 nodes). A self-intersecting outline is safe: combined vertices get their
  // own storage. A tessellator error raises EAssertionFailed "N: text" after the polygon.
  void RenderTesselatedPolygon(bool textured, const TAffineVector* normal = nullptr, int splineDivisions = 1,
                               bool invertOrder = false) const;

 private:
  friend class TGLNode;
  TPersistent* owner_;
  TNodeFactory factory_;
  std::vector<std::unique_ptr<TGLNode>> items_;
  int updating_ = 0;
};

// A collection of nodes that tells its owner component of every change.
using TNotifyCollection = TGLNodes;

}  // namespace qx
