#include "platform/owl/controls.h"

#include <algorithm>

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

bool TEdit::IsValid(bool reportError) {
  if (!m_validator || m_validator->IsValid(GetText())) return true;
  if (reportError) m_validator->Error(this);
  return false;
}

void TButton::Click() {
  constexpr WORD kClicked = 0;  // BN_CLICKED
  if (const HWND parent = GetParentH())
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetId(), kClicked), reinterpret_cast<LPARAM>(GetHandle()));
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

}  // namespace OWL
