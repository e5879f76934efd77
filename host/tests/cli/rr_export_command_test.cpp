// The RR intervals written through the host's save-as, as a user runs pendrel: the file another
// program reads, a refused target reported with the module's message, and a session script that
// answers the channel calculation's dialog.
#include <gtest/gtest.h>

#include <cstdlib>

#include "host/tests/cli/temp_folder_test.h"

namespace CliTest {
namespace {

namespace fs = std::filesystem;

class RRExportFiles : public InTempFolder {};

TEST_F(RRExportFiles, TheMitdbExcerptsIntervalsReadBackByAnIndependentReader) {
  if (!fs::exists(MitdbExcerpt())) GTEST_SKIP() << "no shared data at " << SharedDataFolder();
  const ProcessResult result = RunPendrel(
      {"analyse", MitdbExcerpt().string(), "--beats", File("beats.csv"), "--rr", File("rr.txt")});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string command = "/usr/bin/python3 " + std::string(CLI_TEST_DIR) +
                              "/check_rr_export.py '" + File("rr.txt") + "' '" +
                              File("beats.csv") + "' 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << "see the checker's output above";
}

TEST_F(RRExportFiles, ARefusedTargetGivesTheModulesMessageAndKeepsTheEarlierFile) {
  WriteText(File("taken"), "earlier");
  fs::create_directory(File("folder"));
  const struct {
    const char* what;
    std::string target;
  } cases[] = {
      {"a missing folder", File("missing/rr.txt")},
      {"a folder", File("folder")},
  };
  for (const auto& c : cases) {
    // `analyse --rr` refuses such a target before analysing; a script's export asks the module.
    WriteText(File("export.script"), "open sample --duration 20\n"
                                     "menu Rhyth|Analyse\n"
                                     "export rr " + c.target + "\n");
    const ProcessResult result = RunPendrel({"run", File("export.script")});
    EXPECT_EQ(result.status, 1) << c.what;
    EXPECT_NE(result.err.find("Rhyth Export RR Interval requires a valid Rhyth analysis."),
              std::string::npos)
        << c.what << ": " << result.err;
  }
  EXPECT_TRUE(fs::is_directory(File("folder")));
  EXPECT_EQ(ReadText(File("taken")), "earlier");
  const ProcessResult saved = RunPendrel({"analyse", "--duration", "20", "--rr", File("taken")});
  ASSERT_EQ(saved.status, 0) << saved.err;
  const std::string text = ReadText(File("taken"));
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST_F(RRExportFiles, ASessionScriptAnswersTheCalculationDialog) {
  WriteText(File("calc.script"),
            "open sample --duration 20\n"
            "menu Rhyth|Analyse\n"
            "calc Beat Rate; Set Guide Lines=0\n"
            "calc Heart Beats\n");
  const ProcessResult result = RunPendrel({"run", File("calc.script")});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out.find("added channel Calculation"), std::string::npos) << result.out;
  EXPECT_NE(result.err.find(":4: "), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("Heart Beats"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace CliTest
