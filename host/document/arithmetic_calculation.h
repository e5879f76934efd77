// The host's arithmetic calculation: the object behind a computed channel that takes a formula
// and a unit from its settings. The class registry makes it unbound; once the document sets it
// as a channel's calculation, the formula it holds (or takes later) becomes the channel's.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "host/channels/computed_channels.h"
#include "platform/pendrel/arithmetic_channels.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class ArithmeticCalculation final : public SimpleUnknownImp1<IPendrelCalculation, 1> {
 public:
  // `type`: the arithmetic calculation's type word.
  explicit ArithmeticCalculation(DWORD type) : m_type(type) {}

  HRESULT TakeSettings(IUnknown* settings, LONG which) override;
  HRESULT Reset() override;
  HRESULT GetTypeId(DWORD* type) override;

  bool IsBound() const { return m_channels != nullptr; }
  // The formula it holds; null before it took settings.
  const std::string* Formula() const { return m_texts ? &m_texts->formula : nullptr; }
  // The channel it computes from now on.
  void Bind(ComputedChannels& channels, std::size_t channel);
  void Unbind() { m_channels = nullptr; }

 private:
  struct Texts {
    std::string formula;
    std::string unit;
  };

  void Apply() const;

  DWORD m_type;
  std::optional<Texts> m_texts;
  ComputedChannels* m_channels = nullptr;
  std::size_t m_channel = 0;
};

// The calculation as the host's arithmetic one, or null for any other.
ArithmeticCalculation* AsArithmeticCalculation(IPendrelCalculation* calculation);
// Unbinds the calculation when it is the host's arithmetic one.
void UnbindCalculation(IPendrelCalculation* calculation);

}  // namespace PendrelHost
