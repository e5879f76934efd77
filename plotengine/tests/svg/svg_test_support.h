// What the SVG renderer's tests share: a temporary folder, reading a written PNG back, and GDI+
// stopped again after each test.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "platform/gdiplus/image.h"

namespace svg_test {

class SvgFiles : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string PathOf(const std::string& name) const { return (m_folder / name).string(); }
  static std::u16string Wide(const std::string& path);
  std::filesystem::path m_folder;
};

// The PNG file decoded; null when it cannot be.
std::unique_ptr<Gdiplus::Bitmap> LoadPng(const std::string& path);
Gdiplus::ARGB PixelAt(const Gdiplus::Bitmap& bitmap, int x, int y);
// Left, top, right and bottom (exclusive) of the pixels of a PNG file that match; right and
// bottom are -1 when none does (or the file cannot be read).
std::array<int, 4> MatchingBox(const std::string& path, const std::function<bool(Gdiplus::ARGB)>& matches);

}  // namespace svg_test
