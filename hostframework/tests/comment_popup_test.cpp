#include "hostframework/comments/comment_popup.h"

#include <gtest/gtest.h>

#include <string>

#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "hostframework/comments/pendrel_comment_base.h"
#include "platform/win32/monitors.h"

namespace {

class PopupComment : public PendrelCommentBase {
 public:
  using PendrelCommentBase::PendrelCommentBase;
};

Quor::ComPtr<PopupComment> MakePopupComment(const std::u16string& text) {
  Quor::ComPtr<PopupComment> comment;
  comment.Attach(new PopupComment(1, 2, 0, 100, Quor::String(text.c_str())));
  comment->AddRef();
  return comment;
}

// One 800 x 600 monitor whose work area ends 40 pixels above its bottom.
class CommentPopupTest : public ::testing::Test {
 protected:
  void SetUp() override { win32::SetMonitorsForTesting({{{0, 0, 800, 600}, {0, 0, 800, 560}, 96}}); }
  void TearDown() override { win32::SetMonitorsForTesting({}); }
};

TEST_F(CommentPopupTest, LongTextGetsMoreLinesUpToSeven) {
  struct Case {
    int characters, lines;
  } cases[] = {{0, 1}, {39, 1}, {40, 2}, {79, 2}, {80, 3}, {400, 7}};
  for (const Case& c : cases) {
    auto comment = MakePopupComment(std::u16string(std::size_t(c.characters), u'x'));
    auto* popup = new CommentPopup(nullptr, {100, 300}, comment.Get(), u"1.5 s", 10);
    EXPECT_EQ(popup->TextLines(), c.lines) << c.characters;
    const OWL::TRect label = popup->LabelRect(), text = popup->TextRect();
    EXPECT_EQ(label.TopLeft(), OWL::TPoint(9, 7));
    EXPECT_EQ(text.top, label.bottom + 7) << "the text starts below the label";
    EXPECT_EQ(text.Height(), c.lines * label.Height());
    EXPECT_EQ(popup->TimeLabelPosition().y, label.top);
    EXPECT_GT(popup->TimeLabelPosition().x, label.right);
    popup->Release();
  }
}

TEST_F(CommentPopupTest, ThePopupStaysOnItsMonitor) {
  auto comment = MakePopupComment(u"note");
  struct Case {
    const char* where;
    POINT anchor;
  } cases[] = {{"in the open", {100, 300}}, {"near the right edge", {790, 300}}, {"near the top", {100, 20}}};
  for (const Case& c : cases) {
    auto* popup = new CommentPopup(nullptr, c.anchor, comment.Get(), u"2 s", 12);
    const OWL::TRect rect = popup->GetWindowRect();
    EXPECT_EQ(rect.left, std::min<LONG>(c.anchor.x, 800 - 10 - rect.Width())) << c.where;
    const bool below = c.anchor.y - rect.Height() < 10;
    EXPECT_EQ(rect.top, below ? c.anchor.y + 12 : c.anchor.y - rect.Height()) << c.where;
    EXPECT_EQ(below, std::string(c.where) == "near the top");
    EXPECT_TRUE(IsWindowVisible(popup->GetHandle())) << "shown where the host lets popups show";
    EXPECT_EQ(GetWindowLongW(popup->GetHandle(), GWL_STYLE) & 0x88800000u, 0x88800000u);
    popup->Release();
  }
}

TEST_F(CommentPopupTest, ACommentOpensItsPopupAndReleasingItClosesIt) {
  auto comment = MakePopupComment(u"premature beat");
  OWL::TWindow view(static_cast<OWL::TWindow*>(nullptr));
  view.Attr.Style = WS_POPUP;
  view.Attr.X = 200, view.Attr.Y = 300, view.Attr.W = 300, view.Attr.H = 200;
  ASSERT_TRUE(view.Create());
  Quor::String time(u"12.5 s");
  ICommentPopupWindow* popup = nullptr;
  const CommentDrawing drawing{50, 0, 100, 0, 0};
  IQuorString* timeText = time.GetInterface();  // with a reference of its own
  ASSERT_EQ(comment->ShowPopup(view, &drawing, timeText, &popup), S_OK);
  timeText->Release();
  ASSERT_NE(popup, nullptr);
  IPendrelComment* shown = nullptr;
  EXPECT_EQ(popup->GetComment(&shown), S_OK);
  EXPECT_EQ(shown, static_cast<IPendrelComment*>(comment.Get()));
  shown->Release();
  EXPECT_EQ(popup->GetComment(nullptr), E_INVALIDARG);
  auto* window = static_cast<CommentPopup*>(popup);
  const HWND handle = window->GetHandle();
  // Anchored at the middle of the marker's top edge, (55, 10) in the view: its bottom there.
  EXPECT_EQ(window->GetWindowRect().left, 255);
  EXPECT_EQ(window->GetWindowRect().bottom, 310);
  EXPECT_EQ(popup->Redraw(), S_OK);
  popup->Release();
  EXPECT_FALSE(IsWindow(handle));
}

}  // namespace
