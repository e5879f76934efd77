#include "platform/gdiplus/encoders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <memory>

#include "gdiplus_test_support.h"
#include "platform/gdiplus/metafile.h"
#include "platform/win32/utf8_path.h"

namespace {

using namespace Gdiplus;
using gdiplus_test::DecodeIndependently;
using gdiplus_test::GdiplusRun;

std::map<std::u16string, CLSID> EncodersByMimeType() {
  UINT count = 0, size = 0;
  EXPECT_EQ(GdipGetImageEncodersSize(&count, &size), Ok);
  std::vector<unsigned char> buffer(size);
  auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
  EXPECT_EQ(GdipGetImageEncoders(count, size, codecs), Ok);
  std::map<std::u16string, CLSID> found;
  for (UINT i = 0; i < count; ++i) found[codecs[i].MimeType] = codecs[i].Clsid;
  return found;
}

class ImageFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = std::filesystem::temp_directory_path() / ("rhyth-encoders-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(m_folder);
  }
  void TearDown() override { std::filesystem::remove_all(m_folder); }
  std::string PathOf(const std::string& name) const { return (m_folder / name).string(); }
  static std::u16string Wide(const std::string& path) { return win32::NameFromUtf8Path(path); }

  GdiplusRun m_run;
  std::filesystem::path m_folder;
};

TEST_F(ImageFiles, EncodersAreListedWithTheirMimeTypes) {
  UINT count = 0, size = 0;
  ASSERT_EQ(GdipGetImageEncodersSize(&count, &size), Ok);
  EXPECT_EQ(count, 5u);
  std::vector<unsigned char> buffer(size);
  auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
  EXPECT_EQ(GdipGetImageEncoders(count, size - 1, codecs), InsufficientBuffer);
  EXPECT_EQ(GdipGetImageEncoders(count + 1, size, codecs), InvalidParameter);
  const auto found = EncodersByMimeType();
  std::vector<std::u16string> types;
  for (const auto& [type, clsid] : found) types.push_back(type);
  EXPECT_EQ(types, (std::vector<std::u16string>{u"image/bmp", u"image/gif", u"image/jpeg", u"image/png", u"image/tiff"}));
}

// A small picture with opaque, half transparent and fully transparent pixels.
std::unique_ptr<Bitmap> Sample() {
  auto made = std::make_unique<Bitmap>(7, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) made->SetPixel(x, y, Color(255, BYTE(x * 40), BYTE(y * 60), BYTE(200 - x * 20)));
  made->SetPixel(0, 0, Color(0, 10, 20, 30));
  made->SetPixel(6, 4, Color(0, 200, 100, 50));
  made->SetPixel(3, 2, Color(128, 0, 0, 255));
  return made;
}

ARGB OverWhite(ARGB colour) {
  const unsigned a = colour >> 24;
  auto blend = [a](unsigned c) { return 255 - (255 - c) * a / 255; };
  return 0xFF000000u | blend(colour >> 16 & 0xFF) << 16 | blend(colour >> 8 & 0xFF) << 8 | blend(colour & 0xFF);
}

TEST_F(ImageFiles, LosslessFormatsDecodeIndependentlyToThePixelsRead) {
  const auto encoders = EncodersByMimeType();
  const struct {
    const char* name;
    const char16_t* mimeType;
    ARGB (*expected)(ARGB);
  } cases[] = {
      {"picture.png", u"image/png", [](ARGB c) { return c >> 24 ? c : 0u; }},
      {"picture.tif", u"image/tiff", [](ARGB c) { return c >> 24 ? c : 0u; }},
      {"picture.bmp", u"image/bmp", OverWhite},
      {"picture.gif", u"image/gif", [](ARGB c) { return c >> 24 ? OverWhite(c) : 0u; }},
  };
  const auto sample = Sample();
  Bitmap& bitmap = *sample;
  for (const auto& c : cases) {
    const std::string path = PathOf(c.name);
    ASSERT_EQ(bitmap.Save(Wide(path).c_str(), &encoders.at(c.mimeType)), Ok) << c.name;
    const auto decoded = DecodeIndependently(path);
    ASSERT_EQ(decoded.width, 7) << c.name;
    ASSERT_EQ(decoded.height, 5);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) {
        Color read;
        bitmap.GetPixel(x, y, &read);
        ARGB got = decoded.At(x, y);
        if ((got >> 24) == 0) got = 0;  // a transparent pixel's colour bits carry nothing
        EXPECT_EQ(got, c.expected(read.GetValue())) << c.name << " at " << x << "," << y;
      }
  }
}

