#include "svg_test_support.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "controls/gdiplus_starter.h"
#include "core/utf_codec.h"
#include "platform/win32/global_memory.h"

namespace svg_test {

void SvgFiles::SetUp() {
  m_folder = std::filesystem::temp_directory_path() /
             ("rhyth-svg-test-" + std::to_string(getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::filesystem::create_directories(m_folder);
}

void SvgFiles::TearDown() {
  std::filesystem::remove_all(m_folder);
  ReleaseGdiplusStarter();
}

std::u16string SvgFiles::Wide(const std::string& path) { return Quor::Utf8ToStdWString(path); }

std::unique_ptr<Gdiplus::Bitmap> LoadPng(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.empty()) return nullptr;
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return nullptr;
  stream->Write(bytes.data(), ULONG(bytes.size()), nullptr);
  LARGE_INTEGER start;
  start.QuadPart = 0;
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(stream);
  stream->Release();
  return bitmap->GetLastStatus() == Gdiplus::Ok ? std::move(bitmap) : nullptr;
}

Gdiplus::ARGB PixelAt(const Gdiplus::Bitmap& bitmap, int x, int y) {
  Gdiplus::Color colour;
  bitmap.GetPixel(x, y, &colour);
  return colour.GetValue();
}

std::array<int, 4> MatchingBox(const std::string& path, const std::function<bool(Gdiplus::ARGB)>& matches) {
  std::array<int, 4> box{1 << 30, 1 << 30, -1, -1};
  const auto image = LoadPng(path);
  if (!image) return box;
  for (int y = 0; y < int(image->GetHeight()); ++y)
    for (int x = 0; x < int(image->GetWidth()); ++x)
      if (matches(PixelAt(*image, x, y)))
        box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x + 1), std::max(box[3], y + 1)};
  return box;
}

}  // namespace svg_test
