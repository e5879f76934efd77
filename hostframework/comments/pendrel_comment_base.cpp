#include "hostframework/comments/pendrel_comment_base.h"

#include "hostframework/comments/comment_popup.h"

#include <algorithm>
#include <cmath>

#include "core/core_type_ids.h"
#include "platform/win32/message_queue.h"

namespace {

constexpr COLORREF kLineColour = RGB(192, 192, 192);
constexpr DWORD kCommentTypeNumber = 18;
constexpr int kHighlightMargin = 50;
constexpr int kZoomFrames = 10;
constexpr DWORD kZoomStartPauseMs = 50;

template <class T>
HRESULT Put(T* out, T value) {
  if (out) *out = value;
  return S_OK;
}

// The nearest ancestor with a sizing border (the window itself included), or null.
HWND SizingFrame(HWND window) {
  for (HWND each = window; each; each = GetParent(each))
    if (GetWindowLongW(each, GWL_STYLE) & LONG(WS_THICKFRAME)) return each;
  return nullptr;
}

bool ShownAndNotMinimised(HWND window) { return IsWindowVisible(window) && !IsIconic(window); }

RECT Interpolated(const RECT& from, const RECT& to, int frame) {
  auto edge = [&](LONG a, LONG b) { return LONG(a + (b - a) * frame / kZoomFrames); };
  return {edge(from.left, to.left), edge(from.top, to.top), edge(from.right, to.right),
          edge(from.bottom, to.bottom)};
}

}  // namespace

PendrelCommentBase::PendrelCommentBase(DWORD wordA, DWORD wordB, LONG record, LONG offset,
                                       const Quor::String& text)
    : m_wordA(wordA), m_offset(offset), m_wordB(wordB), m_text(text), m_record(record) {}

HRESULT PendrelCommentBase::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IUnknown::iid || iid == IPendrelComment::iid || iid == IPendrelCommentEx::iid)
    *object = static_cast<IPendrelCommentEx*>(this);
  else if (iid == IQuorComment::iid)
    *object = static_cast<IQuorComment*>(this);
  else
    return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG PendrelCommentBase::Release() {
  const ULONG count = InternalRelease();
  if (count == 0) delete this;
  return count;
}

LONG PendrelCommentBase::EffectiveRecord() {
  LONG record = m_record;
  if (m_event) m_event->GetRecord(&record);
  return record;
}

HRESULT PendrelCommentBase::GetLocation(CommentRecordOffset* position, DWORD* wordB, DWORD* tag,
                                        IQuorString** text) {
  if (position) *position = {EffectiveRecord(), m_offset};
  Put(wordB, m_wordB);
  Put(tag, m_tag);
  if (text) *text = m_text.GetInterface();
  return S_OK;
}

HRESULT PendrelCommentBase::GetPosition(CommentOffsetRecord* position) {
  return Put(position, CommentOffsetRecord{m_offset, m_record});
}
HRESULT PendrelCommentBase::GetOffset(LONG* offset) { return Put(offset, m_offset); }
HRESULT PendrelCommentBase::GetWordA(DWORD* word) { return Put(word, m_wordA); }
HRESULT PendrelCommentBase::GetWordB(DWORD* word) { return Put(word, m_wordB); }
HRESULT PendrelCommentBase::GetTag(DWORD* tag) { return Put(tag, m_tag); }
HRESULT PendrelCommentBase::SetTag(DWORD tag) {
  m_tag = tag;
  return S_OK;
}
HRESULT PendrelCommentBase::SetWordB(DWORD, DWORD word) {
  m_wordB = word;
  return S_OK;
}
HRESULT PendrelCommentBase::GetRecordPosition(CommentRecordOffset* position) {
  return Put(position, CommentRecordOffset{EffectiveRecord(), m_offset});
}
HRESULT PendrelCommentBase::GetFlags(DWORD* flags) { return Put(flags, m_flags); }
HRESULT PendrelCommentBase::SetOffset(LONG offset) {
  m_offset = offset;
  return S_OK;
}

