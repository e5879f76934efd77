// Message, event and type words: (the host's 16-bit id of a GUID << 16) | n, asked of the host
// once per process and kept.
#pragma once

#include "hostframework/host_services.h"

template <const GUID* Guid, DWORD N>
class TypeIdClass {
 public:
  static DWORD Id() { return *IdPointer(); }
  // A stable pointer to the word, as event-table entries keep their key getters.
  static const DWORD* IdPointer() {
    static const DWORD id = (DWORD(GetTarnGuidId(*Guid)) << 16) | N;
    return &id;
  }
};

template <const GUID* Guid, DWORD N>
class MsgIdClass : public TypeIdClass<Guid, N> {};
