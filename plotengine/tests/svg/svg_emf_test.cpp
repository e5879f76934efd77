// A plot saved as an EMF file, read by independent tools: printemf lists its records, and
// emf2svg-conv's SVG of it, drawn by rsvg-convert, looks like our PNG of the same plot. The
// metafile is drawn through plain GDI records, without smoothing, so colours are compared
// loosely (within 140 per channel) but places strictly (within one pixel).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "plotengine/svg/render_plot_svg.h"
#include "plotengine/tests/plotengine_test_support.h"
#include "svg_scene.h"
#include "svg_test_support.h"

namespace {

using svg_test::LoadPng;
using svg_test::PixelAt;

int OnWhiteChannel(Gdiplus::ARGB colour, int shift) {
  const int a = int(colour >> 24);
  return 255 - (255 - int(colour >> shift & 0xFF)) * a / 255;
}

bool Near(Gdiplus::ARGB a, Gdiplus::ARGB b) {
  for (int shift : {0, 8, 16})
    if (std::abs(OnWhiteChannel(a, shift) - OnWhiteChannel(b, shift)) > 140) return false;
  return true;
}

// Shapes of every kind the metafile holds, on whole pixels, without text or transparency.
svg_test::SvgScene Shapes() {
  svg_test::SvgScene scene(200, 120);
  scene.Rect(0, 0, 200, 120, "fill:#ffffff;fill-opacity:1;stroke:none;stroke-width:1");
  scene.Rect(10, 10, 50, 30, "fill:#ff8000;fill-opacity:1;stroke:none;stroke-width:1");
  scene.Rect(70, 10, 50, 30, "fill:none;stroke:#0000ff;stroke-width:2");
  scene.Line(10, 60, 190, 60, "#000000");
  scene.Path("M 10 80 L 40 100 L 70 75 L 100 110", "#008000", 2);
  scene.Circle(130, 90, 15, "#800080");
  scene.Ellipse(170, 90, 20, 8, 30, "#008080");
  scene.MarkerDefinitions();
  scene.OpenClippedGroup("clip", 130, 10, 40, 15);
  scene.Rect(-10, -10, 100, 100, "fill:#ffff00;fill-opacity:1;stroke:none;stroke-width:1");
  scene.CloseGroup();
  scene.Marker("square", 40, 50, "#ff00ff");
  return scene;
}

class SvgToEmf : public svg_test::SvgFiles {};

TEST_F(SvgToEmf, IndependentReadersSeeThePlot) {
  if (!CommandsInstalled({"printemf", "emf2svg-conv", "rsvg-convert"}))
    GTEST_SKIP() << "printemf, emf2svg-conv (emf2svg) or rsvg-convert (librsvg2-bin) is not installed";
  const svg_test::SvgScene scene = Shapes();
  const std::string emf = PathOf("plot.emf"), svg = PathOf("plot.svg"), converted = PathOf("converted.png"),
                    ours = PathOf("plot.png");
  ASSERT_NO_THROW(Quor::RenderPlotSvg(scene.Dialect(), "", Wide(emf)));
  ASSERT_TRUE(std::filesystem::exists(emf));
  Quor::RenderPlotSvg(scene.Dialect(), "", Wide(ours));

  const std::string listing = CommandOutput("printemf '" + emf + "' 2>&1");
  for (const char* record : {"*HEADER*", "*EXTCREATEPEN*", "*POLYGON*", "*POLYLINE*", "*EOF*"})
    EXPECT_NE(listing.find(record), std::string::npos) << record << " in\n" << listing.substr(0, 2000);

  ASSERT_EQ(std::system(("emf2svg-conv -i '" + emf + "' -o '" + svg + "' && rsvg-convert -b white '" + svg +
                         "' -o '" + converted + "'")
                            .c_str()),
            0);
  const auto theirs = LoadPng(converted), mine = LoadPng(ours);
  ASSERT_TRUE(theirs && mine);
  const int width = std::min<int>(mine->GetWidth(), theirs->GetWidth());
  const int height = std::min<int>(mine->GetHeight(), theirs->GetHeight());
  ASSERT_GE(width, 198);
  ASSERT_GE(height, 118);
  int mismatched = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      bool near = false;
      for (int dy = -1; dy <= 1 && !near; ++dy)
        for (int dx = -1; dx <= 1 && !near; ++dx) {
          const int nx = x + dx, ny = y + dy;
          near = nx >= 0 && ny >= 0 && nx < width && ny < height && Near(PixelAt(*theirs, x, y), PixelAt(*mine, nx, ny));
        }
      mismatched += !near;
    }
  EXPECT_LT(double(mismatched) / (width * height), 0.01) << mismatched << " pixels differ";
}

}  // namespace
