// `pendrel run` through the settings dialog into the advanced detector settings it opens with
// Advanced...: the values typed there analyse as `pendrel analyse --set` does, its preview is
// written as a picture, and what either dialog refuses stops the script with nothing applied.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>

#include "host/tests/cli/temp_folder_test.h"

namespace CliTest {
namespace {

namespace fs = std::filesystem;

// A noisy sample, on which the minimum peak height changes which beats are found.
const std::vector<std::string> kNoisySample = {"--duration", "30", "--noise", "0.6"};

std::string SampleLine() {
  std::string line = "open sample";
  for (const std::string& word : kNoisySample) line += " " + word;
  return line + "\n";
}

// PIL reads the picture whole, it has the size of a preview, and it is not of one colour.
bool IsPreviewPicture(const fs::path& png) {
  const std::string check =
      "/usr/bin/python3 -c \"import sys; from PIL import Image; im = Image.open(sys.argv[1]); "
      "im.load(); w, h = im.size; "
      "sys.exit(0 if w > 100 and h > 50 and len(set(im.convert('RGB').getdata())) > 2 else 1)\" '" +
      png.string() + "'";
  return std::system(check.c_str()) == 0;
}

class AdvancedDialogLines : public InTempFolder {
 protected:
  ProcessResult Run(const std::string& script) {
    WriteText(folder / "session.txt", script);
    return RunPendrel({"run", (folder / "session.txt").string()});
  }
  ProcessResult Analyse(const std::vector<std::string>& options) {
    std::vector<std::string> arguments{"analyse"};
    arguments.insert(arguments.end(), kNoisySample.begin(), kNoisySample.end());
    arguments.insert(arguments.end(), options.begin(), options.end());
    return RunPendrel(arguments);
  }
};

// Without a selection the preview starts where the host's view of a recording opens: its first
// ten seconds, the same picture as a selection of them gives.
TEST_F(AdvancedDialogLines, WithoutASelectionThePreviewShowsTheFirstTenSeconds) {
  const auto previewAfter = [&](const std::string& selection, const fs::path& png) {
    return Run(SampleLine() + selection +
               "menu Rhyth|Analyse\n"
               "dialog Rhyth|Settings\n"
               "  choose Preset=Custom\n"
               "  click Advanced...\n"
               "    preview " + png.string() + "\n"
               "  ok\n"
               "ok\n");
  };
  const ProcessResult selected = previewAfter("select 0 10\n", folder / "selected.png");
  ASSERT_EQ(selected.status, 0) << selected.err;
  const ProcessResult opened = previewAfter("", folder / "opened.png");
  ASSERT_EQ(opened.status, 0) << opened.err;
  ASSERT_TRUE(IsPreviewPicture(folder / "opened.png"));
  EXPECT_EQ(ReadText(folder / "opened.png"), ReadText(folder / "selected.png"));
}

TEST_F(AdvancedDialogLines, AHeightTypedInTheAdvancedDialogAnalysesAsTheSetOption) {
  const fs::path scriptedBeats = folder / "scripted.csv";
  // Kept for a person to look at.
  const fs::path pictures = fs::path(testing::TempDir()) / "rhyth-pictures";
  fs::create_directories(pictures);
  const fs::path picture = pictures / "advanced_dialog_preview.png";
  fs::remove(picture);
  // The selection is what the preview shows first; the analysis keeps to the whole channel.
  const ProcessResult scripted = Run(SampleLine() +
                                     "select 0 8\n"
                                     "menu Rhyth|Analyse\n"
                                     "dialog Rhyth|Settings\n"
                                     "  choose Preset=Custom\n"
                                     "  click Advanced...\n"
                                     "    type Minimum peak height=4\n"
                                     "    preview " + picture.string() + "\n"
                                     "  ok\n"
                                     "ok\n"
                                     "print\n"
                                     "export beats " + scriptedBeats.string() + "\n");
  ASSERT_EQ(scripted.status, 0) << scripted.err;

  const fs::path setBeats = folder / "set.csv", defaultBeats = folder / "default.csv";
  const ProcessResult set = Analyse({"--set", "Minimum peak height=4", "--beats", setBeats.string()});
  ASSERT_EQ(set.status, 0) << set.err;
  EXPECT_EQ(scripted.out, set.out);
  EXPECT_EQ(ReadText(scriptedBeats), ReadText(setBeats));
  ASSERT_EQ(Analyse({"--beats", defaultBeats.string()}).status, 0);
  EXPECT_NE(ReadText(setBeats), ReadText(defaultBeats)) << "the height makes a difference here";

  ASSERT_TRUE(fs::exists(picture));
  EXPECT_TRUE(IsPreviewPicture(picture));
  std::cout << "preview picture: " << picture.string() << "\n";
}

TEST_F(AdvancedDialogLines, WhatTheAdvancedDialogRefusesStopsTheScriptWithNothingApplied) {
  const struct {
    std::string lines;  // between Advanced... and the two oks
    std::string says;
  } cases[] = {
      {"type Typical QRS width=5\n",
       "session.txt:9: One or more settings are invalid and need correcting. Marked: Typical "
       "QRS width (Value must be in range 10 to 10000.)"},
      {"type Colour=red\n", "session.txt:9: the dialog has no field 'Colour'"},
  };
  for (const auto& c : cases) {
    const ProcessResult result = Run("open sample --duration 20\n"
                                     "menu Rhyth|Analyse\n"
                                     "print csv\n"
                                     "dialog Rhyth|Settings\n"
                                     "choose Preset=Custom\n"
                                     "click Advanced...\n" +
                                     c.lines +
                                     "ok\n"
                                     "ok\n"
                                     "print csv\n");
    EXPECT_EQ(result.status, 1) << c.lines;
    EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    EXPECT_EQ(ParseMeasurementCsv(result.out).size(), 27u) << "printed once, before the dialog";
  }
}

TEST_F(AdvancedDialogLines, ANestedDialogLeftOpenIsAnError) {
  const ProcessResult result = Run("open sample --duration 20\n"
                                   "dialog Rhyth|Settings\n"
                                   "choose Preset=Custom\n"
                                   "click Advanced...\n"
                                   "type Minimum peak height=4\n"
                                   "ok\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("the dialog opened on line 2 was not ended with ok or cancel"),
            std::string::npos)
      << result.err;
}

}  // namespace
}  // namespace CliTest
