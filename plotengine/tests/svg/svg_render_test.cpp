#include "plotengine/svg/render_plot_svg.h"

#include <boost/property_tree/exceptions.hpp>
#include <boost/property_tree/xml_parser.hpp>

#include <fstream>

#include "controls/gdiplus_starter.h"
#include "plotengine/svg/bad_svg_exception.h"
#include "platform/win32/metafile.h"
#include "svg_test_support.h"

namespace {

using svg_test::LoadPng;
using svg_test::PixelAt;

constexpr Gdiplus::ARGB kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kNone = 0;

std::string Svg(const std::string& body, const std::string& size = "width=\"60\" height=\"40\"") {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" " + size + ">" +
         body + "</svg>";
}

class SvgRender : public svg_test::SvgFiles {
 protected:
  std::unique_ptr<Gdiplus::Bitmap> Render(const std::string& body) {
    const std::string path = PathOf("render.png");
    Quor::RenderPlotSvg(Svg(body), "", Wide(path));
    return LoadPng(path);
  }
};

struct Probe {
  int x, y;
  Gdiplus::ARGB expected;
};

void ExpectPixels(const Gdiplus::Bitmap& bitmap, std::initializer_list<Probe> probes, const std::string& what) {
  for (const Probe& p : probes) EXPECT_EQ(PixelAt(bitmap, p.x, p.y), p.expected) << what << " at " << p.x << "," << p.y;
}

TEST_F(SvgRender, ElementsDrawAsTheDialectSays) {
  const struct {
    std::string what, body;
    std::initializer_list<Probe> probes;
  } cases[] = {
      {"a filled rect is not outlined",
       R"svg(<rect style="fill:#ff0000;stroke:#0000ff;stroke-width:3" x="10" y="10" width="20" height="10"/>)svg",
       {{20, 15, kRed}, {10, 10, kRed}, {29, 19, kRed}, {9, 15, kNone}, {30, 15, kNone}}},
      {"an unfilled rect is outlined",
       R"svg(<rect style="fill:none;stroke:#0000ff;stroke-width:2" x="10" y="10" width="20" height="10"/>)svg",
       {{20, 15, kNone}, {20, 10, kBlue}, {10, 15, kBlue}}},
      {"a circle is outlined, never filled",
       R"svg(<circle style="fill:#ff0000;stroke:#0000ff;stroke-width:4" cx="30" cy="20" r="10"/>)svg",
       {{30, 20, kNone}, {40, 20, kBlue}, {30, 10, kBlue}}},
      {"a path is drawn half a pixel up and left",
       R"svg(<path style="stroke:#0000ff;stroke-width:1" d="M 5 20 L 50 20 M 5 30 L50 30"/>)svg",
       {{20, 19, kBlue}, {20, 20, kNone}, {20, 29, kBlue}, {2, 19, kNone}}},
      {"a line runs between whole pixels",
       R"svg(<line style="stroke:#0000ff;stroke-width:2" x1="5.9" y1="20" x2="50.9" y2="20"/>)svg",
       {{5, 19, kBlue}, {49, 20, kBlue}, {50, 20, kNone}}},
      {"a dashed line dashes in multiples of its width",
       R"svg(<line style="stroke:#0000ff;stroke-width:2;stroke-dasharray:2,1" x1="0" y1="20" x2="60" y2="20"/>)svg",
       {{1, 20, kBlue}, {3, 20, kBlue}, {4, 20, kNone}, {5, 20, kNone}, {6, 20, kBlue}}},
      {"a translated group, with and without a comma",
       R"svg(<g transform="translate(20 10)"><rect style="fill:#ff0000" x="0" y="0" width="5" height="5"/></g>
          <g transform="translate(20,10)"><rect style="fill:#0000ff" x="0" y="20" width="5" height="5"/></g>)svg",
       {{22, 12, kRed}, {2, 2, kNone}, {2, 22, kBlue}, {22, 32, kNone}}},
      {"a clipped group clips in its own coordinates",
       R"svg(<defs/><clipPath id="c"><rect x="0" y="0" width="10" height="10"/></clipPath>
          <g transform="translate(20 10)" clip-path="url(#c)">
            <rect style="fill:#ff0000" x="-5" y="-5" width="40" height="40"/></g>
          <rect style="fill:#0000ff" x="0" y="30" width="5" height="5"/>)svg",
       {{20, 10, kRed}, {29, 19, kRed}, {30, 15, kNone}, {19, 15, kNone}, {2, 32, kBlue}}},
      {"markers through use take the use's position and style; the definition's win",
       R"svg(<defs><rect id="m" style="stroke-width:1" x="-2" y="-2" width="4" height="4"/></defs>
          <use xlink:href="#m" x="10" y="10" style="fill:#ff0000"/>
          <use xlink:href="#m" x="40" y="30" style="fill:#0000ff"/>)svg",
       {{10, 10, kRed}, {40, 30, kBlue}, {25, 20, kNone}}},
  };
  for (const auto& c : cases) {
    const auto bitmap = Render(c.body);
    ASSERT_TRUE(bitmap) << c.what;
    ExpectPixels(*bitmap, c.probes, c.what);
  }
}

