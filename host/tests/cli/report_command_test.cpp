// `pendrel analyse --report`: the report view opened on the analysis by the command line, the
// page it shows written as HTML and its printed page as PDF, both read back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "host/tests/cli/temp_folder_test.h"

namespace CliTest {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string PdfText(const fs::path& pdf) {
  std::string text;
  if (FILE* pipe = popen(("pdftotext '" + pdf.string() + "' - 2>&1").c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    pclose(pipe);
  }
  return text;
}

// The text of the first cell after the row title, as the page writes it.
std::string CellAfter(const std::string& page, const std::string& rowTitle) {
  const std::string title = ">" + rowTitle + "</td><td>";
  const std::size_t at = page.find(title);
  if (at == std::string::npos) return {};
  const std::size_t start = at + title.size();
  return page.substr(start, page.find("</td>", start) - start);
}

class ReportCommand : public InTempFolder {};

TEST_F(ReportCommand, WritesThePageItShowsAndItsPrintedPage) {
  const fs::path html = folder / "report.html";
  const fs::path pdf = folder / "report.pdf";
  const ProcessResult result = RunPendrel(
      {"analyse", "--duration", "60", "--report", html.string(), "--report", pdf.string()});
  if (result.status != 0 && result.err.find("is a browser installed") != std::string::npos) {
    GTEST_SKIP() << result.err;
  }
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string page = ReadFile(html);
  EXPECT_TRUE(page.starts_with("<!DOCTYPE html>\r\n"));
  EXPECT_THAT(page, HasSubstr("<title>Built-in sample</title>"));
  EXPECT_EQ(CellAfter(page, "Analysis Start"), "Block: 1, 0:00:00.000");
  EXPECT_EQ(CellAfter(page, "Analysis End"), "Block: 1, 0:01:00.000");
  const std::string meanRR = CellAfter(page, "Average RR");
  ASSERT_FALSE(meanRR.empty());
  std::string printed = PdfText(pdf);
  // The section bars are shown in capitals.
  EXPECT_THAT(printed, HasSubstr("TIME-DOMAIN"));
  // The text of the PDF may join the number and its unit.
  std::string shown = meanRR;
  std::erase(printed, ' ');
  std::erase(shown, ' ');
  EXPECT_THAT(printed, HasSubstr(shown));
}

TEST_F(ReportCommand, TakesOnlyHtmlAndPdfFiles) {
  const ProcessResult result =
      RunPendrel({"analyse", "--duration", "60", "--report", (folder / "report.txt").string()});
  EXPECT_EQ(result.status, 2);
  EXPECT_THAT(result.err, HasSubstr("--report writes .html or .pdf files"));
  EXPECT_FALSE(fs::exists(folder / "report.txt"));
}

TEST_F(ReportCommand, NamesTheReportAfterTheRecordingFile) {
  if (!fs::exists(MitdbExcerpt())) GTEST_SKIP() << "no shared data at " << SharedDataFolder();
  const fs::path html = folder / "100s.html";
  const ProcessResult result =
      RunPendrel({"analyse", MitdbExcerpt().string(), "--report", html.string()});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string page = ReadFile(html);
  EXPECT_THAT(page, HasSubstr("<title>100s.hea</title>"));
  EXPECT_EQ(CellAfter(page, "Analysis Start"), "Block: 1, 0:00:00.000");
}

}  // namespace
}  // namespace CliTest
