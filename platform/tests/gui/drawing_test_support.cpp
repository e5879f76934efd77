#include "platform/tests/gui/drawing_test_support.h"

#include <cstdio>

namespace win32::testing {

std::vector<COLORREF> Canvas::Pixels() const {
  std::vector<COLORREF> pixels;
  for (int y = 0; y < m_height; ++y)
    for (int x = 0; x < m_width; ++x) pixels.push_back(GetPixel(m_dc, x, y));
  return pixels;
}

int Canvas::Count(COLORREF colour) const {
  int count = 0;
  for (COLORREF each : Pixels()) count += each == colour;
  return count;
}

std::string RunCommand(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r")) {
    char buffer[512];
    while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    pclose(pipe);
  }
  return output;
}

bool HaveTools(const std::vector<std::string>& programs) {
  for (const std::string& program : programs)
    if (RunCommand("command -v " + program).empty()) return false;
  return true;
}

}  // namespace win32::testing
