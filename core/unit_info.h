// The value part of a unit entry: a prefix index (0 to 14, see IUnitName), a base unit name
// and a flag that is kept for its callers.
#pragma once

#include "core/quor_string.h"
#include "core/unit_prefix.h"
#include "platform/pendrel/unit_name.h"

struct UnitPrefixInfo {
  DWORD flag = 0;
  DWORD prefixIndex = kUnitPrefixNone;
};

namespace Quor {

struct UnitInfo : UnitPrefixInfo {
  String name;

  static bool IsPrefixIndex(DWORD index) { return index < kUnitPrefixIndexCount; }

  String Text(bool withPrefix) const {
    const WCHAR letter = UnitPrefixLetter(prefixIndex);
    if (!withPrefix || !letter) return name;
    String text;
    text += letter;
    text += name;
    return text;
  }
};

}  // namespace Quor
