#include "platform/owl/controls.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/win32/message_box.h"

namespace OWL {

TControl::TControl(TWindow* parent, int id, const std::u16string& className, const std::u16string& text,
                   const TRect& rect)
    : TWindow(parent, text.c_str()), m_className(className) {
  Attr.Id = id;
  Attr.X = rect.left;
  Attr.Y = rect.top;
  Attr.W = rect.Width();
  Attr.H = rect.Height();
}

TControl::TControl(TWindow* parent, int resourceId, const std::u16string& className)
    : TWindow(parent), m_className(className), m_fromResource(true) {
  Attr.Id = resourceId;
}

void TControl::TakeTemplate(const TRect& place, const std::u16string& text, DWORD style) {
  Attr.X = place.left;
  Attr.Y = place.top;
  Attr.W = place.Width();
  Attr.H = place.Height();
  Attr.Style = style | WS_CHILD;
  SetCaption(text);
}

std::u16string TControl::GetText() const {
  if (!GetHandle()) return GetCaption();
  const int length = GetWindowTextLengthW(GetHandle());
  std::u16string text(std::size_t(length) + 1, u'\0');
  text.resize(std::size_t(std::max(0, GetWindowTextW(GetHandle(), text.data(), length + 1))));
  return text;
}

void TControl::SetText(const std::u16string& text) { SetCaption(text); }

void TEdit::SetText(const std::u16string& text) {
  TControl::SetText(text);
  if (const HWND parent = GetParentH())
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetId(), EN_CHANGE), reinterpret_cast<LPARAM>(GetHandle()));
}

bool TEdit::IsValid(bool reportError) {
  if (!m_validator || m_validator->IsValid(GetText())) return true;
  if (reportError) m_validator->Error(this);
  return false;
}

bool TEdit::Find(TEventInfo& info) {
  static const TResponseTable table{
      {WM_CHAR, 0, Handler(&TEdit::EvChar)},
      {WM_CHILDINVALID, 0, Handler(&TEdit::EvChildInvalid)},
  };
  return SearchResponseTable(table, info) || TControl::Find(info);
}

LRESULT TEdit::EvChar(WPARAM character, LPARAM) {
  std::u16string text = GetText();
  const auto typed = char16_t(character);
  if (typed == u'\b') {
    if (!text.empty()) text.pop_back();
  } else if (typed >= u' ') {
    const bool digitsOnly = (GetWindowLongW(GetHandle(), GWL_STYLE) & ES_NUMBER) != 0;
    if ((digitsOnly && (typed < u'0' || typed > u'9')) || int(text.size()) >= m_textLimit) return 0;
    text += typed;
  }
  SetText(text);
  return 0;
}

LRESULT TEdit::EvChildInvalid(WPARAM, LPARAM) {
  IsValid(true);
  return 0;
}

TFilterValidator::TFilterValidator(const std::u16string& characters) {
  for (std::size_t i = 0; i < characters.size(); ++i) {
    if (i + 2 < characters.size() && characters[i + 1] == u'-') {
      for (char16_t c = characters[i]; c <= characters[i + 2]; ++c) m_characters += c;
      i += 2;
    } else {
      m_characters += characters[i];
    }
  }
}

bool TFilterValidator::IsAllowed(char16_t character) const {
  return m_characters.find(character) != std::u16string::npos;
}

bool TFilterValidator::IsValid(const std::u16string& text) {
  return std::all_of(text.begin(), text.end(), [this](char16_t c) { return IsAllowed(c); });
}

TRangeValidator::TRangeValidator(long minimum, long maximum)
    : TFilterValidator(u"0-9+-"), m_min(minimum), m_max(maximum) {}

bool TRangeValidator::IsValid(const std::u16string& text) {
  if (text.empty() || !TFilterValidator::IsValid(text)) return false;
  const std::string narrow(text.begin(), text.end());
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(narrow.c_str(), &end, 10);
  return errno == 0 && end == narrow.c_str() + narrow.size() && value >= m_min && value <= m_max;
}

void TRangeValidator::Error(TWindow* owner) {
  const std::string text = "Value is not in the range " + std::to_string(m_min) + " to " + std::to_string(m_max) + ".";
  const std::u16string wide(text.begin(), text.end());
  MessageBoxW(owner ? owner->GetHandle() : nullptr, wide.c_str(), u"Validator Error", MB_ICONEXCLAMATION | MB_OK);
}

void TButton::Click() {
  constexpr WORD kClicked = 0;  // BN_CLICKED
  if (const HWND parent = GetParentH())
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetId(), kClicked), reinterpret_cast<LPARAM>(GetHandle()));
}

bool THSlider::Find(TEventInfo& info) {
  static const TResponseTable table{
      {WM_HSCROLL, 0, [](TWindow& window, WPARAM wParam, LPARAM) -> LRESULT {
         auto& slider = static_cast<THSlider&>(window);
         if (LOWORD(wParam) == SB_THUMBTRACK) slider.SBThumbTrack(short(HIWORD(wParam)));
         if (LOWORD(wParam) == SB_ENDSCROLL) slider.SBEndScroll();
         return 0;
       }},
  };
  return SearchResponseTable(table, info) || TControl::Find(info);
}

void THSlider::SetRange(int minimum, int maximum) {
  m_minimum = std::min(minimum, maximum);
  m_maximum = std::max(minimum, maximum);
  SetPosition(m_position);
}

void THSlider::GetRange(int& minimum, int& maximum) const {
  minimum = m_minimum;
  maximum = m_maximum;
}

void THSlider::SetPosition(int position) { m_position = std::clamp(position, m_minimum, m_maximum); }

void TUpDown::SetRange(int minimum, int maximum) {
  m_minimum = std::min(minimum, maximum);
  m_maximum = std::max(minimum, maximum);
  m_position = std::clamp(m_position, m_minimum, m_maximum);
}

void TUpDown::GetRange(int& minimum, int& maximum) const {
  minimum = m_minimum;
  maximum = m_maximum;
}

// The parent may refuse the step by answering non-zero; otherwise the position follows it.
void TUpDown::PressArrow(int delta) {
  NMUPDOWN notice{{GetHandle(), UINT_PTR(GetId()), UDN_DELTAPOS}, m_position, delta};
  const HWND parent = GetParentH();
  if (parent && SendMessageW(parent, WM_NOTIFY, WPARAM(GetId()), reinterpret_cast<LPARAM>(&notice))) return;
  m_position = std::clamp(m_position + delta, m_minimum, m_maximum);
}

}  // namespace OWL
