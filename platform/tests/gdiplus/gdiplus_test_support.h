// What the GDI+ tests share: GDI+ started for the test's length, and reading an image file back
// through an independent decoder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdiplus/startup.h"

namespace gdiplus_test {

class GdiplusRun {
 public:
  GdiplusRun() {
    Gdiplus::GdiplusStartupInput input;
    status = GdiplusStartup(&token, &input, nullptr);
  }
  ~GdiplusRun() { GdiplusShutdown(token); }
  ULONG_PTR token = 0;
  Gdiplus::Status status;
};

struct DecodedImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;  // row by row, top first
  std::uint32_t At(int x, int y) const { return argb[std::size_t(y) * width + x]; }
};

// Decodes with Debian's Python imaging library; width 0 when it could not.
DecodedImage DecodeIndependently(const std::string& path);

}  // namespace gdiplus_test