HRESULT PendrelCommentBase::SetEvent(IPendrelCommentEvent* event) {
  if (!event) {
    // The record stays known after the event goes.
    m_record = EffectiveRecord();
    m_event.Clear();
    return S_OK;
  }
  m_event = Quor::ComPtr<IPendrelCommentEvent>(event);
  return S_OK;
}

HRESULT PendrelCommentBase::GetEvent(IPendrelCommentEvent** event) {
  if (!event) return E_POINTER;
  *event = m_event.Get();
  if (!*event) return S_FALSE;
  (*event)->AddRef();
  return S_OK;
}

HRESULT PendrelCommentBase::GetEventTime(LONG* ticks) {
  LONG position = 0;
  if (m_event) m_event->GetTickPosition(&position);
  return Put(ticks, m_offset + position);
}

HRESULT PendrelCommentBase::SetText(IAutoQuorString* text) {
  if (!text) {
    m_text.Clear();
    return S_OK;
  }
  if (text->GetKind() == kQuorStringKind) {
    text->AddRef();
    m_text.Adopt(text);
  } else {
    m_text.AssignFrom(text);
  }
  return S_OK;
}

LONG PendrelCommentBase::SortsAtOrAfter(IPendrelCommentEx* other) {
  if (!other) return 1;
  CommentRecordOffset mine{}, theirs{};
  DWORD myTag = 0, theirTag = 0, theirA = 0, myB = 0, theirB = 0;
  Quor::ComPtr<IQuorString> myText, theirText;
  GetLocation(&mine, &myB, &myTag, Quor::ComPtrOut<IQuorString>::Bind(myText));
  other->GetLocation(&theirs, &theirB, &theirTag, Quor::ComPtrOut<IQuorString>::Bind(theirText));
  other->GetWordA(&theirA);
  auto order = [](auto a, auto b) { return a < b ? -1 : a > b ? 1 : 0; };
  for (int step : {order(mine.record, theirs.record), order(mine.offset, theirs.offset),
                   order(myTag, theirTag), order(m_wordA, theirA), order(myB, theirB)})
    if (step != 0) return step > 0 ? 1 : 0;
  Quor::String a, b;
  if (myText) a.AssignFrom(myText.Get());
  if (theirText) b.AssignFrom(theirText.Get());
  return b < a || a == b ? 1 : 0;
}

LONG PendrelCommentBase::IsDifferent(IPendrelCommentEx* other) {
  if (!other) return 1;
  if (static_cast<IPendrelCommentEx*>(this) == other) return 0;
  // Equal when each sorts at or after the other, that is, every key is equal.
  return SortsAtOrAfter(other) && other->SortsAtOrAfter(this) ? 0 : 1;
}

HRESULT PendrelCommentBase::GetAbsoluteOffset(LONG* offset) {
  if (!m_event) {
    Put(offset, LONG(-1));
    return E_FAIL;
  }
  LONG position = 0;
  m_event->GetTickPosition(&position);
  return Put(offset, m_offset + position);
}

HRESULT PendrelCommentBase::GetTypeWord(DWORD* type) {
  return Put(type, Quor::CoreTypeId(kCommentTypeNumber));
}

HRESULT PendrelCommentBase::GetEventInfo(DWORD* type, COLORREF* colour, DWORD* reserved) {
  GetTypeWord(type);
  Put(colour, m_colour);
  return Put(reserved, DWORD(0));
}

HRESULT PendrelCommentBase::GetAbsolutePosition(CommentOffsetRecord* position) {
  if (!m_event) return E_FAIL;
  LONG ticks = 0, record = 0;
  m_event->GetTickPosition(&ticks);
  m_event->GetRecord(&record);
  return Put(position, CommentOffsetRecord{m_offset + ticks, record});
}

HRESULT PendrelCommentBase::GetAbsoluteLocation(LONG* offset, DWORD* wordB, DWORD* tag,
                                                IQuorString** text) {
  LONG absolute = -1;
  if (m_event) {
    LONG ticks = 0;
    m_event->GetTickPosition(&ticks);
    absolute = m_offset + ticks;
  }
  Put(offset, absolute);
  Put(wordB, m_wordB);
  Put(tag, m_tag);
  if (text) *text = m_text.GetInterface();
  return S_OK;
}

