#include "views/tests/report_checks.h"

#include <unistd.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace ViewsTest {

namespace {

std::string Unescaped(std::string text) {
  static const std::pair<const char*, const char*> kReferences[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}};
  for (const auto& [reference, character] : kReferences) {
    for (std::size_t at = text.find(reference); at != std::string::npos;
         at = text.find(reference, at + 1)) {
      text.replace(at, std::strlen(reference), character);
    }
  }
  return text;
}

// The texts of the elements `tag` in `text`, in order.
std::vector<std::string> ElementTexts(const std::string& text, const std::string& tag) {
  std::vector<std::string> found;
  const std::string open = "<" + tag;
  const std::string close = "</" + tag + ">";
  for (std::size_t at = text.find(open); at != std::string::npos; at = text.find(open, at)) {
    const std::size_t start = text.find('>', at) + 1;
    const std::size_t end = text.find(close, start);
    found.push_back(text.substr(start, end - start));
    at = end;
  }
  return found;
}

}  // namespace

PendrelHost::SyntheticEcgSettings ShortHeart(double seconds) {
  PendrelHost::SyntheticEcgSettings heart;
  heart.sampleRate = 250.0;
  heart.duration = seconds;
  return heart;
}

std::string ReportCells::At(const std::string& box, const std::string& row,
                            std::size_t index) const {
  const auto found = rows.find({box, row});
  if (found == rows.end() || index >= found->second.size()) return "(none)";
  return found->second[index];
}

ReportCells ReadReportCells(const Quor::String& page) {
  const std::string text = page.ToUtf8String();
  ReportCells cells;
  const std::vector<std::string> titles = ElementTexts(text, "title");
  if (!titles.empty()) cells.title = Unescaped(titles[0]);
  for (std::size_t box = text.find("<h3>"); box != std::string::npos;) {
    const std::size_t next = text.find("<h3>", box + 1);
    const std::string heading = ElementTexts(text.substr(box), "h3")[0];
    for (const std::string& row : ElementTexts(text.substr(box, next - box), "tr")) {
      std::vector<std::string> parts = ElementTexts(row, "td");
      if (parts.empty()) parts = ElementTexts(row, "th");
      if (parts.empty()) continue;
      std::vector<std::string> values;
      for (std::size_t i = 1; i < parts.size(); ++i) values.push_back(Unescaped(parts[i]));
      cells.rows[{heading, Unescaped(parts[0])}] = values;
    }
    box = next;
  }
  return cells;
}

ReportCells CellsFromLines(const std::vector<std::string>& lines) {
  ReportCells cells;
  for (const std::string& line : lines) {
    std::vector<std::string> parts;
    std::stringstream stream(line);
    for (std::string part; std::getline(stream, part, '\t');) parts.push_back(part);
    if (line.ends_with('\t')) parts.emplace_back();
    if (parts.size() == 2 && parts[0] == "title") {
      cells.title = parts[1];
    } else if (parts.size() >= 2) {
      cells.rows[{parts[0], parts[1]}] = std::vector<std::string>(parts.begin() + 2, parts.end());
    }
  }
  return cells;
}

std::string ExpectedCell(double value, const std::string& unit, bool noPrefix) {
  static const char* const kPrefixes[] = {"y", "z", "a", "f", "p", "n", "\xC2\xB5", "m", "",
                                          "k", "M", "G", "T", "P", "E", "Z", "Y"};
  int p = 0;
  if (!noPrefix && value != 0 && !unit.empty()) {
    p = 3 * int(std::floor(std::floor(std::log10(std::fabs(value))) / 3));
  }
  char number[64];
  std::snprintf(number, sizeof number, "%.4g", value / std::pow(10.0, p));
  if (unit.empty()) return number;
  return std::string(number) + " " + kPrefixes[(p + 24) / 3] + unit;
}

int RunCommand(const std::string& command, std::string& output) {
  output.clear();
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return -1;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

testing::AssertionResult HtmlClipboardHoldsThePage(const std::string& clipboard,
                                                   const std::string& page,
                                                   std::vector<unsigned>* offsets) {
  const std::string stem = (std::filesystem::temp_directory_path() /
                            ("rhyth_clipboard_" + std::to_string(getpid()))).string();
  std::ofstream(stem + ".clip", std::ios::binary) << clipboard;
  std::ofstream(stem + ".page", std::ios::binary) << page;
  std::string output;
  const int status = RunCommand(std::string(kPython) + " " + VIEWS_TEST_DIR +
                                    "/check_html_clipboard.py " + stem + ".clip " + stem + ".page",
                                output);
  std::filesystem::remove(stem + ".clip");
  std::filesystem::remove(stem + ".page");
  if (offsets) {
    offsets->clear();
    std::stringstream stream(output);
    for (unsigned value; stream >> value;) offsets->push_back(value);
  }
  if (status == 0) return testing::AssertionSuccess();
  return testing::AssertionFailure() << output;
}

}  // namespace ViewsTest
