#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "hostframework/comments/pendrel_comment_base.h"
#include "hostframework/comments/show_comment2_msg.h"
#include "platform/win32/clock.h"
#include "platform/win32/com_object.h"
#include "platform/win32/monitors.h"

namespace {

class FakeEvent : public SimpleUnknownImp1<IPendrelCommentEvent, 0> {
 public:
  FakeEvent(LONG ticks, LONG record) : m_ticks(ticks), m_record(record) {}
  HRESULT GetTickPosition(LONG* ticks) override {
    *ticks = m_ticks;
    return S_OK;
  }
  HRESULT GetRecord(LONG* record) override {
    *record = m_record;
    return S_OK;
  }

 private:
  LONG m_ticks, m_record;
};

class Comment : public EventCommentBase {
 public:
  using EventCommentBase::EventCommentBase;
  void SetColour(COLORREF colour) { m_colour = colour; }
};

// A comment made with one reference, for the test to hold.
Quor::ComPtr<Comment> MakeComment(const Quor::String& text = u"note", LONG record = 2, LONG offset = 100) {
  Quor::ComPtr<Comment> comment;
  comment.Attach(new Comment(1, 2, record, offset, text));
  comment->AddRef();
  return comment;
}

class MemoryCanvas {
 public:
  MemoryCanvas(int width, int height) {
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateCompatibleBitmap(dc, width, height);
    SelectObject(dc, bitmap);
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~MemoryCanvas() {
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  HDC dc;
  HBITMAP bitmap;
};

TEST(Comment, MarkersScaleWithTheDotsPerInch) {
  struct Case {
    int dpi;
    RECT expected;  // for the marker point (20, 5)
  } cases[] = {{96, {17, 5, 24, 12}}, {192, {14, 5, 27, 18}}, {72, {17, 5, 24, 12}}};
  auto comment = MakeComment();
  for (const Case& c : cases) {
    win32::SetMonitorsForTesting({{{0, 0, 800, 600}, {0, 0, 800, 560}, c.dpi}});
    MemoryCanvas canvas(40, 40);
    RECT marker;
    comment->GetMarkerRect(canvas.dc, {20, 5}, &marker);
    EXPECT_TRUE(EqualRect(&marker, &c.expected)) << c.dpi << ": " << marker.left << "," << marker.top
                                                  << "," << marker.right << "," << marker.bottom;
    LONG part = -1;
    CommentDrawing drawing{20, 5, 30, 0, 0};
    EXPECT_EQ(comment->HitTest(canvas.dc, &drawing, {marker.right - 1, marker.bottom - 1}, &part), S_OK);
    EXPECT_EQ(part, kCommentPartMarker);
    EXPECT_EQ(comment->HitTest(canvas.dc, &drawing, {marker.right, marker.top}, &part), S_FALSE);
    EXPECT_EQ(part, 0);
  }
  win32::SetMonitorsForTesting({});
}

TEST(Comment, PaintDrawsTheDottedLineAndTheFilledMarker) {
  auto comment = MakeComment();
  comment->SetColour(RGB(0, 128, 0));
  MemoryCanvas canvas(40, 60);
  CommentDrawing drawing{20, 5, 50, 0, kCommentDrawLine};
  ASSERT_EQ(comment->Paint(canvas.dc, &drawing), S_OK);
  EXPECT_EQ(GetPixel(canvas.dc, 20, 8), RGB(0, 128, 0)) << "the marker's fill";
  EXPECT_EQ(GetPixel(canvas.dc, 20, 5), RGB(0, 0, 0)) << "the marker's outline";
  int grey = 0;
  for (int y = 14; y < 50; ++y) grey += GetPixel(canvas.dc, 20, y) == RGB(192, 192, 192);
  EXPECT_EQ(grey, 18) << "alternate pixels of the line below the marker";
  drawing.flags = kCommentHighlighted;
  comment->Paint(canvas.dc, &drawing);
  EXPECT_EQ(GetPixel(canvas.dc, 20, 8), RGB(0, 0, 0)) << "highlighted markers are black";
}

TEST(Comment, PositionsThroughTheEvent) {
  auto comment = MakeComment(u"note", 2, 100);
  LONG offset = 0;
  EXPECT_EQ(comment->GetAbsoluteOffset(&offset), E_FAIL);
  EXPECT_EQ(offset, -1);
  CommentOffsetRecord absolute;
  EXPECT_EQ(comment->GetAbsolutePosition(&absolute), E_FAIL);

  auto* event = new FakeEvent(5000, 7);
  comment->SetEvent(event);
  EXPECT_EQ(comment->GetAbsoluteOffset(&offset), S_OK);
  EXPECT_EQ(offset, 5100);
  CommentRecordOffset location{};
  comment->GetLocation(&location, nullptr, nullptr, nullptr);
  EXPECT_EQ(location.record, 7);
  Quor::ComPtr<IQuorComment> second;
  ASSERT_EQ(comment->QueryInterface(IQuorComment::iid, Quor::ComPtrOut<IQuorComment>::Bind(second)), S_OK);
  second->GetAbsoluteLocation(&offset, nullptr, nullptr, nullptr);
  EXPECT_EQ(offset, 5100);

  // Dropping the event keeps its record for later queries.
  comment->SetEvent(nullptr);
  comment->GetRecordPosition(&location);
  EXPECT_EQ(location.record, 7);
  Quor::ComPtr<IPendrelCommentEvent> none;
  EXPECT_EQ(comment->GetEvent(Quor::ComPtrOut<IPendrelCommentEvent>::Bind(none)), S_FALSE);
  EXPECT_FALSE(none);
}

TEST(Comment, OrderFollowsPositionWordsAndThenText) {
  auto a = MakeComment(u"alpha");
  auto b = MakeComment(u"beta");
  EXPECT_EQ(a->SortsAtOrAfter(b.Get()), 0);
  EXPECT_EQ(b->SortsAtOrAfter(a.Get()), 1);
  EXPECT_EQ(a->IsDifferent(b.Get()), 1);
  auto same = MakeComment(u"alpha");
  EXPECT_EQ(a->IsDifferent(same.Get()), 0);
  EXPECT_EQ(a->IsDifferent(a.Get()), 0);
  auto earlier = MakeComment(u"zzz", 2, 50);
  EXPECT_EQ(earlier->SortsAtOrAfter(a.Get()), 0) << "the offset counts before the text";
  auto laterRecord = MakeComment(u"a", 3, 0);
  EXPECT_EQ(laterRecord->SortsAtOrAfter(a.Get()), 1);
}

TEST(Comment, TheZoomAnimationLeavesThePixelsAsTheyWere) {
  auto clock = std::make_shared<win32::FixedClock>(0, 0);
  win32::SetClock(clock);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.lpszClassName = u"ZoomTarget";
  RegisterClassExW(&windowClass);
  const HWND window = CreateWindowExW(0, u"ZoomTarget", u"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      200, 150, nullptr, nullptr, nullptr, nullptr);
  HDC dc = GetDC(window);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 200));
  const RECT block{30, 30, 90, 80};
  FillRect(dc, &block, blue);
  std::vector<COLORREF> before;
  for (int y = 0; y < 140; ++y)
    for (int x = 0; x < 190; ++x) before.push_back(GetPixel(dc, x, y));
  auto comment = MakeComment();
  const RECT from{10, 10, 150, 120}, to{60, 50, 67, 57};
  const DWORD start = GetTickCount();
  for (LONG shape : {0, 1}) comment->AnimateZoom(window, shape, &from, &to, 300);
  EXPECT_EQ(GetTickCount() - start, 2 * (50u + 300u)) << "the pauses moved the manual clock";
  std::vector<COLORREF> after;
  for (int y = 0; y < 140; ++y)
    for (int x = 0; x < 190; ++x) after.push_back(GetPixel(dc, x, y));
  EXPECT_EQ(after, before);
  ReleaseDC(window, dc);
  DeleteObject(blue);
  DestroyWindow(window);
  win32::SetClock(nullptr);
}

// Keeps what it is asked to send, as a host that holds messages would.
class KeepingSender : public TarnMessageSender {
 public:
  HRESULT Send(IMessageHandler*, IMessage* message) override {
    IMessage* copy = nullptr;
    message->Clone(&copy);
    kept.emplace_back();
    kept.back().Attach(copy);
    return S_OK;
  }
  IMessageHandler* GetSendTarget() override { return nullptr; }
  std::vector<Quor::ComPtr<IMessage>> kept;