COLORREF PendrelCommentBase::GetColour(BOOL highlighted) { return highlighted ? 0 : m_colour; }

double PendrelCommentBase::Scale(HDC dc) {
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  return std::max(1.0, dpi / 96.0);
}

HRESULT PendrelCommentBase::GetMarkerRect(HDC dc, POINT point, RECT* rect) {
  if (!rect) return E_POINTER;
  const LONG half = LONG(std::floor(3 * Scale(dc)));
  *rect = {point.x - half, point.y, point.x + 1 + half, point.y + 2 * half + 1};
  return S_OK;
}

HRESULT PendrelCommentBase::Paint(HDC, const CommentDrawing*) { return S_OK; }

HRESULT PendrelCommentBase::HitTest(HDC dc, const CommentDrawing* drawing, POINT point, LONG* part) {
  if (!drawing) return E_POINTER;
  RECT marker;
  GetMarkerRect(dc, {drawing->x, drawing->top}, &marker);
  const bool hit = PtInRect(&marker, point);
  Put(part, hit ? kCommentPartMarker : LONG(0));
  return hit ? S_OK : S_FALSE;
}

HRESULT PendrelCommentBase::ShowPopup(HWND window, const CommentDrawing* drawing,
                                      IQuorString* timeText, ICommentPopupWindow** popup) {
  if (!drawing) return E_POINTER;
  const RECT marker{drawing->x, 10, drawing->x + 10, 20};
  return OpenPopup(window, drawing, timeText, popup, &marker);
}

HRESULT PendrelCommentBase::OpenPopup(HWND window, const CommentDrawing*, IQuorString* timeText,
                                      ICommentPopupWindow** popup, const RECT* marker) {
  if (popup) *popup = nullptr;
  DWORD flags = 0;
  GetFlags(&flags);
  if (flags & kCommentNoPopup) return S_FALSE;
  if (!popup || !marker) return E_POINTER;
  // The popup stands on the middle of the marker's top edge.
  POINT anchor{(marker->left + marker->right) / 2, marker->top};
  ClientToScreen(window, &anchor);
  std::u16string time;
  if (timeText && timeText->GetBuffer()) time.assign(timeText->GetBuffer(), timeText->Length());
  *popup = new CommentPopup(window, anchor, this, time, marker->bottom - marker->top);
  return S_OK;
}

HRESULT PendrelCommentBase::HighlightMarker(HWND window, const CommentDrawing* drawing, DWORD durationMs) {
  if (!drawing) return S_OK;
  WINDOWPLACEMENT placement{sizeof placement, 0, 0, {}, {}, {}};
  if (!GetWindowPlacement(window, &placement) ||
      (placement.showCmd != SW_SHOWNORMAL && placement.showCmd != SW_SHOWMAXIMIZED))
    return S_OK;
  HDC dc = GetDC(window);
  RECT marker;
  GetMarkerRect(dc, {drawing->x, drawing->top}, &marker);
  ReleaseDC(window, dc);
  POINT screen{drawing->x, drawing->top};
  ClientToScreen(window, &screen);
  if (WindowFromPoint(screen) != window) return S_OK;
  RECT from = marker;
  InflateRect(&from, kHighlightMargin, kHighlightMargin);
  AnimateZoomEllipse(window, &from, &marker, durationMs);
  return S_OK;
}

HRESULT PendrelCommentBase::AnimateZoomRect(HWND window, const RECT* from, const RECT* to, DWORD durationMs) {
  return AnimateZoom(window, 0, from, to, durationMs);
}

HRESULT PendrelCommentBase::AnimateZoomEllipse(HWND window, const RECT* from, const RECT* to,
                                               DWORD durationMs) {
  return AnimateZoom(window, 1, from, to, durationMs);
}

