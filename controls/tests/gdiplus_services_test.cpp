#include <gtest/gtest.h>

#include "controls/gdiplus_starter.h"
#include "controls/image_encoder_lookup.h"
#include "core/gdiplus_bitmap_resource.h"

namespace {

TEST(GdiplusStarter, TheModuleStartsGdiplusOnceAndShutsItDownAtUnload) {
  ASSERT_FALSE(Gdiplus::IsGdiplusRunning());
  EnsureGdiplusStarter();  // the first gadget
  EnsureGdiplusStarter();  // a second one finds it there
  EXPECT_TRUE(Gdiplus::IsGdiplusRunning());
  ReleaseGdiplusStarter();  // the module unloads
  EXPECT_FALSE(Gdiplus::IsGdiplusRunning());
}

TEST(EncoderLookup, FindsEncodersByTheirExactMimeType) {
  EnsureGdiplusStarter();
  const CLSID untouched = win32::ParseGuid("01234567-89ab-cdef-0123-456789abcdef");
  const struct {
    const char16_t* mimeType;
    bool found;
  } cases[] = {{u"image/png", true}, {u"image/jpeg", true}, {u"image/gif", true},  {u"image/tiff", true},
               {u"image/bmp", true}, {u"IMAGE/PNG", false}, {u"image/png ", false}, {u"image/jpg", false},
               {u"", false}};
  CLSID png = GUID_NULL;
  ASSERT_TRUE(GetEncoderClsid(u"image/png", &png));
  for (const auto& c : cases) {
    CLSID clsid = untouched;
    EXPECT_EQ(GetEncoderClsid(c.mimeType, &clsid), c.found);
    if (!c.found) EXPECT_EQ(clsid, untouched);
    else EXPECT_NE(clsid, untouched);
  }
  CLSID jpeg = GUID_NULL;
  GetEncoderClsid(u"image/jpeg", &jpeg);
  EXPECT_NE(png, jpeg);
  ReleaseGdiplusStarter();
  CLSID clsid = untouched;
  EXPECT_FALSE(GetEncoderClsid(u"image/png", &clsid));
}

TEST(GdiPlusBitmapResource, DestroyingOneThatNeverLoadedDoesNothing) {
  auto* resource = new TGdiPlusBitmapResource;
  TGdiPlusBitmap* holder = resource;
  EXPECT_EQ(holder->GetBitmap(), nullptr);
  delete holder;  // through the base, as the gadgets hold it
}

}  // namespace
