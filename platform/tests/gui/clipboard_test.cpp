#include "platform/win32/clipboard.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "platform/win32/global_memory.h"
#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"
#include "platform/win32/metafile.h"

namespace {

HGLOBAL Text(const char16_t* text) {
  const SIZE_T bytes = (std::char_traits<char16_t>::length(text) + 1) * sizeof(char16_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(block), text, bytes);
  GlobalUnlock(block);
  return block;
}

class Clipboard : public ::testing::Test {
 protected:
  void TearDown() override { win32::ResetClipboardForTesting(); }
};

TEST_F(Clipboard, DataSetWhileOpenIsReadBack) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  HGLOBAL block = Text(u"RR");
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, block), block);
  HGLOBAL replacement = Text(u"RR 2");
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, replacement), replacement);
  EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), replacement) << "the old block was freed";
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  auto* text = static_cast<const char16_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
  EXPECT_EQ(std::u16string(text), u"RR 2");
  GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
  ASSERT_TRUE(CloseClipboard());
  EXPECT_FALSE(CloseClipboard());
}

TEST_F(Clipboard, SettingWhileClosedOrBusyIsRefusedAndTheCallerKeepsTheBlock) {
  struct Case {
    const char* name;
    bool open;
    bool busy;
  } cases[] = {{"closed", false, false}, {"busy", true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.open) {
      ASSERT_TRUE(OpenClipboard(nullptr));
    }
    win32::SetClipboardBusyForTesting(c.busy);
    HGLOBAL block = Text(u"kept");
    SetLastError(0);
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, block), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_CLIPBOARD_NOT_OPEN);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    // Still the caller's: it can be read and freed.
    EXPECT_EQ(std::u16string(static_cast<const char16_t*>(GlobalLock(block))), u"kept");
    GlobalUnlock(block);
    EXPECT_EQ(GlobalFree(block), nullptr);
    win32::ResetClipboardForTesting();
  }
  win32::SetClipboardBusyForTesting(true);
  EXPECT_FALSE(OpenClipboard(nullptr));
}

TEST_F(Clipboard, AMetafileIsHeldByItsHandleAndDeletedWhenReplacedOrEmptied) {
  auto recorded = [] {
    const RECT frame{0, 0, 500, 500};
    return CloseEnhMetaFile(CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr));
  };
  const std::size_t before = win32::LiveMetafileCount();
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  const HENHMETAFILE first = recorded(), second = recorded();
  EXPECT_EQ(SetClipboardData(CF_ENHMETAFILE, first), HANDLE(first));
  EXPECT_EQ(SetClipboardData(CF_ENHMETAFILE, second), HANDLE(second));
  EXPECT_EQ(win32::LiveMetafileCount(), before + 1) << "the replaced one was deleted";
  EXPECT_EQ(GetClipboardData(CF_ENHMETAFILE), HANDLE(second));
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_EQ(win32::LiveMetafileCount(), before);

  win32::RefuseClipboardFormatForTesting(CF_ENHMETAFILE);
  const HENHMETAFILE refused = recorded();
  EXPECT_EQ(SetClipboardData(CF_ENHMETAFILE, refused), nullptr);
  EXPECT_TRUE(DeleteEnhMetaFile(refused)) << "a refused metafile stays the caller's";
  CloseClipboard();
}

TEST_F(Clipboard, OnlyTheOpeningThreadMayUseIt) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  std::thread other([] {
    EXPECT_FALSE(OpenClipboard(nullptr));
    EXPECT_EQ(SetClipboardData(CF_TEXT, reinterpret_cast<HANDLE>(1)), nullptr);
  });
  other.join();
  CloseClipboard();
}

TEST_F(Clipboard, RegisteredFormatsStartAt0xC000AndKeepTheirNames) {
  const UINT html = RegisterClipboardFormatW(u"Rhyth Test Format");
  EXPECT_GE(html, 0xC000u);
  EXPECT_EQ(RegisterClipboardFormatW(u"rhyth test FORMAT"), html);
  EXPECT_NE(RegisterClipboardFormatW(u"Another Test Format"), html);
  EXPECT_EQ(RegisterClipboardFormatW(u""), 0u);
  char16_t name[64];
  ASSERT_EQ(GetClipboardFormatNameW(html, name, 64), 17);
  EXPECT_EQ(std::u16string(name), u"Rhyth Test Format");
  EXPECT_EQ(GetClipboardFormatNameW(CF_TEXT, name, 64), 0);
}

}  // namespace