HRESULT PendrelCommentBase::AnimateZoom(HWND window, LONG shape, const RECT* from, const RECT* to,
                                        DWORD durationMs) {
  if (!from || !to || !ShownAndNotMinimised(window)) return S_OK;
  const HWND frame = SizingFrame(window);
  if (!frame || !ShownAndNotMinimised(frame)) return S_OK;
  HDC dc = GetDC(frame);
  GdiFlush();
  Sleep(kZoomStartPauseMs);
  HPEN pen = CreatePen(PS_SOLID, 2, 0);
  const HGDIOBJ oldPen = SelectObject(dc, pen);
  const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  const int oldMix = SetROP2(dc, R2_NOT);
  // Each frame is drawn and then taken away, so the window is left as it was.
  HDC saved = nullptr;
  HBITMAP savedBits = nullptr;
  RECT savedArea{};
  for (int i = 0; i < kZoomFrames; ++i) {
    RECT area = Interpolated(*from, *to, i);
    MapWindowPoints(window, frame, reinterpret_cast<POINT*>(&area), 2);
    if (shape == 0) {
      const POINT outline[] = {{area.left, area.top}, {area.right, area.top}, {area.right, area.bottom},
                               {area.left, area.bottom}, {area.left, area.top}};
      Polyline(dc, outline, 5);
      Sleep(durationMs / kZoomFrames);
      Polyline(dc, outline, 5);
      continue;
    }
    if (i == 0) {
      savedArea = area;
      InflateRect(&savedArea, 2, 2);
      saved = CreateCompatibleDC(dc);
      savedBits = CreateCompatibleBitmap(dc, savedArea.right - savedArea.left, savedArea.bottom - savedArea.top);
      SelectObject(saved, savedBits);
      BitBlt(saved, 0, 0, savedArea.right - savedArea.left, savedArea.bottom - savedArea.top, dc,
             savedArea.left, savedArea.top, SRCCOPY);
    }
    Ellipse(dc, area.left, area.top, area.right, area.bottom);
    Sleep(durationMs / kZoomFrames);
    BitBlt(dc, savedArea.left, savedArea.top, savedArea.right - savedArea.left,
           savedArea.bottom - savedArea.top, saved, 0, 0, SRCCOPY);
  }
  if (saved) {
    DeleteDC(saved);
    DeleteObject(savedBits);
  }
  SetROP2(dc, oldMix);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  ReleaseDC(frame, dc);
  return S_OK;
}

HRESULT EventCommentBase::Paint(HDC dc, const CommentDrawing* drawing) {
  if (!drawing) return E_POINTER;
  const double scale = Scale(dc);
  if (drawing->flags & (kCommentDrawLine | kCommentDrawLineToo)) {
    const LONG bottom = (drawing->flags & kCommentUseAlternativeBottom) && drawing->alternativeBottom >= 1
                            ? drawing->alternativeBottom
                            : drawing->bottom;
    const int width = int(std::floor(scale));
    // Alternate dots on a raster display; a dotted geometric pen elsewhere (printers, metafiles).
    const bool raster = GetDeviceCaps(dc, TECHNOLOGY) == DT_RASDISPLAY;
    const LOGBRUSH brush{BS_SOLID, kLineColour, 0};
    HPEN pen = raster ? ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &brush, 0, nullptr)
                      : ExtCreatePen(PS_GEOMETRIC | PS_DOT, DWORD(width), &brush, 0, nullptr);
    const HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, drawing->x, drawing->top, nullptr);
    LineTo(dc, drawing->x, bottom);
    SelectObject(dc, old);
    DeleteObject(pen);
  }
  RECT marker;
  GetMarkerRect(dc, {drawing->x, drawing->top}, &marker);
  HBRUSH fill = CreateSolidBrush(GetColour((drawing->flags & kCommentHighlighted) != 0));
  const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  const HGDIOBJ oldBrush = SelectObject(dc, fill);
  Ellipse(dc, marker.left, marker.top, marker.right, marker.bottom);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(fill);
  return S_OK;
}

HRESULT EventCommentBase::ShowPopup(HWND window, const CommentDrawing* drawing, IQuorString* timeText,
                                    ICommentPopupWindow** popup) {
  if (!drawing) return E_POINTER;
  HDC dc = GetDC(window);
  RECT marker;
  GetMarkerRect(dc, {drawing->x, drawing->top}, &marker);
  ReleaseDC(window, dc);
  return OpenPopup(window, drawing, timeText, popup, &marker);
}
