#include "host/document/document_channel_descriptions.h"

#include <array>
#include <string>
#include <string_view>

#include "core/quor_string.h"
#include "core/unit_prefix.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "platform/pendrel/unit_name.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

namespace {

constexpr LONG kAnyRecord = -2;

class ChannelDescription final : public SimpleUnknownImp1<IPendrelChannelDescription, 1> {
 public:
  ChannelDescription(std::u16string name, std::u16string unit, LONG prefix)
      : m_name(std::move(name)), m_unit(std::move(unit)), m_prefix(prefix) {}

  HRESULT GetName(IQuorString** name) override { return Give(m_name, name); }
  HRESULT GetUnit(IQuorString** unit) override { return Give(m_unit, unit); }
  HRESULT GetUnitPrefix(LONG* prefix) override {
    if (!prefix) return E_POINTER;
    *prefix = m_prefix;
    return S_OK;
  }

 private:
  static HRESULT Give(const std::u16string& text, IQuorString** out) {
    if (!out) return E_POINTER;
    *out = Quor::String(text.c_str()).GetInterface();
    return S_OK;
  }

  std::u16string m_name;
  std::u16string m_unit;
  LONG m_prefix;
};

// The base units a prefix letter may stand before.
bool IsBaseUnit(std::u16string_view unit) {
  static constexpr std::array<std::u16string_view, 8> kBaseUnits = {u"V", u"A", u"s", u"Hz",
                                                                   u"W", u"Pa", u"g", u"Ohm"};
  for (std::u16string_view base : kBaseUnits) {
    if (unit == base) return true;
  }
  return false;
}

// The prefix index (8: none) of a unit text and what follows the prefix.
std::pair<LONG, std::u16string> SplitPrefix(const std::u16string& unit) {
  if (unit.size() >= 2 && IsBaseUnit(std::u16string_view(unit).substr(1))) {
    const int exponent = UnitPrefixExponent(unit[0]);
    if (exponent != 0 && exponent % 3 == 0 && exponent >= -18 && exponent <= 18) {
      return {LONG(kUnitPrefixNone) + exponent / 3, unit.substr(1)};
    }
  }
  return {LONG(kUnitPrefixNone), unit};
}

}  // namespace

HRESULT DocumentChannelDescriptions::GetChannelDescription(
    DWORD channel, DWORD flags, LONG record, IPendrelChannelDescription** description) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall("ChannelDescriptions", "GetChannelDescription",
                     "channel=" + std::to_string(channel) + ", flags=" + Tarn::HexWord(flags) +
                         ", record=" + std::to_string(record));
    if (!description) return E_POINTER;
    *description = nullptr;
    const auto found = m_contents.Space().Resolve(channel);
    if (!found || (record != kAnyRecord && !m_contents.HasRecord(record))) return E_INVALIDARG;
    const std::u16string name = Quor::String::FromUtf8(m_contents.Space().Name(*found)).ToStdWString();
    const auto [prefix, unit] =
        SplitPrefix(Quor::String::FromUtf8(m_contents.Space().Unit(*found)).ToStdWString());
    *description = new ChannelDescription(name, unit, prefix);
    return S_OK;
  });
}

}  // namespace PendrelHost
