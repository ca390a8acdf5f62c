// Line objects: the line style (TGLLineBase, also the base of the XYZ grid), nodes with
// their own colours and the marker drawn at each (TGLNodedLines), and the lines through
// the nodes as a polyline, separate segments, or a cubic, Bezier or NURBS curve (TGLLines).
// The two constant polyhedra serve as node markers and as the geometry of TGLDodecahedron
// and TGLIcosahedron.
//
// Line objects are drawn without their material: the colour is LineColor (or the nodes'
// colours), and lighting is off while they draw.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "scene/GLObjects.h"

namespace qx {

enum class TLineNodesAspect : std::uint8_t { lnaInvisible, lnaAxes, lnaCube, lnaDodecahedron };
enum TLinesOption : std::uint8_t { loUseNodeColorForLines = 1 };

class TGLLineBase : public TGLImmaterialSceneObject {
 public:
  explicit TGLLineBase(TComponent* owner = nullptr);
  std::string ClassName() const override { return "TGLLineBase"; }
  // From another line object only the style; otherwise the scene-object copy.
  void Assign(const TPersistent* source) override;
  TGLColor& LineColor() { return lineColor_; }
  const TGLColor& LineColor() const { return lineColor_; }
  void SetLineColor(const TGLColor& c);
  std::uint16_t LinePattern() const { return linePattern_; }
  void SetLinePattern(std::uint16_t p);
  float LineWidth() const { return lineWidth_; }
  void SetLineWidth(float w);
  bool LineWidthStored() const { return lineWidth_ != 1; }
  bool AntiAliased() const { return antiAliased_; }
  void SetAntiAliased(bool v);
  // Bracket the drawing of the lines: stipple, smoothing, width, colour, lighting off.
  void SetupLineStyle(TRenderContextInfo& rci) const;
  void RestoreLineStyle(TRenderContextInfo& rci) const;

 private:
  TGLColor lineColor_;
  std::uint16_t linePattern_ = 0xFFFF;
  float lineWidth_ = 1;
  bool antiAliased_ = false;
};

class TGLLinesNode : public TGLNode {
 public:
  TGLLinesNode(TGLNodes* collection, const TColorVector& color);
  std::string ClassName() const override { return "TGLLinesNode"; }
  // The colour, then the coordinates.
  void Assign(const TPersistent* source) override;
  TGLColor& Color() { return color_; }
  const TGLColor& Color() const { return color_; }
  void SetColor(const TGLColor& c) { color_.Assign(&c); }
  // Stored only when it differs from the line's NodeColor.
  bool ColorStored(const TColorVector& nodeColor) const;

 private:
  TGLColor color_;
};

// The nodes of a line object; every change reaches the line, which rebuilds its drawing.
class TGLLinesNodes : public TGLNodes {
 public:
  using TGLNodes::TGLNodes;
  std::string ClassName() const override { return "TGLLinesNodes"; }
};

class TGLNodedLines : public TGLLineBase {
 public:
  explicit TGLNodedLines(TComponent* owner = nullptr);
  std::string ClassName() const override { return "TGLNodedLines"; }
  void Assign(const TPersistent* source) override;
  TGLLinesNodes& Nodes() { return nodes_; }
  const TGLLinesNodes& Nodes() const { return nodes_; }
  void SetNodes(const TGLNodes& n);
  TGLLinesNode* Node(int i) const { return static_cast<TGLLinesNode*>(nodes_.GetNode(i)); }
  TLineNodesAspect NodesAspect() const { return nodesAspect_; }
  void SetNodesAspect(TLineNodesAspect a);
  // Nodes still of the former node colour take the new one.
  TGLColor& NodeColor() { return nodeColor_; }
  void SetNodeColor(const TGLColor& c) { nodeColor_.SetColor(c.Color()); }
  float NodeSize() const { return nodeSize_; }
  // 0 or less is stored as 1.
  void SetNodeSize(float s);
  bool NodeSizeStored() const { return nodeSize_ != 1; }
  void AddNode(const TAffineVector& v);
  void AddNode(float x, float y, float z) { AddNode(TAffineVector{x, y, z}); }
  THomogeneousVector UnscaledHalfExtents() override;
  // A change of the nodes rebuilds the drawing.
  void NotifyChange(TObject* sender) override;
  // One marker at (x, y, z) in the given colour.
  void DrawLineNode(TRenderContextInfo& rci, const TColorVector& color, float x, float y, float z);
  // Every node's marker (nothing for lnaInvisible).
  void DrawNodes(TRenderContextInfo& rci);

 private:
  void NodeColorChanged();
  TGLLinesNodes nodes_;
  TLineNodesAspect nodesAspect_ = TLineNodesAspect::lnaAxes;
  TGLColor nodeColor_;
  TColorVector oldNodeColor_;
  float nodeSize_ = 1;
};

class TGLLines : public TGLNodedLines {
 public:
  using TGLNodedLines::TGLNodedLines;
  std::string ClassName() const override { return "TGLLines"; }
  void Assign(const TPersistent* source) override;
  int Division() const { return division_; }
  // Below 1 is stored as 1.
  void SetDivision(int v);
  TLineSplineMode SplineMode() const { return splineMode_; }
  void SetSplineMode(TLineSplineMode m);
  std::uint8_t Options() const { return options_; }
  void SetOptions(std::uint8_t o);
  // The NURBS curve: an order of 2 or more and one knot per node plus the order give a
  // curve; otherwise the NURBS mode draws no curve, only the node markers.
  int NurbsOrder() const { return nurbsOrder_; }
  void SetNurbsOrder(int order);
  float NurbsSamplingTolerance() const { return nurbsTolerance_; }
  void SetNurbsSamplingTolerance(float t);
  const std::vector<float>& NurbsKnots() const { return knots_; }
  void SetNurbsKnots(const std::vector<float>& knots);
  void EmitGeometry(TRenderContextInfo& rci) override;
  // One strip or one set of segments, without markers; the NURBS curve is GLU's.
  bool OneKindOfPrimitive() const override {
    return NodesAspect() == TLineNodesAspect::lnaInvisible && splineMode_ != TLineSplineMode::lsmNURBSCurve;
  }

 private:
  void EmitNurbs() const;
  int division_ = 10;
  TLineSplineMode splineMode_ = TLineSplineMode::lsmLines;
  std::uint8_t options_ = 0;
  int nurbsOrder_ = 0;
  float nurbsTolerance_ = 50;
  std::vector<float> knots_;
};

// The constant polyhedra, fitting in the unit box around the origin.
void BuildDodecahedronList();
void BuildIcosahedronList();

}  // namespace qx
