#include "platform/win32/message_box.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageBox, RecordedAndAnsweredWithCancelUnlessScripted) {
  win32::TakeMessageBoxCalls();
  EXPECT_EQ(MessageBoxW(nullptr, u"Continue?", u"Question", MB_OKCANCEL | MB_TASKMODAL), IDCANCEL);
  win32::SetMessageBoxAnswerer([](const win32::MessageBoxCall& call) {
    return call.text == u"Save?" ? IDYES : IDNO;
  });
  EXPECT_EQ(MessageBoxW(nullptr, u"Save?", nullptr, MB_YESNO), IDYES);
  EXPECT_EQ(MessageBoxW(nullptr, u"Quit?", nullptr, MB_YESNO), IDNO);
  win32::SetMessageBoxAnswerer(nullptr);

  const std::vector<win32::MessageBoxCall> calls = win32::TakeMessageBoxCalls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].text, u"Continue?");
  EXPECT_EQ(calls[0].caption, u"Question");
  EXPECT_EQ(calls[0].type, MB_OKCANCEL | MB_TASKMODAL);
  EXPECT_EQ(calls[1].caption, u"Error");  // the system's caption when none is given
  EXPECT_TRUE(win32::TakeMessageBoxCalls().empty());
}

}  // namespace
