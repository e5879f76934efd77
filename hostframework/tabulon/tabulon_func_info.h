// What a Tabulon function class tells the host about its function: its family and sub-id, its
// internal name, the string-table ids of its texts and its value flags. One per class, built by a
// static initialiser and kept for the life of the module; the texts themselves are loaded by the
// class object (see TabulonFuncClassBase).
#pragma once

#include "core/quor_string.h"
#include "platform/win32/guid.h"

// The first value-flag word, and the second: bit 29 of it would mark a value that belongs to a
// channel.
constexpr DWORD kTabulonValueFlags = 1;
constexpr DWORD kTabulonValueFlags2 = 0x2000000;
constexpr DWORD kTabulonChannelValueFlag = 0x20000000;

// Loads a text of the module's string table.
using TabulonTextLoader = Quor::String (*)(UINT id);

struct TabulonFuncInfo {
  const GUID* family;
  DWORD subId;
  const WCHAR* internalName;  // the display name stands in when empty
  // The display name; the description, the first and the second alternative name follow.
  UINT firstTextId;
  DWORD valueFlags[2] = {kTabulonValueFlags, kTabulonValueFlags2};
};

// The group the functions of one module appear under in the table.
struct TabulonFuncGroup {
  const GUID* family;
  DWORD functionSubId;  // the low word of every function object's type word
  const WCHAR* name;
  LONG code;
  TabulonTextLoader loadText;
};
