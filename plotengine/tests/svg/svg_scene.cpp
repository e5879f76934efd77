#include "svg_scene.h"

#include <cmath>
#include <algorithm>
#include <cstdio>

namespace svg_test {

namespace {

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

// Liberation Sans's ascent and line height per em, as the text layout places lines.
constexpr double kAscent = 0.905, kLineHeight = 1.149;

}  // namespace

void SvgScene::Rect(double x, double y, double width, double height, const std::string& style) {
  Both("<rect style=\"" + style + "\" x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" width=\"" + Number(width) +
       "\" height=\"" + Number(height) + "\"/>\n");
}

void SvgScene::Line(int x1, int y1, int x2, int y2, const std::string& colour, const std::string& dashes) {
  const std::string style = "fill:none;stroke:" + colour + ";stroke-width:1" +
                            (dashes.empty() ? "" : ";stroke-dasharray:" + dashes);
  Both("<line style=\"" + style + "\" x1=\"" + Number(x1) + "\" y1=\"" + Number(y1) + "\" x2=\"" + Number(x2) +
       "\" y2=\"" + Number(y2) + "\"/>\n");
}

void SvgScene::Path(const std::string& d, const std::string& colour, double width) {
  const std::string style = "fill:none;stroke:" + colour + ";stroke-width:" + Number(width);
  m_dialect += "<path style=\"" + style + "\" d=\"" + d + "\"/>\n";
  m_standard += "<path transform=\"translate(-0.5 -0.5)\" style=\"" + style + "\" d=\"" + d + "\"/>\n";
}

void SvgScene::Circle(double cx, double cy, double r, const std::string& colour) {
  Both("<circle style=\"fill:none;stroke:" + colour + ";stroke-width:1\" cx=\"" + Number(cx) + "\" cy=\"" +
       Number(cy) + "\" r=\"" + Number(r) + "\"/>\n");
}

void SvgScene::Ellipse(double cx, double cy, double rx, double ry, double angle, const std::string& colour) {
  const std::string rotation = "rotate(" + Number(angle) + " " + Number(cx) + " " + Number(cy) + ")";
  Both("<ellipse style=\"fill:none;stroke:" + colour + ";stroke-width:1\" cx=\"" + Number(cx) + "\" cy=\"" +
       Number(cy) + "\" rx=\"" + Number(rx) + "\" ry=\"" + Number(ry) + "\" transform=\"" + rotation + "\"/>\n");
}

void SvgScene::Text(double x, double y, const std::string& text, double size, const std::string& anchor,
                    const std::string& baseline, double angle) {
  const std::string style = "fill:#000000;fill-opacity:1;stroke:none;font-family:Arial;font-size:" + Number(size) + "px";
  const std::string rotation =
      angle == 0 ? "" : " transform=\"rotate(" + Number(angle) + " " + Number(x) + " " + Number(y) + ")\"";
  m_dialect += "<text style=\"" + style + "\" x=\"" + Number(x) + "\" y=\"" + Number(y) + "\"" +
               (anchor.empty() ? "" : " text-anchor=\"" + anchor + "\"") +
               (baseline.empty() ? "" : " dominant-baseline=\"" + baseline + "\"") + rotation + ">" + text +
               "</text>\n";
  // The standard copy puts the baseline where the dialect's line alignment puts it.
  const double shift = baseline == "middle" ? kAscent - kLineHeight / 2
                       : baseline == "text-after-edge" ? kAscent - kLineHeight
                                                       : kAscent;
  const std::string textAnchor = anchor.empty() ? "start" : anchor;
  m_standard += "<g" + rotation + "><text style=\"" + style + "\" x=\"" + Number(x) + "\" y=\"" +
                Number(y + shift * size) + "\" text-anchor=\"" + textAnchor + "\">" + text + "</text></g>\n";
}

void SvgScene::MarkerDefinitions() {
  Both("<defs><rect id=\"square\" style=\"stroke-width:1\" x=\"-2\" y=\"-2\" width=\"4\" height=\"4\"/>"
       "<circle id=\"ring\" style=\"fill:none;stroke-width:1\" cx=\"0\" cy=\"0\" r=\"3\"/></defs>\n");
}

void SvgScene::Marker(const std::string& id, double x, double y, const std::string& colour) {
  const std::string style = id == "square" ? "fill:" + colour + ";fill-opacity:1;stroke:none" : "fill:none;stroke:" + colour;
  Both("<use xlink:href=\"#" + id + "\" x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" style=\"" + style +
       ";stroke-width:1\"/>\n");
}

void SvgScene::OpenClippedGroup(const std::string& id, double dx, double dy, double clipWidth, double clipHeight) {
  Both("<clipPath id=\"" + id + "\"><rect x=\"0\" y=\"0\" width=\"" + Number(clipWidth) + "\" height=\"" +
       Number(clipHeight) + "\"/></clipPath>\n<g transform=\"translate(" + Number(dx) + " " + Number(dy) +
       ")\" clip-path=\"url(#" + id + ")\">\n");
}

void SvgScene::CloseGroup() { Both("</g>\n"); }

std::string SvgScene::Dialect() const {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"" +
         Number(m_width) + "\" height=\"" + Number(m_height) + "\">\n" + m_dialect + "</svg>\n";
}

std::string SvgScene::Standard() const {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"" +
         Number(m_width) + "\" height=\"" + Number(m_height) + "\">\n" + m_standard + "</svg>\n";
}

SvgScene TypicalPlot(int points, int labels) {
  const int width = 800, height = 500, left = 60, top = 20, plotWidth = 720, plotHeight = 420;
  SvgScene scene(width, height);
  scene.Rect(0, 0, width, height, "fill:#ffffff;fill-opacity:1;stroke:none;stroke-width:1");
  scene.Rect(left, top, plotWidth, plotHeight, "fill:none;stroke:#000000;stroke-width:1");
  scene.Text(left - 40, top + plotHeight / 2.0, "RR (ms)", 12, "middle", "middle", -90);
  for (int i = 0; i < labels; ++i) {
    const bool vertical = i % 2 == 1;
    const int step = i / 2;
    if (!vertical) {
      const int x = left + step * plotWidth / (labels / 2);
      scene.Line(x, top + plotHeight, x, top + plotHeight + 4, "#000000");
      scene.Text(x, top + plotHeight + 6, std::to_string(step * 10), 9, "middle");
    } else {
      const int y = top + plotHeight - step * plotHeight / (labels / 2);
      scene.Line(left - 4, y, left, y, "#000000");
      scene.Text(left - 6, y, std::to_string(600 + step * 5), 9, "end", "middle");
    }
  }
  scene.Line(left, top + plotHeight / 2, left + plotWidth, top + plotHeight / 2, "#808080", "4,2");
  scene.OpenClippedGroup("plotArea", left, top, plotWidth, plotHeight);
  std::string d = "M";
  for (int i = 0; i < points; ++i) {
    const double x = 1.0 + i * (plotWidth - 2.0) / std::max(1, points - 1);
    const double y = plotHeight / 2.0 + plotHeight * 0.4 * std::sin(i * 0.013) * std::cos(i * 0.0021);
    d += " " + Number(std::round(x * 10) / 10) + " " + Number(std::round(y * 10) / 10);
    if (i == 0) d += " L";
  }
  scene.Path(d, "#0000c0", 1);
  scene.MarkerDefinitions();
  for (int i = 0; i < 20; ++i) scene.Marker(i % 2 ? "square" : "ring", 20 + i * 35, 60 + (i * 37) % 300, "#c00000");
  scene.CloseGroup();
  scene.Ellipse(700, 80, 30, 12, 20, "#008000");
  scene.Circle(120, 80, 15, "#008000");
  return scene;
}

std::string TypicalPlotDialect(int points, int labels) { return TypicalPlot(points, labels).Dialect(); }

}  // namespace svg_test
