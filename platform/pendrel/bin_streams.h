// The binary streams through which objects load and save their persisted form. The streams are
// owned by whoever creates them (usually on the stack): their IUnknown operations do not count,
// and QueryInterface answers nothing. Values are copied raw, little-endian, without padding.
//
// Each read or write does nothing once the stream has failed; every operation returns E_FAIL
// while the stream is in a failed state, which it never leaves. The Unused slots keep the
// declaration order of the host's interface and return E_NOTIMPL.
#pragma once

#include "core/iquor_string.h"
#include "platform/win32/unknown.h"

struct IBinInStream : IUnknown {
  PLATFORM_INTERFACE_ID("68c83629-e4b5-4d99-956a-f4652daaae0d");
  using Base = IUnknown;
  virtual HRESULT GetState() = 0;
  // The read position: bytes from the start of the stream.
  virtual HRESULT GetPosition(DWORD* position) = 0;
  virtual HRESULT Unused6() = 0;
  virtual HRESULT ReadUInt8(BYTE* value) = 0;
  virtual HRESULT ReadInt16(SHORT* value) = 0;
  virtual HRESULT ReadInt32(LONG* value) = 0;
  virtual HRESULT ReadFloat(float* value) = 0;
  virtual HRESULT ReadDouble(double* value) = 0;
  virtual HRESULT ReadBytes(void* target, DWORD count) = 0;
  virtual HRESULT Unused13(void*) = 0;
  virtual HRESULT Unused14(void*) = 0;
  virtual HRESULT Unused15(void*) = 0;
  virtual HRESULT Unused16(void*, void*) = 0;
  virtual HRESULT Unused17(void*) = 0;
  virtual HRESULT Unused18(void*, void*) = 0;
  // One string record; the string comes with a reference for the caller.
  virtual HRESULT ReadString(IQuorString** text) = 0;
  // The format version that the stream's header announced.
  virtual HRESULT GetVersion(DWORD* version) = 0;
  virtual HRESULT ReadUInt16(WORD* value) = 0;
  virtual HRESULT ReadUInt32(DWORD* value) = 0;
  virtual HRESULT ReadInt64(LONGLONG* value) = 0;
  virtual HRESULT ReadUInt64(ULONGLONG* value) = 0;

 protected:
  ~IBinInStream() = default;
};

struct IBinOutStream : IUnknown {
  PLATFORM_INTERFACE_ID("1ff9cc5d-8bfc-4180-904f-636cb8d112b0");
  using Base = IUnknown;
  virtual HRESULT GetState() = 0;
  // The write position: bytes from the start of the stream.
  virtual HRESULT GetPosition(DWORD* position) = 0;
  virtual HRESULT Seek(DWORD position) = 0;
  virtual HRESULT Unused7() = 0;
  virtual HRESULT WriteUInt8(BYTE value) = 0;
  virtual HRESULT WriteInt16(SHORT value) = 0;
  virtual HRESULT WriteInt32(LONG value) = 0;
  virtual HRESULT WriteFloat(float value) = 0;
  virtual HRESULT WriteDouble(double value) = 0;
  virtual HRESULT WriteBytes(const void* source, DWORD count) = 0;
  virtual HRESULT Unused14(void*) = 0;
  virtual HRESULT Unused15(void*) = 0;
  virtual HRESULT Unused16(void*) = 0;
  virtual HRESULT Unused17(void*) = 0;
  virtual HRESULT Unused18(void*) = 0;
  virtual HRESULT Unused19(void*) = 0;
  // The string record of the text; a null string writes the empty one.
  virtual HRESULT WriteString(IAutoQuorString* text) = 0;
  virtual HRESULT WriteInt64(LONGLONG value) = 0;

 protected:
  ~IBinOutStream() = default;
};
