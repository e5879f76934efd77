// `pendrel analyse --plots`: the six plot views opened on the analysis by the command line, each
// written as a PNG through its plot window and as the SVG its page hands over for a copy, read
// back by tools of their own (PIL, xmllint, rsvg-convert); and what the options refuse.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/tests/cli/temp_folder_test.h"

namespace CliTest {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

const std::vector<std::string> kPlotIds = {
    "rhyth_tachogram_view",  "rhyth_rr_histogram_view", "rhyth_delta_rr_histogram_view",
    "rhyth_poincare_view",   "rhyth_spectrum_view",     "rhyth_classifier_view"};

std::string CommandOutput(const std::string& command) {
  std::string text;
  if (FILE* pipe = popen((command + " 2>&1").c_str(), "r")) {
    char buffer[512];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    pclose(pipe);
  }
  return text;
}

// "WIDTH HEIGHT" of a PNG as PIL decodes it.
std::string PngSize(const fs::path& png) {
  return CommandOutput("/usr/bin/python3 -c \"import sys; from PIL import Image; im = Image.open(sys.argv[1]);"
                       " im.load(); print(im.size[0], im.size[1])\" '" + png.string() + "'");
}

bool SvgWellFormed(const fs::path& svg) {
  return std::system(("xmllint --noout '" + svg.string() + "' 2>/dev/null").c_str()) == 0;
}

// How many pixels of a PNG, laid over white, show one of the colours ("R,G,B") laid over white
// at 40 % or more: a line's smoothed edges and a translucent fill count, a grey grid does not.
int InkedPixels(const fs::path& png, const std::vector<std::string>& colours) {
  std::string list;
  for (const std::string& colour : colours) list += " " + colour;
  const std::string counted = CommandOutput(
      "/usr/bin/python3 -c \"import sys; from PIL import Image\n"
      "wanted = [tuple(255 - int(v) for v in c.split(',')) for c in sys.argv[2:]]\n"
      "image = Image.open(sys.argv[1]).convert('RGBA')\n"
      "page = Image.new('RGBA', image.size, 'white'); page.alpha_composite(image)\n"
      "def inked(p):\n"
      "  q = [255 - v for v in p]\n"
      "  for d in wanted:\n"
      "    t = sum(a * b for a, b in zip(q, d)) / sum(a * a for a in d)\n"
      "    if t >= 0.4 and max(abs(a - t * b) for a, b in zip(q, d)) <= 8: return True\n"
      "  return False\n"
      "print(sum(inked(p) for p in page.convert('RGB').getdata()))\""
      " '" + png.string() + "'" + list);
  try {
    return std::stoi(counted);
  } catch (const std::exception&) {
    ADD_FAILURE() << counted;
    return 0;
  }
}

class PlotsCommand : public InTempFolder {
 protected:
  // Analyses a minute of the built-in sample with these plot options.
  ProcessResult Analyse(const std::vector<std::string>& options) {
    std::vector<std::string> arguments{"analyse", "--duration", "60"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return RunPendrel(arguments);
  }
};

TEST_F(PlotsCommand, WritesEachViewAsPngAndSvgAtThePlotSize) {
  const fs::path plots = folder / "plots";
  const ProcessResult result = Analyse({"--plots", plots.string(), "--plot-size", "640x480"});
  if (result.err.find("is a browser installed") != std::string::npos) GTEST_SKIP() << result.err;
  ASSERT_EQ(result.status, 0) << result.err;
  for (const std::string& id : kPlotIds) {
    SCOPED_TRACE(id);
    EXPECT_EQ(PngSize(plots / (id + ".png")), "640 480\n");
    EXPECT_TRUE(SvgWellFormed(plots / (id + ".svg")));
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(plots), fs::directory_iterator()), 12)
      << "nothing but the twelve files is left behind";
}

// The colours each view draws its data in: the host's channel colour (blue; the histograms'
// bars at 80 %), the classifier's points in their class colours but the red of its box.
const std::vector<std::pair<std::string, std::vector<std::string>>> kSeriesColours = {
    {"rhyth_tachogram_view", {"0,0,200"}},
    {"rhyth_rr_histogram_view", {"0,0,200"}},
    {"rhyth_delta_rr_histogram_view", {"0,0,200"}},
    {"rhyth_poincare_view", {"0,0,200"}},
    {"rhyth_spectrum_view", {"0,0,200"}},
    {"rhyth_classifier_view", {"0,80,255", "255,0,170", "255,170,0"}}};

TEST_F(PlotsCommand, TheExcerptsPlotsShowTheirSeriesAndTheSvgRendersElsewhere) {
  if (!fs::exists(MitdbExcerpt())) GTEST_SKIP() << "no shared data at " << SharedDataFolder();
  const fs::path plots = folder / "plots";
  const ProcessResult result = RunPendrel(
      {"analyse", MitdbExcerpt().string(), "--plots", plots.string(), "--plot-size", "700x500"});
  if (result.err.find("is a browser installed") != std::string::npos) GTEST_SKIP() << result.err;
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(std::distance(fs::directory_iterator(plots), fs::directory_iterator()), 12);
  for (const auto& [id, colours] : kSeriesColours) {
    SCOPED_TRACE(id);
    const fs::path png = plots / (id + ".png");
    const fs::path svg = plots / (id + ".svg");
    EXPECT_EQ(PngSize(png), "700 500\n");
    EXPECT_GT(InkedPixels(png, colours), 200) << "the series is drawn";
    ASSERT_TRUE(SvgWellFormed(svg));
    const fs::path rendered = folder / (id + ".rendered.png");
    ASSERT_EQ(std::system(("rsvg-convert -o '" + rendered.string() + "' '" + svg.string() + "'")
                              .c_str()),
              0);
    EXPECT_GT(InkedPixels(rendered, colours), 200) << "the SVG draws the series too";
    // Other readers fill a shape that names no fill black; here only texts, axes and outlines.
    EXPECT_LT(InkedPixels(rendered, {"0,0,0"}), 700 * 500 / 50) << "a shape filled black";
  }
}

TEST_F(PlotsCommand, AViewThatFailsIsNamedAndTheOthersAreStillWritten) {
  const fs::path plots = folder / "plots";
  // A folder where the spectrum's image should go: its image cannot be written.
  fs::create_directories(plots / "rhyth_spectrum_view.png");
  const ProcessResult result = Analyse({"--plots", plots.string()});
  if (result.err.find("is a browser installed") != std::string::npos) GTEST_SKIP() << result.err;
  EXPECT_NE(result.status, 0);
  EXPECT_THAT(result.err, HasSubstr("rhyth_spectrum_view: cannot write"));
  EXPECT_TRUE(fs::is_directory(plots / "rhyth_spectrum_view.png")) << "left as it was";
  for (const std::string& id : kPlotIds) {
    SCOPED_TRACE(id);
    if (id != "rhyth_spectrum_view") {
      EXPECT_EQ(PngSize(plots / (id + ".png")), "800 600\n");
    }
    EXPECT_TRUE(SvgWellFormed(plots / (id + ".svg")));
  }
  EXPECT_THAT(result.out, HasSubstr("Average RR")) << "the measurements are printed all the same";
}

TEST_F(PlotsCommand, RefusesPlotSizesAndFoldersThatCannotBeUsed) {
  const fs::path file = folder / "a-file";
  WriteText(file, "kept");
  struct Case {
    std::vector<std::string> options;
    int status;
    const char* message;
  };
  const std::string plots = (folder / "plots").string();
  const std::vector<Case> cases = {
      {{"--plots", plots, "--plot-size", "800"}, 2, "--plot-size takes WIDTHxHEIGHT"},
      {{"--plots", plots, "--plot-size", "800x"}, 2, "--plot-size takes WIDTHxHEIGHT"},
      {{"--plots", plots, "--plot-size", "x600"}, 2, "--plot-size takes WIDTHxHEIGHT"},
      {{"--plots", plots, "--plot-size", "wide x tall"}, 2, "--plot-size takes WIDTHxHEIGHT"},
      {{"--plots", plots, "--plot-size", "800x600x2"}, 2, "--plot-size takes WIDTHxHEIGHT"},
      {{"--plots", plots, "--plot-size", "50x600"}, 2, "each side is from 100 to 4000 pixels"},
      {{"--plots", plots, "--plot-size", "800x5000"}, 2, "each side is from 100 to 4000 pixels"},
      {{"--plots", plots, "--plot-size", "-800x600"}, 2, "each side is from 100 to 4000 pixels"},
      {{"--plot-size", "800x600"}, 2, "--plot-size applies to --plots"},
      {{"--plots"}, 2, "--plots needs a value"},
      {{"--plots", file.string()}, 1, "cannot write plots into"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.options));
    const ProcessResult result = Analyse(c.options);
    EXPECT_EQ(result.status, c.status);
    EXPECT_THAT(result.err, HasSubstr(c.message));
    EXPECT_EQ(result.out, "") << "nothing is analysed";
  }
  EXPECT_EQ(ReadText(file), "kept");
  EXPECT_FALSE(fs::exists(plots));
}

}  // namespace
}  // namespace CliTest