TEST_F(ImageFiles, JpegKeepsASmoothPictureAndGifQuantisesManyColours) {
  const auto encoders = EncodersByMimeType();
  Bitmap bitmap(64, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) bitmap.SetPixel(x, y, Color(255, BYTE(x * 4), BYTE(y * 4), BYTE(128)));

  const std::string jpeg = PathOf("smooth.jpg");
  ASSERT_EQ(bitmap.Save(Wide(jpeg).c_str(), &encoders.at(u"image/jpeg")), Ok);
  const auto decoded = DecodeIndependently(jpeg);
  ASSERT_EQ(decoded.width, 64);
  double squares = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      for (int shift : {0, 8, 16}) {
        Color read;
        bitmap.GetPixel(x, y, &read);
        const double d = double(decoded.At(x, y) >> shift & 0xFF) - double(read.GetValue() >> shift & 0xFF);
        squares += d * d;
      }
  const double psnr = 10 * std::log10(255.0 * 255.0 / (squares / (64 * 64 * 3)));
  EXPECT_GT(psnr, 30);

  // 4,096 colours: the colour cube keeps every channel within half a step of 51 or 42.
  const std::string gif = PathOf("many.gif");
  ASSERT_EQ(bitmap.Save(Wide(gif).c_str(), &encoders.at(u"image/gif")), Ok);
  const auto quantised = DecodeIndependently(gif);
  ASSERT_EQ(quantised.width, 64);
  for (int y = 0; y < 64; y += 7)
    for (int x = 0; x < 64; x += 5)
      for (int shift : {0, 8, 16}) {
        Color read;
        bitmap.GetPixel(x, y, &read);
        EXPECT_NEAR(int(quantised.At(x, y) >> shift & 0xFF), int(read.GetValue() >> shift & 0xFF), 26);
      }
}

TEST_F(ImageFiles, FailedSavesReportAndLeaveNoFile) {
  const auto encoders = EncodersByMimeType();
  const CLSID png = encoders.at(u"image/png");
  const auto sample = Sample();
  Bitmap& bitmap = *sample;
  const std::string unwritable = PathOf("missing-folder/picture.png");
  EXPECT_EQ(bitmap.Save(Wide(unwritable).c_str(), &png), Win32Error);
  EXPECT_EQ(bitmap.GetLastStatus(), Win32Error);
  EXPECT_FALSE(std::filesystem::exists(unwritable));

  Bitmap empty(0, 10);
  const std::string path = PathOf("empty.png");
  EXPECT_EQ(empty.Save(Wide(path).c_str(), &png), InvalidParameter);
  const CLSID unknown = GUID_NULL;
  EXPECT_EQ(bitmap.Save(Wide(path).c_str(), &unknown), InvalidParameter);
  EXPECT_EQ(GdipSaveImageToFile(&bitmap, nullptr, &png, nullptr), InvalidParameter);
  EXPECT_FALSE(std::filesystem::exists(path));

  Metafile metafile(nullptr, RectF(0, 0, 10, 10), MetafileFrameUnitPixel);
  EXPECT_EQ(metafile.Save(Wide(path).c_str(), &png), NotImplemented);
}

TEST(GdiplusEncoders, NeedGdiplusRunning) {
  UINT count = 0, size = 0;
  EXPECT_EQ(GdipGetImageEncodersSize(&count, &size), GdiplusNotInitialized);
}

}  // namespace
