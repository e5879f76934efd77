#include "platform/owl/check_box.h"

namespace OWL {

bool TCheckBox::IsEnabled() const {
  // Before its window exists, the style the template gave it decides.
  return GetHandle() ? ::IsWindowEnabled(GetHandle()) != FALSE : (Attr.Style & WS_DISABLED) == 0;
}

void TCheckBox::EnableWindow(bool enable) {
  if (GetHandle()) {
    ::EnableWindow(GetHandle(), enable);
  } else if (enable) {
    Attr.Style &= ~WS_DISABLED;
  } else {
    Attr.Style |= WS_DISABLED;
  }
}

void TCheckBox::Click() {
  if (!IsEnabled()) return;
  SetCheck(m_check == BF_CHECKED ? BF_UNCHECKED : BF_CHECKED);
  TButton::Click();
}

void TRadioButton::Click() {
  if (!IsEnabled()) return;
  SetCheck(BF_CHECKED);
  TButton::Click();
}

}  // namespace OWL
