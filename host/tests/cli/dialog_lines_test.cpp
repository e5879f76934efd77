// `pendrel run` filling in the settings dialog as a person would: a preset chosen there
// analyses as `pendrel analyse --preset` does, what the dialog refuses stops the script with its
// warning and marks, and dialog lines out of their place are errors.
#include <gtest/gtest.h>

#include "host/tests/cli/temp_folder_test.h"

namespace CliTest {
namespace {

namespace fs = std::filesystem;

class DialogLines : public InTempFolder {
 protected:
  ProcessResult Run(const std::string& script) {
    WriteText(folder / "session.txt", script);
    return RunPendrel({"run", (folder / "session.txt").string()});
  }
};

const std::string kMouseSample = "--heart-rate 600 --sample-rate 2000 --qrs-duration 0.01 --duration 30";

TEST_F(DialogLines, MouseChosenInTheDialogAnalysesAsThePresetOption) {
  const ProcessResult scripted = Run("open sample " + kMouseSample + "\n"
                                     "menu Rhyth|Analyse\n"
                                     "dialog Rhyth|Settings\n"
                                     "  choose Preset=Mouse\n"
                                     "ok\n"
                                     "print\n");
  ASSERT_EQ(scripted.status, 0) << scripted.err;
  // Whichever locales the machine has, the module is not told of one it lacks.
  EXPECT_EQ(scripted.err.find("could not be loaded"), std::string::npos) << scripted.err;
  const ProcessResult analysed =
      RunPendrel({"analyse", "--heart-rate", "600", "--sample-rate", "2000", "--qrs-duration",
                  "0.01", "--duration", "30", "--preset", "mouse"});
  ASSERT_EQ(analysed.status, 0) << analysed.err;
  EXPECT_EQ(scripted.out, analysed.out);
  EXPECT_NE(scripted.out.find("Total Beats          298"), std::string::npos) << scripted.out;
}

TEST_F(DialogLines, ARefusedDialogStopsTheScriptWithItsWarningAndMarks) {
  const ProcessResult result = Run("open sample --duration 20\n"
                                   "menu Rhyth|Analyse\n"
                                   "print csv\n"
                                   "dialog Rhyth|Settings\n"
                                   "type Number of frequencies=9\n"
                                   "type Maximum frequency=0.4\n"
                                   "ok\n"
                                   "print csv\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("session.txt:7: One or more settings are invalid and need correcting. "
                            "Marked: Number of frequencies (Value must be in range 10 to 10000.); "
                            "HF high (Value must be in range 0 to 0.4.)"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(ParseMeasurementCsv(result.out).size(), 27u) << "printed once, before the dialog";
}

TEST_F(DialogLines, CancelLeavesTheAnalysisAsItWas) {
  const ProcessResult result = Run("open sample --duration 20\n"
                                   "menu Rhyth|Analyse\n"
                                   "print csv\n"
                                   "dialog Rhyth|Settings\n"
                                   "type pRR threshold=1\n"
                                   "cancel\n"
                                   "print csv\n");
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string& out = result.out;
  const std::size_t half = out.size() / 2;
  EXPECT_EQ(out.substr(0, half), out.substr(half));
}

TEST_F(DialogLines, LinesOutOfTheirPlaceAreErrors) {
  const struct {
    std::string script;
    std::string says;
  } cases[] = {
      {"open sample --duration 20\ntype Maximum frequency=1\n",
       "session.txt:2: type needs a dialog: open one with dialog MENU"},
      {"open sample --duration 20\nok\n", "session.txt:2: ok needs a dialog"},
      {"open sample --duration 20\ndialog Rhyth|Settings\nprint\n",
       "session.txt:3: the dialog opened on line 2 is open: expected type, choose, click, ok or "
       "cancel"},
      {"open sample --duration 20\ndialog Rhyth|Settings\nchoose Preset=Mouse\n",
       "the dialog opened on line 2 was not ended with ok or cancel"},
      {"open sample --duration 20\ndialog Rhyth|Settings\nchoose Preset=Hamster\nok\n",
       "session.txt:4: the list 'Preset' has no item 'Hamster'"},
      // The first ok is the advanced dialog's, which the click would have opened.
      {"open sample --duration 20\ndialog Rhyth|Settings\nclick Advanced...\nok\nok\n",
       "session.txt:5: 'Advanced...' is disabled"},
      {"open sample --duration 20\ndialog Rhyth|Settings\ntype Colour=red\nok\n",
       "session.txt:4: the dialog has no field 'Colour'"},
  };
  for (const auto& c : cases) {
    const ProcessResult result = Run(c.script);
    EXPECT_EQ(result.status, 1) << c.script;
    EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
  }
}

}  // namespace
}  // namespace CliTest
