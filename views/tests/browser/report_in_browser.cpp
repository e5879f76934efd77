#include "views/tests/browser/report_in_browser.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "analysis/tests/measurements/measurement_checks.h"
#include "host/browser/browser_class.h"
#include "host/browser/browser_launch.h"
#include "host/browser/browser_settings.h"
#include "plotengine/tests/browser/browser_page_fixture.h"

namespace ViewsTest {

namespace {

constexpr char kCellsScript[] = R"(
  test.report('title\t' + document.title);
  document.querySelectorAll('.box').forEach(function (box) {
    var heading = box.querySelector('h3').textContent;
    box.querySelectorAll('tr').forEach(function (row) {
      var parts = [heading];
      row.querySelectorAll('td, th').forEach(function (cell) { parts.push(cell.textContent); });
      test.report(parts.join('\t'));
    });
  });)";

std::filesystem::path TemporaryFile(const std::string& name) {
  return std::filesystem::temp_directory_path() /
         ("rhyth_report_" + std::to_string(getpid()) + "_" + name);
}

}  // namespace

void ReportInBrowser::SetUp() {
  ViewHost::SetUp();
  if (PendrelBrowser::BrowserBinary().empty()) {
    GTEST_SKIP() << "no browser: install chromium-headless-shell or name one in PENDREL_BROWSER";
  }
  PendrelBrowser::RegisterBrowserClass();
  PendrelBrowser::SetBrowserTimeout(20'000);
  m_reporter = new Quor::Reporter;
  m_reporter->AddRef();
}

void ReportInBrowser::TearDown() {
  if (view) CloseView(view);
  if (m_reporter) m_reporter->Release();
  ViewHost::TearDown();
}

Rhyth::ReportView& ReportInBrowser::OpenReport() {
  view = OpenView<Rhyth::ReportDocView>(0);
  Rhyth::ReportView& report = *view->View();
  if (IQuorBrowser* browser = report.Browser().Browser()) browser->RegisterScriptObject(m_reporter);
  return report;
}

HRESULT ReportInBrowser::Run(const std::string& script) {
  IQuorBrowser* browser = view ? view->View()->Browser().Browser() : nullptr;
  if (!browser) return E_FAIL;
  IQuorString* text = Quor::String(script).GetInterface();
  const HRESULT hr = browser->ExecuteScript(text);
  text->Release();
  return hr;
}

std::vector<std::string> ReportInBrowser::TakeReports() { return m_reporter->Take(); }

ReportCells ReportInBrowser::CellsInTheDom() {
  TakeReports();
  EXPECT_EQ(Run(kCellsScript), S_OK);
  return CellsFromLines(TakeReports());
}

testing::AssertionResult ReportInBrowser::AgreesWithNumpyAndTheTable(const ReportCells& cells) {
  const PendrelHost::MeasurementSelection whole = MeasurementTest::WholeRecord(*hosted);
  PendrelHost::MeasurementTable table(*hosted);
  table.AddRow(whole);
  table.Evaluate();
  MeasurementTest::AloneAnalysis alone;
  MeasurementTest::AnalyseAlone(Analysis(), whole, alone);
  const std::filesystem::path file = TemporaryFile("cells.txt");
  {
    std::ofstream out(file);
    MeasurementTest::WriteCheckInput(out, table, 0, alone, 0.0,
                                     whole.end.offset / Data().Source().SampleRate());
    for (const auto& [key, values] : cells.rows) {
      for (std::size_t i = 0; i < values.size(); ++i) {
        out << "cell " << key.first << '\t' << key.second << '\t' << i << '\t' << values[i] << '\n';
      }
    }
  }
  return MeasurementTest::RunCheckScript(std::string(VIEWS_TEST_DIR) + "/check_report.py", file);
}

std::string ReferenceChecksUnavailable() {
  if (!std::filesystem::exists(kPython)) return std::string(kPython) + " is absent";
  std::string output;
  if (RunCommand(std::string(kPython) + " -c 'import numpy, scipy.signal, html5lib'", output) != 0) {
    return "numpy, scipy or html5lib is missing from " + std::string(kPython) + ": " + output;
  }
  if (RunCommand("xmllint --version", output) != 0) return "xmllint is absent: " + output;
  return {};
}

testing::AssertionResult ParsesStrictly(const std::string& page) {
  const std::filesystem::path file = TemporaryFile("page.html");
  std::ofstream(file, std::ios::binary) << page;
  std::string html5lib;
  const int strict = RunCommand(std::string(kPython) +
                                    " -c 'import html5lib, sys; html5lib.HTMLParser(strict=True)"
                                    ".parse(open(sys.argv[1], \"rb\"))' " + file.string(),
                                html5lib);
  std::string xmllint;
  const int lint = RunCommand("xmllint --html --noout " + file.string(), xmllint);
  std::filesystem::remove(file);
  if (strict == 0 && lint == 0 && xmllint.empty()) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "html5lib: " << html5lib << "\nxmllint: " << xmllint;
}

}  // namespace ViewsTest
