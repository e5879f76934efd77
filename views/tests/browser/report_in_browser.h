// The report view in the host's real browser: the view opened through its class object on an
// analysis, a script object "test" in its page whose report(text) calls arrive in order, the
// cells read from the page's DOM, and the checks of the cells against numpy and scipy and the
// host's measurement table, and of the page against strict HTML parsers.
#pragma once

#include <string>
#include <vector>

#include "views/report/report_view_class.h"
#include "views/tests/report_checks.h"
#include "views/tests/view_host.h"

namespace Quor {
class Reporter;
}

namespace ViewsTest {

class ReportInBrowser : public ViewHost {
 protected:
  void SetUp() override;
  void TearDown() override;

  Rhyth::ReportView& OpenReport();
  // Runs the script in the report's page; S_OK when it ran.
  HRESULT Run(const std::string& script);
  std::vector<std::string> TakeReports();
  // Every row of every box, and the title, as the page's DOM holds them.
  ReportCells CellsInTheDom();
  // Each figure within half a unit of its last digit of numpy's and of the table's, for the
  // analysis of the whole first record.
  testing::AssertionResult AgreesWithNumpyAndTheTable(const ReportCells& cells);

  Rhyth::ReportDocView* view = nullptr;

 private:
  Quor::Reporter* m_reporter = nullptr;
};

// Why the numpy, scipy and html5lib checks cannot run here; empty when they can.
std::string ReferenceChecksUnavailable();
// The page parses without an error in html5lib's strict mode and with xmllint --html.
testing::AssertionResult ParsesStrictly(const std::string& page);

}  // namespace ViewsTest
