// Test scenes written twice: in the printable SVG dialect for our renderer, and as standard SVG
// for an independent renderer, with the dialect's own rules compensated in the standard copy
// (paths half a pixel up and left; text placed by the top of its line, not its baseline).
// Every element sets its fill, stroke and stroke width, so the dialect's carried-over style and
// standard inheritance agree.
#pragma once

#include <string>

namespace svg_test {

class SvgScene {
 public:
  SvgScene(int width, int height) : m_width(width), m_height(height) {}

  void Rect(double x, double y, double width, double height, const std::string& style);
  void Line(int x1, int y1, int x2, int y2, const std::string& colour, const std::string& dashes = "");
  void Path(const std::string& d, const std::string& colour, double width);
  void Circle(double cx, double cy, double r, const std::string& colour);
  void Ellipse(double cx, double cy, double rx, double ry, double angle, const std::string& colour);
  // `anchor` start, middle or end; `baseline` empty, middle or text-after-edge.
  void Text(double x, double y, const std::string& text, double size, const std::string& anchor = "",
            const std::string& baseline = "", double angle = 0);
  void MarkerDefinitions();
  void Marker(const std::string& id, double x, double y, const std::string& colour);
  void OpenClippedGroup(const std::string& id, double dx, double dy, double clipWidth, double clipHeight);
  void CloseGroup();

  std::string Dialect() const;
  std::string Standard() const;

 private:
  void Both(const std::string& text) {
    m_dialect += text;
    m_standard += text;
  }
  int m_width, m_height;
  std::string m_dialect, m_standard;
};

// A plot as the scripts draw one: a frame, axes, ticks, `labels` labels, a path of `points`
// points in a clipped group, and markers.
std::string TypicalPlotDialect(int points, int labels);
SvgScene TypicalPlot(int points, int labels);

}  // namespace svg_test
