// The host's unit objects: a prefix index (8 = none) and a base unit name.
#pragma once

#include <string>

#include "platform/pendrel/unit_name.h"
#include "platform/win32/com_object.h"

namespace Tarn {

class HostUnitName final : public SimpleUnknownImp1<IUnitName, 1> {
 public:
  HostUnitName(DWORD prefixIndex, std::u16string name) : m_prefix(prefixIndex), m_name(std::move(name)) {}

  HRESULT GetPrefix(DWORD* index) override;
  HRESULT GetText(VARIANT_BOOL withPrefix, IQuorString** text) override;
  HRESULT GetFlag(DWORD* flag) override;
  HRESULT SetPrefix(DWORD index) override;
  HRESULT SetName(IAutoQuorString* name) override;
  HRESULT SetFlag(DWORD flag) override;
  HRESULT Clone(IUnitName** copy) override;

  // The prefix index of a host prefix value (1 none, 2 a ... 11 G); 0 for an unknown value.
  static DWORD IndexOfHostPrefix(DWORD hostPrefix);

 private:
  DWORD m_prefix;
  std::u16string m_name;
  DWORD m_flag = 0;
};

}  // namespace Tarn