 protected:
  IMessageHandler* SenderIdentity() override { return nullptr; }
};

TEST(ShowComment2Msg, AClonedMessageAnswersLikeItsOriginal) {
  auto comment = MakeComment();
  Quor::ComPtr<IMessage> message;
  message.Attach(new ShowComment2Msg(comment.Get(), kShowComment2Position));
  message->AddRef();
  auto* sender = reinterpret_cast<IMessageHandler*>(0x1234);
  message->SetSender(sender);
  Quor::ComPtr<IMessage> clone;
  ASSERT_EQ(message->Clone(Quor::ComPtrOut<IMessage>::Bind(clone)), S_OK);
  EXPECT_EQ(clone->GetMessageId(), 0x800C005Au);
  EXPECT_EQ(clone->GetFlags(), 1u);
  DWORD type = 0;
  clone->GetTypeId(&type);
  EXPECT_EQ(type, 0x800C005Au);
  BOOL isSender = 0;
  clone->IsSender(sender, &isSender);
  EXPECT_EQ(isSender, VARIANT_TRUE);
  clone->IsSender(reinterpret_cast<IMessageHandler*>(0x5678), &isSender);
  EXPECT_EQ(isSender, VARIANT_FALSE);
  Quor::ComPtr<IShowComment2Message> show;
  ASSERT_EQ(clone->QueryInterface(IShowComment2Message::iid, Quor::ComPtrOut<IShowComment2Message>::Bind(show)), S_OK);
  Quor::ComPtr<IPendrelComment> carried;
  show->GetComment(Quor::ComPtrOut<IPendrelComment>::Bind(carried));
  EXPECT_EQ(carried.Get(), static_cast<IPendrelComment*>(comment.Get()));
  DWORD position = 0;
  show->GetPosition(&position);
  EXPECT_EQ(position, 0xE0000000u);
}

TEST(ShowComment2Msg, AKeptCloneStillHoldsItsCommentAfterTheSenderLetsGo) {
  KeepingSender sender;
  bool asked = false;
  auto commentAt = [&](LONG record, LONG offset) -> IPendrelComment* {
    asked = true;
    // The only reference is the one handed to the sending routine.
    auto* comment = new Comment(1, 2, record, offset, u"kept");
    comment->AddRef();
    return comment;
  };
  EXPECT_EQ(ShowComment2Msg::Send(sender, nullptr, 1, ShowComment2Msg::kNoPosition, true, commentAt), S_FALSE);
  EXPECT_EQ(ShowComment2Msg::Send(sender, nullptr, 1, 10, false, commentAt), S_FALSE);
  EXPECT_FALSE(asked);
  EXPECT_TRUE(sender.kept.empty());
  ASSERT_EQ(ShowComment2Msg::Send(sender, nullptr, 1, 10, true, commentAt), S_OK);
  ASSERT_EQ(sender.kept.size(), 1u);
  // The sender has released its reference: the kept message's comment must still be alive.
  Quor::ComPtr<IShowComment2Message> show;
  sender.kept[0]->QueryInterface(IShowComment2Message::iid, Quor::ComPtrOut<IShowComment2Message>::Bind(show));
  Quor::ComPtr<IPendrelComment> comment;
  show->GetComment(Quor::ComPtrOut<IPendrelComment>::Bind(comment));
  ASSERT_TRUE(comment);
  Quor::ComPtr<IQuorString> text;
  comment->GetLocation(nullptr, nullptr, nullptr, Quor::ComPtrOut<IQuorString>::Bind(text));
  EXPECT_EQ(Quor::String().AssignFrom(text.Get()), Quor::String(u"kept"));
}

}  // namespace
