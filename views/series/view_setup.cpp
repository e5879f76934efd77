#include "views/series/view_setup.h"

#include "core/unit_prefix.h"

namespace Rhyth {

Quor::ComPtr<Quor::UnitEntry> MakeAxisUnit(const Quor::String& name, DWORD prefix) {
  Quor::UnitInfo info;
  info.flag = 0;
  info.prefixIndex = prefix;
  info.name = name;
  return Quor::ComPtr<Quor::UnitEntry>(new Quor::UnitEntry(info));
}

double PrefixScale(DWORD prefix) { return UnitPrefixScale(UnitPrefixLetter(prefix)); }

}  // namespace Rhyth
