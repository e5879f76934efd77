// The command enabler of one toolbar button: made for one command-enable question about the
// button's command, it enables the button, sets its text and its check. Lives for that question.
#pragma once

#include "platform/owl/gadgets/command_enabler.h"

class UxSizableButtonGadget;

class UxSizableButtonGadgetEnabler : public OWL::TCommandEnabler {
 public:
  UxSizableButtonGadgetEnabler(UxSizableButtonGadget& gadget, HWND receiver);

  void Enable(bool enabled) override;
  // Repaints the button only when its text changes.
  void SetText(LPCWSTR text) override;
  void SetCheck(int state) override;

 private:
  UxSizableButtonGadget& m_gadget;
};