TEST_F(SvgRender, StylesCarryOverInDocumentOrder) {
  const auto bitmap = Render(R"svg(<rect style="fill:#ff0000" x="0" y="0" width="5" height="5"/>
      <g><rect style="stroke:#00ff00" x="10" y="0" width="5" height="5"/></g>
      <rect style="" x="20" y="0" width="5" height="5"/>)svg");
  ASSERT_TRUE(bitmap);
  ExpectPixels(*bitmap, {{2, 2, kRed}, {12, 2, kRed}, {22, 2, kRed}}, "fill kept");
}

TEST_F(SvgRender, TextAnchorsBaselinesAndRotation) {
  // The ink of "HH" around the anchor (30, 20): columns and rows where ink may be.
  const struct {
    std::string attributes;
    int left, right, top, bottom;
  } cases[] = {
      {R"svg(x="30" y="20")svg", 30, 50, 20, 36},
      {R"svg(x="30" y="20" text-anchor="middle" dominant-baseline="middle")svg", 18, 42, 11, 29},
      {R"svg(x="30" y="20" text-anchor="end" dominant-baseline="text-after-edge")svg", 10, 31, 4, 21},
      {R"svg(x="30" y="20" transform="rotate(-90 30 20)")svg", 29, 47, 0, 21},  // reads upwards
  };
  for (const auto& c : cases) {
    const auto bitmap =
        Render("<text style=\"fill:#000000;font-size:14px;font-family:Arial\" " + c.attributes + "> HH </text>");
    ASSERT_TRUE(bitmap);
    int left = 60, right = 0, top = 40, bottom = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 60; ++x)
        if (PixelAt(*bitmap, x, y) >> 24 > 128) {
          left = std::min(left, x), right = std::max(right, x + 1), top = std::min(top, y), bottom = std::max(bottom, y + 1);
        }
    EXPECT_GE(left, c.left) << c.attributes;
    EXPECT_LE(right, c.right) << c.attributes;
    EXPECT_GE(top, c.top) << c.attributes;
    EXPECT_LE(bottom, c.bottom) << c.attributes;
    EXPECT_LT(left, right) << c.attributes;
  }
}

TEST_F(SvgRender, BlurredRectsShadeOutwards) {
  const auto bitmap = Render(R"svg(<filter id="s"><feGaussianBlur in="SourceAlpha" stdDeviation="2"/></filter>
      <rect style="fill:#ff0000" x="20" y="10" width="20" height="20" filter="url(#s)"/>)svg");
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(PixelAt(*bitmap, 30, 20), kRed);  // the rectangle drawn again over its shadow
  EXPECT_EQ(PixelAt(*bitmap, 10, 20), kNone);
}

