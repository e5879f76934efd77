// UnitWithPrefix: a unit as the enumerator and Tabulon code keep it: a base unit name and a
// prefix letter (0 for none).
#pragma once

#include <string>

#include "core/unit_prefix.h"

struct UnitWithPrefix {
  std::u16string name;
  WCHAR prefix = 0;

  // Takes the letter of a host prefix value; any value without one leaves no prefix.
  void SetPrefix(DWORD hostValue) { prefix = UnitPrefixFromHostValue(hostValue); }
  DWORD HostPrefixValue() const { return UnitPrefixHostValue(prefix); }
  std::u16string Text() const { return prefix ? prefix + name : name; }
};
