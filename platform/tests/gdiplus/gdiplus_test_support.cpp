#include "gdiplus_test_support.h"

#include <cstdio>

namespace gdiplus_test {

DecodedImage DecodeIndependently(const std::string& path) {
  DecodedImage image;
  // Debian's own interpreter has the imaging library; the one first on the PATH may not. Tests
  // run in platform/tests.
  const std::string command = "/usr/bin/python3 gdiplus/decode_image.py '" + path + "'";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return image;
  int width = 0, height = 0;
  if (std::fscanf(pipe, "%d %d", &width, &height) == 2 && std::fgetc(pipe) == '\n' && width > 0 && height > 0) {
    std::vector<unsigned char> rgba(std::size_t(width) * height * 4);
    if (std::fread(rgba.data(), 1, rgba.size(), pipe) == rgba.size()) {
      image.width = width;
      image.height = height;
      for (std::size_t i = 0; i < rgba.size(); i += 4)
        image.argb.push_back(std::uint32_t(rgba[i + 3]) << 24 | std::uint32_t(rgba[i]) << 16 |
                             std::uint32_t(rgba[i + 1]) << 8 | rgba[i + 2]);
    }
  }
  pclose(pipe);
  return image;
}

}  // namespace gdiplus_test
