// The GUI framework's command enabler: a short-lived question, sent to a window with
// WM_COMMAND_ENABLE, whether a command is enabled, what text it shows and whether it is checked.
// The sender owns it for the duration of the send; a window that answers marks it handled.
#pragma once

#include "platform/win32/types.h"

namespace OWL {

// lParam: the TCommandEnabler*.
constexpr UINT WM_COMMAND_ENABLE = 0x7F00;

class TCommandEnabler {
 public:
  explicit TCommandEnabler(UINT id, HWND receiver = nullptr) : m_id(id), m_receiver(receiver) {}
  virtual ~TCommandEnabler() = default;

  UINT GetId() const { return m_id; }
  HWND GetReceiver() const { return m_receiver; }
  virtual void Enable(bool) { m_handled = true; }
  virtual void SetText(LPCWSTR text) = 0;
  enum { Unchecked, Checked, Indeterminate };
  virtual void SetCheck(int state) = 0;
  bool WasHandled() const { return m_handled; }

 protected:
  bool m_handled = false;

 private:
  UINT m_id;
  HWND m_receiver;
};

}  // namespace OWL
