// A walk over the elements of printable SVG in document order, drawing them with a renderer or,
// while it carries a definition id, collecting a clip or blur definition that is committed to
// the renderer when the visitor is destroyed. Lives for one walk over one element list.
#pragma once

#include <boost/property_tree/ptree.hpp>

#include <string>
#include <vector>

#include "plotengine/svg/svg_renderer.h"

namespace Quor {

class SvgElementVisitor {
 public:
  explicit SvgElementVisitor(SvgGdiplusRenderer& renderer, std::string definitionId = {});
  ~SvgElementVisitor();
  SvgElementVisitor(const SvgElementVisitor&) = delete;
  SvgElementVisitor& operator=(const SvgElementVisitor&) = delete;

  // Visits each child element in order; attributes, comments and unknown elements are skipped.
  void VisitChildren(const boost::property_tree::ptree& element);
  void VisitElement(const std::string& name, const boost::property_tree::ptree& element);

 private:
  using Tree = boost::property_tree::ptree;
  bool InDefinition() const { return !m_definitionId.empty(); }
  void VisitRect(const Tree& element);
  void VisitPath(const Tree& element);
  void VisitGroup(const Tree& element);
  void VisitDefinitionGroup(const Tree& element, bool filter);
  void VisitGaussianBlur(const Tree& element);
  void VisitDefs(const Tree& element);
  void VisitUse(const Tree& element);
  void VisitCircle(const Tree& element);
  void VisitLine(const Tree& element);
  void VisitEllipse(const Tree& element);
  void VisitText(const Tree& element);

  SvgGdiplusRenderer& m_renderer;
  std::string m_definitionId;
  std::vector<Gdiplus::RectF> m_rects;
  float m_blur = 0.0f;
};

}  // namespace Quor