TEST_F(SvgRender, DefinitionsBelongToOneRenderAndUnknownUsesBlockNothing) {
  const std::string marker = R"svg(<defs><rect id="m" style="" x="0" y="0" width="4" height="4"/></defs>)svg";
  auto first = Render(marker + R"svg(<use xlink:href="#m" x="0" y="0" style="fill:#ff0000"/>)svg");
  ASSERT_TRUE(first);
  EXPECT_EQ(PixelAt(*first, 1, 1), kRed);
  // A render without the definition draws nothing for the use.
  auto second = Render(R"svg(<use xlink:href="#m" x="0" y="0" style="fill:#ff0000"/>)svg");
  ASSERT_TRUE(second);
  EXPECT_EQ(PixelAt(*second, 1, 1), kNone);
  // A use before its definition does not keep the later definition out.
  auto third = Render(R"svg(<use xlink:href="#n" x="0" y="0" style="fill:#ff0000"/>
      <defs><rect id="n" style="" x="0" y="0" width="4" height="4"/></defs>
      <use xlink:href="#n" x="10" y="0" style="fill:#0000ff"/>)svg");
  ASSERT_TRUE(third);
  EXPECT_EQ(PixelAt(*third, 1, 1), kNone);
  EXPECT_EQ(PixelAt(*third, 11, 1), kBlue);
}

TEST_F(SvgRender, StartsGdiplusWhenNothingElseHas) {
  ReleaseGdiplusStarter();
  ASSERT_FALSE(Gdiplus::IsGdiplusRunning());
  const auto bitmap = Render(R"svg(<rect style="fill:#ff0000" x="0" y="0" width="5" height="5"/>)svg");
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(PixelAt(*bitmap, 2, 2), kRed);
}

TEST_F(SvgRender, ExtensionsInAnyCaseAndTheInMemoryMetafile) {
  const std::string svg = Svg(R"svg(<rect style="fill:#ff0000;font-family:Arial" x="0" y="0" width="5" height="5"/>)svg");
  for (const char* name : {"upper.PNG", "mixed.Png", "photo.JPG", "photo.jpeg", "anim.gif", "scan.TIF", "scan.tiff"}) {
    EXPECT_NO_THROW(Quor::RenderPlotSvg(svg, "", Wide(PathOf(name)))) << name;
    EXPECT_TRUE(std::filesystem::exists(PathOf(name))) << name;
  }
  EXPECT_EQ(LoadPng(PathOf("upper.PNG")) ? PixelAt(*LoadPng(PathOf("upper.PNG")), 1, 1) : 0, kRed);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder), {}), 7);  // no partial files

  auto renderer = Quor::RenderPlotSvg(svg, "app", u"");
  const HENHMETAFILE metafile = renderer->DetachMetafile();
  ASSERT_NE(metafile, nullptr);
  EXPECT_GE(win32::MetafileCallCount(metafile), 1u);
  EXPECT_EQ(renderer->DetachMetafile(), nullptr);
  DeleteEnhMetaFile(metafile);
}

TEST_F(SvgRender, BadInputFailsAndLeavesNoFile) {
  std::string nested;
  for (int i = 0; i < 10000; ++i) nested += "<g>";
  for (int i = 0; i < 10000; ++i) nested += "</g>";
  enum Kind { Xml, MissingNode, BadSvg, Runtime };
  const struct {
    std::string what, svg;
    Kind kind;
  } cases[] = {
      {"not well-formed", Svg("<rect"), Xml},
      {"a missing attribute", Svg(R"svg(<rect style="fill:#ff0000" y="0" width="5" height="5"/>)svg"), MissingNode},
      {"a root that is not svg", "<html width=\"10\" height=\"10\"/>", MissingNode},
      {"a use of itself", Svg(R"svg(<defs><g id="a"><use xlink:href="#a" x="1" y="1" style=""/></g></defs>
                                 <use xlink:href="#a" x="0" y="0" style=""/>)svg"), BadSvg},
      {"a cycle of definitions", Svg(R"svg(<defs><g id="a"><use xlink:href="#b" x="1" y="1" style=""/></g>
                                       <g id="b"><use xlink:href="#a" x="1" y="1" style=""/></g></defs>
                                       <use xlink:href="#a" x="0" y="0" style=""/>)svg"), BadSvg},
      {"10,000 nested groups", Svg(nested), BadSvg},
      {"a path in a clip definition", Svg(R"svg(<clipPath id="c"><path style="" d="M 0 0 L 1 1"/></clipPath>)svg"), BadSvg},
      {"a blur outside a filter", Svg(R"svg(<feGaussianBlur in="SourceAlpha" stdDeviation="1"/>)svg"), BadSvg},
      {"a blur of the wrong input", Svg(R"svg(<filter id="f"><feGaussianBlur in="SourceGraphic" stdDeviation="1"/></filter>)svg"), BadSvg},
      {"a root sized with units", Svg("", "width=\"100px\" height=\"40\""), Runtime},
      {"a root without a size", Svg("", ""), Runtime},
      {"a root of zero width", Svg("", "width=\"0\" height=\"40\""), Runtime},
  };
  const std::string target = PathOf("existing.png");
  for (const auto& c : cases) {
    { std::ofstream(target) << "kept"; }
    try {
      Quor::RenderPlotSvg(c.svg, "", Wide(target));
      ADD_FAILURE() << c.what << ": no exception";
    } catch (const boost::property_tree::xml_parser_error&) {
      EXPECT_EQ(c.kind, Xml) << c.what;
    } catch (const boost::property_tree::ptree_bad_path&) {
      EXPECT_EQ(c.kind, MissingNode) << c.what;
    } catch (const Quor::bad_svg_exception& e) {
      EXPECT_EQ(c.kind, BadSvg) << c.what;
      EXPECT_STREQ(e.what(), "Printable SVG generated by this plot is invalid");
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(c.kind, Runtime) << c.what << ": " << e.what();
    }
    std::ifstream kept(target);
    std::string text;
    kept >> text;
    EXPECT_EQ(text, "kept") << c.what;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder), {}), 1) << c.what;
  }
}

TEST_F(SvgRender, UnwritableTargetsAndUnknownTypesReportFailure) {
  const std::string svg = Svg(R"svg(<rect style="fill:#ff0000" x="0" y="0" width="5" height="5"/>)svg");
  for (const std::string& path : {PathOf("missing/plot.png"), PathOf("plot.svg"), PathOf("plot.bmp"), PathOf("plot")}) {
    EXPECT_THROW(Quor::RenderPlotSvg(svg, "", Wide(path)), std::runtime_error) << path;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder), {}), 0);
}

TEST_F(SvgRender, OddValuesRenderWithoutFailing) {
  const auto bitmap = Render(
      R"svg(<line style="stroke:#0000ff;stroke-dasharray:1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1" x1="0" y1="5" x2="60" y2="5"/>
         <rect style="fill:#ff0000;font-family:a\b;stroke:rgba(100000000000000000000,0,0,1)" x="0" y="10" width="5" height="5"/>
         <line style="stroke:#0000ff" x1="1e30" y1="-1e30" x2="nan" y2="3"/>)svg");
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(PixelAt(*bitmap, 2, 12), kRed);
  EXPECT_GT(PixelAt(*bitmap, 0, 5) >> 24, 0u);  // the dashed line is drawn
}

}  // namespace
