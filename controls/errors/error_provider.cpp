#include "controls/errors/error_provider.h"

#include <cmath>

#include "controls/balloon/balloon_help.h"
#include "platform/win32/cursor.h"
#include "platform/win32/input.h"
#include "platform/win32/message_queue.h"

namespace QuorControls {

namespace {

constexpr DWORD WS_EX_TRANSPARENT = 0x20;
constexpr DWORD SS_NOTIFY = 0x100;
constexpr DWORD kBalloonOptions = 0x87E00;
constexpr DWORD kBalloonOptionsWithLink = 0xE7E00;
constexpr DWORD kBalloonLayout = 0x2111;
constexpr int kExclamationIcon = 32515;
constexpr int kInformationIcon = 32516;
constexpr double kBalloonMoveTolerance = 3.0;
constexpr POINT kPopupOffset{-3, 19};

HINSTANCE ModuleOfParent(OWL::TWindow* parent) {
  return parent && parent->GetModule() ? parent->GetModule()->GetHandle() : GetModuleHandleW(nullptr);
}

}  // namespace

ErrorProvider::ErrorProvider(OWL::TWindow* parent, int placeholderId)
    : OWL::TStatic(parent, placeholderId),
      m_errorImage(ModuleOfParent(parent), 206),
      m_warningImage(ModuleOfParent(parent), 207),
      m_informationImage(ModuleOfParent(parent), 208) {
  Attr.ExStyle |= WS_EX_TRANSPARENT;
  Attr.Style &= ~WS_VISIBLE;
}

ErrorProvider::~ErrorProvider() = default;

void ErrorProvider::SetError(bool show, const Quor::String& title, const Quor::String& text) {
  m_title = title;
  m_text = text;
  ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void ErrorProvider::SetLink(const Quor::String& text, std::function<void()> callback) {
  m_linkText = text;
  m_linkCallback = std::move(callback);
}

// One image and one reaction: the first of each group in the order below wins.
void ErrorProvider::NormaliseFlags() {
  if (m_flags & kWarningImage)
    m_flags &= ~(kErrorImage | kInformationImage);
  else if (m_flags & kErrorImage)
    m_flags &= ~kInformationImage;
  else if (!(m_flags & kInformationImage))
    m_flags |= kErrorImage;
  if (m_flags & kBalloonReaction)
    m_flags &= ~(kPopupReaction | kNoReaction);
  else if (m_flags & kPopupReaction)
    m_flags &= ~kNoReaction;
  else if (!(m_flags & kNoReaction))
    m_flags |= kBalloonReaction;
}

void ErrorProvider::SetupWindow() {
  OWL::TStatic::SetupWindow();
  SetWindowLongW(GetHandle(), GWL_STYLE, (GetWindowLongW(GetHandle(), GWL_STYLE) | SS_NOTIFY) & ~WS_VISIBLE);
  ShowWindow(SW_HIDE);
  NormaliseFlags();
  const OWL::TBitmap& sized = (m_flags & kInformationImage) ? m_informationImage : m_errorImage;
  // Bottom-aligned with the placeholder.
  const int x = Attr.X, y = Attr.Y + Attr.H - sized.Height();
  MoveWindow(OWL::TRect(x, y, x + sized.Width(), y + sized.Height()), true);
}

const OWL::TBitmap& ErrorProvider::Image() const {
  if (m_flags & kErrorImage) return m_errorImage;
  if (m_flags & kWarningImage) return m_warningImage;
  return m_informationImage;
}

void ErrorProvider::Paint(OWL::TDC& dc, bool, OWL::TRect&) {
  const OWL::TBitmap& image = Image();
  if (!image.IsValid()) return;
  OWL::TMemoryDC memory(dc);
  memory.SelectObject(image);
  const COLORREF transparent = GetPixel(memory, 0, 0);
  if (!TransparentBlt(dc, 0, 0, image.Width(), image.Height(), memory, 0, 0, image.Width(), image.Height(),
                      transparent))
    BitBlt(dc, 0, 0, image.Width(), image.Height(), memory, 0, 0, SRCCOPY);
  memory.RestoreObjects();
}

bool ErrorProvider::Find(OWL::TEventInfo& info) {
  static const OWL::TResponseTable table{
      {WM_MOUSEMOVE, 0, OWL::Handler(&ErrorProvider::EvMouseMove)},
      {WM_LBUTTONDOWN, 0, OWL::Handler(&ErrorProvider::EvLButtonDown)},
      {WM_MBUTTONDOWN, 0, OWL::Handler(&ErrorProvider::EvOtherButtonDown)},
      {WM_RBUTTONDOWN, 0, OWL::Handler(&ErrorProvider::EvOtherButtonDown)},
      {WM_MOUSELEAVE, 0, OWL::Handler(&ErrorProvider::EvMouseLeave)},
      {WM_TIMER, 0, OWL::Handler(&ErrorProvider::EvTimer)},
  };
  return OWL::SearchResponseTable(table, info) || OWL::TStatic::Find(info);
}

void ErrorProvider::StartHoverTimer() {
  if (!m_popupShown && m_text.Length()) SetTimer(GetHandle(), kHoverTimer, kHoverTickMs, nullptr);
}

void ErrorProvider::React() {
  if (m_flags & kBalloonReaction) OpenBalloon();
  if (m_flags & kPopupReaction) StartHoverTimer();
}

LRESULT ErrorProvider::EvMouseMove(WPARAM wParam, LPARAM lParam) {
  if (!m_tracking) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, GetHandle(), 0};
    TrackMouseEvent(&track);
    m_tracking = true;
  }
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (m_flags & kBalloonReaction) {
    if (std::hypot(double(at.x - m_balloonPosition.x), double(at.y - m_balloonPosition.y)) > kBalloonMoveTolerance) {
      m_balloonPosition = at;
      OpenBalloon();
    }
  }
  if (m_flags & kPopupReaction) StartHoverTimer();
  return DefaultProcessing(WM_MOUSEMOVE, wParam, lParam);
}

