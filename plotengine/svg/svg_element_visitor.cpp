#include "plotengine/svg/svg_element_visitor.h"

#include <boost/algorithm/string/trim.hpp>
#include <boost/lexical_cast.hpp>

#include "plotengine/svg/bad_svg_exception.h"
#include "plotengine/svg/svg_patterns.h"

namespace Quor {

namespace {

using Tree = boost::property_tree::ptree;

// A required attribute; a missing one fails the render with the tree's error naming its path.
std::string Attribute(const Tree& element, const std::string& name) {
  return element.get<std::string>(Tree::path_type("<xmlattr>." + name));
}

std::string OptionalAttribute(const Tree& element, const std::string& name) {
  return element.get<std::string>(Tree::path_type("<xmlattr>." + name), std::string());
}

float FloatAttribute(const Tree& element, const std::string& name, float fallback = 0.0f) {
  return ParseFloatClassic(Attribute(element, name), fallback);
}

float CastOrLeadingNumber(const std::string& text) {
  try {
    return boost::lexical_cast<float>(text);
  } catch (const boost::bad_lexical_cast&) {
    return ParseFloatClassic(text, 0.0f);
  }
}

// The angle of "rotate(a cx cy)"; 0 for any other transform.
float RotationAngle(const std::string& transform) {
  const std::optional<std::string> angle = MatchRotation(transform);
  return angle ? CastOrLeadingNumber(*angle) : 0.0f;
}

}  // namespace

SvgElementVisitor::SvgElementVisitor(SvgGdiplusRenderer& renderer, std::string definitionId)
    : m_renderer(renderer), m_definitionId(std::move(definitionId)) {}

SvgElementVisitor::~SvgElementVisitor() {
  if (!InDefinition()) return;
  if (!m_rects.empty()) m_renderer.DefineClip(m_definitionId, m_rects);
  else m_renderer.DefineFilter(m_definitionId, m_blur);
}

void SvgElementVisitor::VisitChildren(const Tree& element) {
  for (const auto& [name, child] : element) VisitElement(name, child);
}

void SvgElementVisitor::VisitElement(const std::string& name, const Tree& element) {
  if (name == "rect") VisitRect(element);
  else if (name == "path") VisitPath(element);
  else if (name == "g") VisitGroup(element);
  else if (name == "clipPath") VisitDefinitionGroup(element, false);
  else if (name == "filter") VisitDefinitionGroup(element, true);
  else if (name == "feGaussianBlur") VisitGaussianBlur(element);
  else if (name == "defs") VisitDefs(element);
  else if (name == "use") VisitUse(element);
  else if (name == "circle") VisitCircle(element);
  else if (name == "line") VisitLine(element);
  else if (name == "ellipse") VisitEllipse(element);
  else if (name == "text") VisitText(element);
}

void SvgElementVisitor::VisitRect(const Tree& element) {
  if (!InDefinition()) m_renderer.ApplyStyle(Attribute(element, "style"));
  const float x = FloatAttribute(element, "x"), y = FloatAttribute(element, "y");
  const float width = FloatAttribute(element, "width"), height = FloatAttribute(element, "height");
  if (InDefinition()) m_rects.emplace_back(x, y, width, height);
  else m_renderer.DrawRect(x, y, width, height, OptionalAttribute(element, "filter"));
}

void SvgElementVisitor::VisitPath(const Tree& element) {
  if (InDefinition()) throw bad_svg_exception();
  m_renderer.ApplyStyle(Attribute(element, "style"));
  m_renderer.DrawPath(Attribute(element, "d"));
}

void SvgElementVisitor::VisitGroup(const Tree& element) {
  if (InDefinition()) throw bad_svg_exception();
  m_renderer.Enter();
  const std::string clipId = UrlReferenceId(OptionalAttribute(element, "clip-path"));
  const auto offsets = MatchTranslation(OptionalAttribute(element, "transform"));
  const bool translated = offsets.has_value();
  if (translated) {
    float dx = 0, dy = 0;
    try {
      dx = boost::lexical_cast<float>(offsets->first);
      dy = boost::lexical_cast<float>(offsets->second);
    } catch (const boost::bad_lexical_cast&) {
      dx = ParseFloatClassic(offsets->first, 0.0f);
      dy = ParseFloatClassic(offsets->second, 0.0f);
    }
    m_renderer.PushTranslation(dx, dy);
  }
  const bool clipped = !clipId.empty() && m_renderer.PushClipRegion(clipId);
  {
    SvgElementVisitor children(m_renderer);
    children.VisitChildren(element);
  }
  if (clipped) m_renderer.PopClipRegion();
  if (translated) m_renderer.PopTransform();
  m_renderer.Leave();
}

void SvgElementVisitor::VisitDefinitionGroup(const Tree& element, bool filter) {
  if (filter && InDefinition()) throw bad_svg_exception();
  const std::string id = OptionalAttribute(element, "id");
  if (id.empty()) return;
  m_renderer.Enter();
  {
    SvgElementVisitor definition(m_renderer, id);
    definition.VisitChildren(element);
  }
  m_renderer.Leave();
}

void SvgElementVisitor::VisitGaussianBlur(const Tree& element) {
  if (!InDefinition() || Attribute(element, "in") != "SourceAlpha") throw bad_svg_exception();
  m_blur = FloatAttribute(element, "stdDeviation", 1.0f);
}

void SvgElementVisitor::VisitDefs(const Tree& element) {
  for (const auto& [name, child] : element) {
    if (name.empty() || name[0] == '<') continue;  // the defs' own attributes and comments
    m_renderer.RegisterDefinition(Attribute(child, "id"), name, child);
  }
}

void SvgElementVisitor::VisitUse(const Tree& element) {
  const std::string id = LocalHrefId(Attribute(element, "xlink:href"));
  m_renderer.PushTranslation(FloatAttribute(element, "x"), FloatAttribute(element, "y"));
  m_renderer.ApplyStyle(Attribute(element, "style"));
  if (const SvgGdiplusRenderer::Definition* definition = m_renderer.FindDefinition(id)) {
    m_renderer.Enter();
    SvgElementVisitor(m_renderer).VisitElement(definition->first, definition->second);
    m_renderer.Leave();
  }
  m_renderer.PopTransform();
}

void SvgElementVisitor::VisitCircle(const Tree& element) {
  m_renderer.ApplyStyle(Attribute(element, "style"));
  m_renderer.DrawCircle(FloatAttribute(element, "cx"), FloatAttribute(element, "cy"), FloatAttribute(element, "r"));
}

void SvgElementVisitor::VisitLine(const Tree& element) {
  m_renderer.Style().dashPattern.clear();
  m_renderer.ApplyStyle(Attribute(element, "style"));
  m_renderer.DrawLine(FloatAttribute(element, "x1"), FloatAttribute(element, "y1"), FloatAttribute(element, "x2"),
                      FloatAttribute(element, "y2"));
}

void SvgElementVisitor::VisitEllipse(const Tree& element) {
  if (!InDefinition()) m_renderer.ApplyStyle(Attribute(element, "style"));
  m_renderer.DrawEllipse(FloatAttribute(element, "cx"), FloatAttribute(element, "cy"), FloatAttribute(element, "rx"),
                         FloatAttribute(element, "ry"), RotationAngle(OptionalAttribute(element, "transform")));
}

void SvgElementVisitor::VisitText(const Tree& element) {
  m_renderer.ApplyStyle(OptionalAttribute(element, "style"));
  m_renderer.DrawText(boost::algorithm::trim_copy(element.data()), OptionalAttribute(element, "text-anchor"),
                      OptionalAttribute(element, "dominant-baseline"), FloatAttribute(element, "x"),
                      FloatAttribute(element, "y"), RotationAngle(OptionalAttribute(element, "transform")));
}

}  // namespace Quor
