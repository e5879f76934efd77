// Our renders against an independent SVG renderer (rsvg-convert) on scenes in the part of the
// dialect that standard SVG shares. Images agree when 99% of pixels lie within 16 per channel
// of some pixel in the other image's 3x3 neighbourhood (a difference image is written otherwise);
// text, whose glyphs the two lay out a little differently, agrees by the box of its ink.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>

#include "plotengine/svg/render_plot_svg.h"
#include "svg_scene.h"
#include "svg_test_support.h"

namespace {

using svg_test::LoadPng;
using svg_test::SvgScene;

// Composited over white, as both are compared.
Gdiplus::ARGB OnWhite(const Gdiplus::Bitmap& bitmap, int x, int y) {
  const Gdiplus::ARGB c = svg_test::PixelAt(bitmap, x, y);
  const unsigned a = c >> 24;
  auto blend = [a](unsigned v) { return 255 - (255 - v) * a / 255; };
  return blend(c >> 16 & 0xFF) << 16 | blend(c >> 8 & 0xFF) << 8 | blend(c & 0xFF);
}

bool Close(Gdiplus::ARGB a, Gdiplus::ARGB b) {
  for (int shift : {0, 8, 16})
    if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > 16) return false;
  return true;
}

bool MatchedNearby(const Gdiplus::Bitmap& image, const Gdiplus::Bitmap& other, int x, int y) {
  const Gdiplus::ARGB colour = OnWhite(image, x, y);
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      const int ox = x + dx, oy = y + dy;
      if (ox >= 0 && oy >= 0 && ox < int(other.GetWidth()) && oy < int(other.GetHeight()) &&
          Close(colour, OnWhite(other, ox, oy)))
        return true;
    }
  return false;
}

class SvgAgainstReference : public svg_test::SvgFiles {
 protected:
  struct Renders {
    std::unique_ptr<Gdiplus::Bitmap> ours, reference;
  };

  // The scene drawn by us and by the reference renderer; both null when either failed.
  Renders RenderBoth(const SvgScene& scene, const std::string& name) {
    const std::string ours = PathOf(name + ".png"), standard = PathOf(name + ".svg"),
                      reference = PathOf(name + "-reference.png");
    Quor::RenderPlotSvg(scene.Dialect(), "", Wide(ours));
    std::ofstream(standard) << scene.Standard();
    const std::string command = "rsvg-convert -b white -o '" + reference + "' '" + standard + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    Renders renders{LoadPng(ours), LoadPng(reference)};
    if (!renders.ours || !renders.reference || renders.ours->GetWidth() != renders.reference->GetWidth() ||
        renders.ours->GetHeight() != renders.reference->GetHeight()) {
      ADD_FAILURE() << name << ": images missing or of different sizes";
      return {};
    }
    return renders;
  }

  // The share of pixels that match, both ways; writes the difference image when under 99%.
  double Agreement(const SvgScene& scene, const std::string& name) {
    const Renders renders = RenderBoth(scene, name);
    if (!renders.ours) return 0;
    const Gdiplus::Bitmap* mine = renders.ours.get();
    const Gdiplus::Bitmap* theirs = renders.reference.get();
    const std::string ours = PathOf(name + ".png"), standard = PathOf(name + ".svg"),
                      reference = PathOf(name + "-reference.png");
    const int width = int(mine->GetWidth()), height = int(mine->GetHeight());
    Gdiplus::Bitmap difference(width, height);
    int mismatched = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const bool same = MatchedNearby(*mine, *theirs, x, y) && MatchedNearby(*theirs, *mine, x, y);
        mismatched += !same;
        difference.SetPixel(x, y, Gdiplus::Color(same ? 0xFFFFFFFF : 0xFFFF0000));
      }
    const double agreement = 1.0 - double(mismatched) / (width * height);
    if (agreement < 0.99) {
      const auto kept = std::filesystem::temp_directory_path() / ("rhyth-svg-difference-" + name);
      std::filesystem::create_directories(kept);
      std::filesystem::copy_file(ours, kept / "ours.png", std::filesystem::copy_options::overwrite_existing);
      std::filesystem::copy_file(reference, kept / "reference.png", std::filesystem::copy_options::overwrite_existing);
      std::filesystem::copy_file(standard, kept / "reference.svg", std::filesystem::copy_options::overwrite_existing);
      ADD_FAILURE() << name << ": " << agreement * 100 << "% of pixels agree; images kept in " << kept;
    }
    return agreement;
  }
};

