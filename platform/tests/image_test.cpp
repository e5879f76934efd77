#include "platform/gdiplus/image.h"

#include <gtest/gtest.h>

#include "platform/win32/global_memory.h"

namespace {

TEST(GdiplusBitmap, StreamThatIsNotAnImageFails) {
  IStream* stream = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
  stream->Write("not a png", 9, nullptr);
  LARGE_INTEGER start;
  start.QuadPart = 0;
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  Gdiplus::Bitmap bitmap(stream);
  EXPECT_EQ(bitmap.GetLastStatus(), Gdiplus::UnknownImageFormat);
  EXPECT_EQ(bitmap.GetWidth(), 0u);
  stream->Release();

  Gdiplus::Bitmap none(static_cast<IStream*>(nullptr));
  EXPECT_EQ(none.GetLastStatus(), Gdiplus::InvalidParameter);
}

TEST(GdiplusBitmap, PixelsAreBoundsChecked) {
  Gdiplus::Bitmap bitmap(2, 2);
  ASSERT_EQ(bitmap.GetLastStatus(), Gdiplus::Ok);
  EXPECT_EQ(bitmap.SetPixel(1, 1, Gdiplus::Color(10, 20, 30, 40)), Gdiplus::Ok);
  Gdiplus::Color color;
  ASSERT_EQ(bitmap.GetPixel(1, 1, &color), Gdiplus::Ok);
  EXPECT_EQ(color.GetValue(), 0x0A141E28u);
  EXPECT_EQ(bitmap.GetPixel(2, 0, &color), Gdiplus::InvalidParameter);
  EXPECT_EQ(bitmap.GetPixel(0, -1, &color), Gdiplus::InvalidParameter);
}

}  // namespace
