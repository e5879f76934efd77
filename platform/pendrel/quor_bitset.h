// A bit set of unbounded length as it crosses between the module and the host (channel
// selections): stored 32-bit words, and one fill word (0 or ~0) for every word beyond them.
// Bit i is bit (i & 31) of word (i >> 5).
#pragma once

#include "platform/win32/unknown.h"

struct IQuorBitset : IUnknown {
  PLATFORM_INTERFACE_ID("7e226452-a728-4d4a-aacc-aba0ef789d2f");
  using Base = IUnknown;
  // The layout version of the set, not an HRESULT: 1.
  virtual DWORD GetVersion() = 0;
  // Deletes a set that nobody holds (reference count 0); E_FAIL otherwise.
  virtual HRESULT Free() = 0;
  virtual HRESULT GetWordCount(DWORD* count) = 0;
  // Copies up to `max` stored words and the fill word; S_FALSE when words were left out.
  virtual HRESULT GetWords(int max, DWORD* words, DWORD* fill) = 0;
  virtual HRESULT Clone(IQuorBitset** copy) = 0;

 protected:
  ~IQuorBitset() = default;
};
