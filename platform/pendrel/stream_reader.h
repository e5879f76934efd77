// A readable byte stream, as the module hands it to the host's browser component for every
// resource a page loads. The reader that answers a request is made for it and lives as long as
// the browser holds a reference.
#pragma once

#include "platform/win32/unknown.h"

// Seek origins of IQuorStreamReader::Seek.
constexpr DWORD kQuorSeekCurrent = 0;
constexpr DWORD kQuorSeekEnd = 1;
constexpr DWORD kQuorSeekStart = 2;

struct IQuorStreamReader : IUnknown {
  PLATFORM_INTERFACE_ID("5f1412b2-ec9f-4901-9694-5171fe4a50e0");
  using Base = IUnknown;
  virtual HRESULT Read(void* target, DWORD elementSize, DWORD count, DWORD* read) = 0;
  virtual HRESULT Seek(LONG offset, DWORD origin) = 0;
  virtual HRESULT GetPosition(DWORD* position) = 0;
  // S_OK at the end, S_FALSE before it.
  virtual HRESULT IsEnd() = 0;

 protected:
  ~IQuorStreamReader() = default;
};
