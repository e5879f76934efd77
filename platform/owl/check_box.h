// The GUI framework's check box: a button that is checked or not. Click does what a person's
// click does when the box is enabled: toggles the mark and tells the parent (WM_COMMAND with
// BN_CLICKED); a disabled box ignores it. SetCheck changes the mark without telling. A radio
// button is a check box that a click checks rather than toggles; its parent unchecks the others
// of its group.
#pragma once

#include "platform/owl/controls.h"

namespace OWL {

constexpr UINT BF_UNCHECKED = 0;
constexpr UINT BF_CHECKED = 1;

class TCheckBox : public TButton {
 public:
  TCheckBox(TWindow* parent, int resourceId) : TButton(parent, resourceId) {}

  UINT GetCheck() const { return m_check; }
  void SetCheck(UINT check) { m_check = check == BF_CHECKED ? BF_CHECKED : BF_UNCHECKED; }
  bool IsEnabled() const;
  void EnableWindow(bool enable);
  void Click();

 private:
  UINT m_check = BF_UNCHECKED;
};

class TRadioButton : public TCheckBox {
 public:
  using TCheckBox::TCheckBox;
  void Click();
};

}  // namespace OWL