LRESULT ErrorProvider::EvLButtonDown(WPARAM, LPARAM) {
  React();
  if (m_clickCallback) m_clickCallback();
  return 0;
}

LRESULT ErrorProvider::EvOtherButtonDown(WPARAM, LPARAM) {
  React();
  return 0;
}

LRESULT ErrorProvider::EvMouseLeave(WPARAM, LPARAM) {
  if (m_flags & kPopupReaction) {
    KillTimer(GetHandle(), kHoverTimer);
    m_popup.reset();
    m_popupShown = false;
  }
  m_tracking = false;
  return 0;
}

// The popup shows on the first tick and goes after about five seconds, not to come back until
// the pointer has left the mark.
LRESULT ErrorProvider::EvTimer(WPARAM wParam, LPARAM lParam) {
  if (wParam != kHoverTimer) return DefaultProcessing(WM_TIMER, wParam, lParam);
  if (!m_text.Length()) return 0;
  m_hoverMs += int(kHoverTickMs);
  if (m_hoverMs > kHoverLimitMs) {
    KillTimer(GetHandle(), kHoverTimer);
    m_hoverMs = 0;
    m_popup.reset();
  } else if ((m_flags & kPopupReaction) && !m_popupShown) {
    m_popupShown = true;
    POINT cursor{};
    GetCursorPos(&cursor);
    m_popup.reset();
    m_popup = std::make_unique<Quor::Popup>(this, OWL::TPoint(cursor.x + kPopupOffset.x, cursor.y + kPopupOffset.y),
                                            m_text);
  }
  return 0;
}

void ErrorProvider::OpenBalloon() {
  auto* balloon = new WTL::CBalloonHelp;  // deletes itself when its window goes
  balloon->SetAnchorToWindowCentre(GetHandle());
  balloon->PositionWindow();
  balloon->SetAwayTolerance(3);
  balloon->SetIconFromSystem((m_flags & kInformationImage) ? kInformationIcon : kExclamationIcon);
  DWORD options = kBalloonOptions;
  if ((m_flags & kOfferLink) && m_linkText.Length() && m_linkCallback) {
    options = kBalloonOptionsWithLink;
    balloon->SetLink(m_linkText, m_linkCallback);
  }
  if (!balloon->Create(GetHandle(), m_title.c_str(), m_text.c_str(), nullptr, options, nullptr, 0, kBalloonLayout)) {
    delete balloon;
    return;
  }
  POINT origin{0, 0};
  ClientToScreen(GetHandle(), &origin);
  const OWL::TRect window = GetWindowRect();
  balloon->SetKeepOpenRect({origin.x, origin.y, origin.x + window.Width(), origin.y + window.Height()});
}

}  // namespace QuorControls
