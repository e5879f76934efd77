// `pendrel analyse --plots`: the six plot views opened on the analysis by the command line, each
// written as a PNG through its plot window and as the SVG its page hands over for a copy, read
// back by tools of their own (PIL, xmllint); and what the options refuse.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/tests/cli/pendrel_process.h"

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

class PlotsCommand : public ::testing::Test {
 protected:
  void SetUp() override { folder = MakeTempFolder(); }
  void TearDown() override { fs::remove_all(folder); }
  // Analyses a minute of the built-in sample with these plot options.
  ProcessResult Analyse(const std::vector<std::string>& options) {
    std::vector<std::string> arguments{"analyse", "--duration", "60"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return RunPendrel(arguments);
  }
  fs::path folder;
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
