#include "hostframework/comments/comment_popup.h"

#include <algorithm>

#include "hostframework/host_preferences.h"
#include "platform/win32/hresult.h"
#include "platform/win32/monitors.h"

namespace {

constexpr int kMargin = 7;
constexpr int kCharactersPerLine = 40;
constexpr int kMostLines = 7;
constexpr std::size_t kLongestTimeLabel = 31;
constexpr DWORD kSampleFlags = 0x08200000;
constexpr int kScreenEdgeGap = 10;

// The framework's interface font, at a weight.
LOGFONTW GadgetFont(LONG weight) {
  LOGFONTW font{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  font.lfWeight = weight;
  return font;
}

struct CharSize {
  int width, height;
};

CharSize MeasureFont(HFONT font) {
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return {metrics.tmAveCharWidth, metrics.tmHeight};
}

}  // namespace

CommentPopup::CommentPopup(HWND parent, POINT anchor, IPendrelComment* comment,
                           const std::u16string& timeText, int markerHeight)
    : OWL::TWindow(static_cast<OWL::TWindow*>(nullptr)), m_timeText(timeText), m_comment(comment),
      m_anchor(anchor), m_font(GadgetFont(FW_NORMAL)), m_boldFont(GadgetFont(FW_BOLD)),
      m_markerHeight(markerHeight) {
  if (m_comment) m_comment->AddRef();
  const CharSize normal = MeasureFont(m_font), bold = MeasureFont(m_boldFont);
  const int w = normal.width, h = normal.height;
  m_lines = std::min(int(CommentText().size()) / kCharactersPerLine + 1, kMostLines);
  m_label = {0, 0, 8 * w, h};
  m_text = {0, h + kMargin, kCharactersPerLine * w, h + kMargin + m_lines * h};
  const OWL::TRect window = (m_label | m_text).InflatedBy(kMargin, kMargin);
  m_label.Offset(9, 7);
  m_text.Offset(7, 7);
  m_timeLabel = {m_label.right + 2 * bold.width, m_label.top};

  SetParentHandle(parent);
  Attr.Style = WS_POPUP | WS_DISABLED | WS_BORDER;
  Attr.X = anchor.x;
  Attr.Y = anchor.y - window.Height();
  Attr.W = window.Width();
  Attr.H = window.Height();
  if (Create() && GetTarnHostBoolPreference()) ShowWindow(SW_SHOWNOACTIVATE);
}

CommentPopup::~CommentPopup() {
  Destroy();
  if (m_comment) m_comment->Release();
}

void CommentPopup::GetWindowClass(WNDCLASSEXW& windowClass) const {
  OWL::TWindow::GetWindowClass(windowClass);
  windowClass.style |= CS_SAVEBITS;
  windowClass.hbrBackground = GetSysColorBrush(COLOR_INFOBK);
}

// Keeps the popup on the monitor nearest its anchor, above the marker unless that leaves too
// little room at the top, then below it.
void CommentPopup::SetupWindow() {
  OWL::TWindow::SetupWindow();
  MONITORINFO monitor{sizeof monitor, {}, {}, 0};
  GetMonitorInfoW(MonitorFromPoint(m_anchor, MONITOR_DEFAULTTONEAREST), &monitor);
  const int x = std::min<int>(m_anchor.x, monitor.rcWork.right - kScreenEdgeGap - Attr.W);
  int y = m_anchor.y - Attr.H;
  if (y < kScreenEdgeGap) y = m_anchor.y + m_markerHeight;
  ::SetWindowPos(GetHandle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::u16string CommentPopup::CommentText() const {
  if (!m_comment) return {};
  IQuorString* text = nullptr;
  if (FAILED(m_comment->GetLocation(nullptr, nullptr, nullptr, &text)) || !text) return {};
  std::u16string copy(text->GetBuffer() ? text->GetBuffer() : u"", text->Length());
  text->Release();
  return copy;
}

void CommentPopup::Paint(OWL::TDC& dc, bool, OWL::TRect&) {
  const std::u16string comment = CommentText();
  dc.SelectObject(m_font);
  dc.SetTextColor(OWL::TColor(GetSysColor(COLOR_INFOTEXT)));
  dc.SetBkColor(OWL::TColor(GetSysColor(COLOR_INFOBK)));
  if (m_comment) {
    const CommentDrawing sample{(m_label.left + m_label.right) / 2, m_label.top, m_label.bottom, 0, kSampleFlags};
    dc.SetTextAlign(TA_CENTER);
    m_comment->Paint(dc, &sample);
    dc.SetTextAlign(0);
  }
  dc.SelectObject(m_boldFont);
  dc.TextOut(m_timeLabel, (u"t = " + m_timeText).substr(0, kLongestTimeLabel));
  dc.SelectObject(m_font);
  OWL::TRect text = m_text;
  dc.DrawText(comment, text, DT_WORDBREAK);
}

HRESULT CommentPopup::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid != IUnknown::iid && iid != ICommentPopupWindow::iid) return E_NOINTERFACE;
  *object = static_cast<ICommentPopupWindow*>(this);
  AddRef();
  return S_OK;
}

ULONG CommentPopup::AddRef() { return ++m_references; }

ULONG CommentPopup::Release() {
  const ULONG left = --m_references;
  if (left == 0) delete this;
  return left;
}

HRESULT CommentPopup::GetComment(IPendrelComment** comment) {
  if (!comment) return E_INVALIDARG;
  *comment = m_comment;
  if (m_comment) m_comment->AddRef();
  return S_OK;
}

HRESULT CommentPopup::Redraw() {
  InvalidateRect(GetHandle(), nullptr, TRUE);
  ::UpdateWindow(GetHandle());
  return S_OK;
}
