// What the report tests share: a short synthetic heart, the report's cells by box and row title
// (read from the page text or from the browser's DOM), the text a figure must show, and the
// check of clipboard HTML by an independent reader.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/quor_string.h"
#include "host/recording/synthetic_ecg.h"

namespace ViewsTest {

// A synthetic heart at 60 beats a minute, at 250 Hz, of `seconds`.
PendrelHost::SyntheticEcgSettings ShortHeart(double seconds);

struct ReportCells {
  std::string title;
  // (box heading, row title) -> the row's other cells, their text as shown.
  std::map<std::pair<std::string, std::string>, std::vector<std::string>> rows;

  // The text of cell `index` after the row title; "(none)" when there is no such cell.
  std::string At(const std::string& box, const std::string& row, std::size_t index) const;
};

// The cells of a page built from the module's template, its character references read.
ReportCells ReadReportCells(const Quor::String& page);
// The cells from lines "title\tTEXT" and "BOX\tROW\tCELL\t...".
ReportCells CellsFromLines(const std::vector<std::string>& lines);

// What the report shows for a value: "%.4g" of it at the prefix whose mantissa lies in
// [1, 1000), with the prefix and unit; with `noPrefix`, at no prefix.
std::string ExpectedCell(double value, const std::string& unit, bool noPrefix);

inline constexpr char kPython[] = "/usr/bin/python3";
// Runs a command; its standard output and error in `output`, its status returned.
int RunCommand(const std::string& command, std::string& output);

// The clipboard text read by check_html_clipboard.py: its offsets name the page. The offsets
// are put in `offsets` (StartHTML, EndHTML, StartFragment, EndFragment) when given.
testing::AssertionResult HtmlClipboardHoldsThePage(const std::string& clipboard,
                                                   const std::string& page,
                                                   std::vector<unsigned>* offsets = nullptr);

}  // namespace ViewsTest
