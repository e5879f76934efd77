// The state object the host hands to a command handler when it asks for a command's state
// itself; what the handler sets shows in the call log and stays with the object.
#pragma once

#include <optional>
#include <string>

#include "platform/pendrel/commands.h"
#include "platform/win32/com_object.h"

namespace Tarn {

class HostCommandState final : public SimpleUnknownImp1<ITarnCommandState, 1> {
 public:
  HRESULT Enable(VARIANT_BOOL enable) override;
  HRESULT SetCheck(LONG check) override;
  HRESULT SetText(IQuorString* text) override;

  // What the handler set; nothing where it set nothing.
  std::optional<bool> Enabled() const { return m_enabled; }
  std::optional<LONG> Check() const { return m_check; }
  std::optional<std::u16string> Text() const { return m_text; }

 private:
  std::optional<bool> m_enabled;
  std::optional<LONG> m_check;
  std::optional<std::u16string> m_text;
};

}  // namespace Tarn
