#include "core/gdiplus_bitmap_resource.h"

#include <gtest/gtest.h>

#include "platform/win32/resources.h"

HMODULE CoreTestResources();

namespace {

TEST(GdiPlusBitmapResource, LoadsAPngResourceWithItsPixels) {
  TGdiPlusBitmapResource resource;
  ASSERT_TRUE(resource.Load(MAKEINTRESOURCEW(101), CoreTestResources()));
  Gdiplus::Bitmap* bitmap = resource.GetBitmap();
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->GetWidth(), 3u);
  EXPECT_EQ(bitmap->GetHeight(), 2u);
  struct Case {
    int x, y;
    Gdiplus::ARGB argb;
  } cases[] = {{0, 0, 0xFFFF0000}, {1, 0, 0xFF00FF00}, {2, 0, 0xFF0000FF},
               {0, 1, 0x00FFFFFF}, {1, 1, 0x80102030}, {2, 1, 0xFF010203}};
  for (const Case& c : cases) {
    Gdiplus::Color color;
    ASSERT_EQ(bitmap->GetPixel(c.x, c.y, &color), Gdiplus::Ok);
    EXPECT_EQ(color.GetValue(), c.argb) << c.x << "," << c.y;
  }
}

TEST(GdiPlusBitmapResource, MissingOrBrokenResourcesFailCleanly) {
  TGdiPlusBitmapResource resource;
  ASSERT_TRUE(resource.Load(MAKEINTRESOURCEW(101), CoreTestResources()));
  EXPECT_FALSE(resource.Load(MAKEINTRESOURCEW(999), CoreTestResources()));
  EXPECT_EQ(resource.GetBitmap(), nullptr);
  EXPECT_FALSE(resource.Load(u"BROKEN", CoreTestResources()));
  EXPECT_EQ(resource.GetBitmap(), nullptr);
  EXPECT_FALSE(resource.Load(MAKEINTRESOURCEW(101), nullptr));
}

}  // namespace
