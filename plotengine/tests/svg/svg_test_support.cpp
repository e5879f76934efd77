#include "svg_test_support.h"

#include <unistd.h>

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

}  // namespace svg_test