TEST_F(SvgAgainstReference, ShapesMarkersAndClippedGroups) {
  SvgScene scene(200, 120);
  scene.Rect(0, 0, 200, 120, "fill:#ffffff;fill-opacity:1;stroke:none;stroke-width:1");
  scene.Rect(10, 10, 50, 30, "fill:#ff8000;fill-opacity:1;stroke:none;stroke-width:1");
  scene.Rect(70.5, 10.5, 50, 30, "fill:none;stroke:#0000ff;stroke-width:1");
  scene.Rect(130, 10, 50, 30, "fill:#00ff00;fill-opacity:0.5;stroke:none;stroke-width:1");
  scene.Line(10, 60, 190, 60, "#000000");
  scene.Line(10, 65, 190, 65, "#ff0000", "3,2");
  scene.Path("M 10 80 L 40 100 L 70 75 L 100 110", "#008000", 2);
  scene.Circle(130, 90, 15, "#800080");
  scene.Ellipse(170, 90, 20, 8, 30, "#008080");
  scene.MarkerDefinitions();
  scene.OpenClippedGroup("clip", 100, 40, 40, 15);
  scene.Rect(-10, -10, 100, 100, "fill:#ffff00;fill-opacity:1;stroke:none;stroke-width:1");
  scene.Marker("square", 5, 5, "#0000ff");
  scene.CloseGroup();
  scene.Marker("ring", 20, 50, "#ff00ff");
  scene.Marker("square", 40, 50, "#ff00ff");
  EXPECT_GE(Agreement(scene, "shapes"), 0.99);
}

// Left, top, right and bottom of the pixels darker than mid-grey.
std::array<int, 4> InkBox(const Gdiplus::Bitmap& bitmap) {
  std::array<int, 4> box{int(bitmap.GetWidth()), int(bitmap.GetHeight()), -1, -1};
  for (int y = 0; y < int(bitmap.GetHeight()); ++y)
    for (int x = 0; x < int(bitmap.GetWidth()); ++x)
      if ((OnWhite(bitmap, x, y) & 0xFF) < 128)
        box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
  return box;
}

// The two lay glyphs out with slightly different advances at small sizes, so a line's length
// may differ by a few per cent; where the anchor and the baseline put it must not.
TEST_F(SvgAgainstReference, TextAnchoredAndRotated) {
  enum Edge { Left, Top, Right, Bottom };
  const struct {
    double x, y;
    const char* text;
    double size;
    const char *anchor, *baseline;
    double angle;
    std::vector<Edge> placed;  // the edges the anchor and baseline fix
  } cases[] = {
      {10, 10, "Start top", 12, "", "", 0, {Left, Top, Bottom}},
      {120, 40, "Middle", 14, "middle", "middle", 0, {Top, Bottom}},
      {230, 80, "End bottom", 10, "end", "text-after-edge", 0, {Right, Top, Bottom}},
      {20, 110, "Rotated", 12, "start", "", -90, {Left, Right, Bottom}},
      {120, 60, "Centre turned", 11, "middle", "middle", -90, {Left, Right}},
  };
  for (const auto& c : cases) {
    SvgScene scene(240, 120);
    scene.Rect(0, 0, 240, 120, "fill:#ffffff;fill-opacity:1;stroke:none;stroke-width:1");
    scene.Text(c.x, c.y, c.text, c.size, c.anchor, c.baseline, c.angle);
    const Renders renders = RenderBoth(scene, "text");
    ASSERT_TRUE(renders.ours) << c.text;
    const auto ours = InkBox(*renders.ours), reference = InkBox(*renders.reference);
    const double length = std::max(reference[Right] - reference[Left], reference[Bottom] - reference[Top]);
    for (int edge : {Left, Top, Right, Bottom}) {
      const bool placed = std::find(c.placed.begin(), c.placed.end(), edge) != c.placed.end();
      EXPECT_NEAR(ours[edge], reference[edge], placed ? 2 : 2 + 0.1 * length) << c.text << ", edge " << edge;
    }
  }
}

TEST_F(SvgAgainstReference, ATypicalPlot) {
  EXPECT_GE(Agreement(svg_test::TypicalPlot(5000, 200), "plot"), 0.99);
}

}  // namespace
