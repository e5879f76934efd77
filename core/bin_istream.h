// Quor::BinIStream: reads raw little-endian values from a byte stream buffer, and is the
// IBinInStream that objects load themselves from.
#pragma once

#include "core/bin_stream.h"
#include "platform/pendrel/bin_streams.h"

namespace Quor {

class BinIStream : public IBinInStream, public BinStream {
 public:
  explicit BinIStream(std::streambuf* buffer, bool ownsBuffer = false);
  virtual ~BinIStream() = default;

  // The stream lives on its owner's stack: nothing counts and nothing is answered.
  HRESULT QueryInterface(REFIID, void**) override { return E_NOTIMPL; }
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }

  HRESULT GetState() override { return StateResult(); }
  HRESULT GetPosition(DWORD* position) override;
  HRESULT Unused6() override { return E_NOTIMPL; }
  HRESULT ReadUInt8(BYTE* value) override { return ReadValue(value); }
  HRESULT ReadInt16(SHORT* value) override { return ReadValue(value); }
  HRESULT ReadInt32(LONG* value) override { return ReadValue(value); }
  HRESULT ReadFloat(float* value) override { return ReadValue(value); }
  HRESULT ReadDouble(double* value) override { return ReadValue(value); }
  HRESULT ReadBytes(void* target, DWORD count) override;
  HRESULT Unused13(void*) override { return E_NOTIMPL; }
  HRESULT Unused14(void*) override { return E_NOTIMPL; }
  HRESULT Unused15(void*) override { return E_NOTIMPL; }
  HRESULT Unused16(void*, void*) override { return E_NOTIMPL; }
  HRESULT Unused17(void*) override { return E_NOTIMPL; }
  HRESULT Unused18(void*, void*) override { return E_NOTIMPL; }
  HRESULT ReadString(IQuorString** text) override;
  HRESULT GetVersion(DWORD* version) override;
  HRESULT ReadUInt16(WORD* value) override { return ReadValue(value); }
  HRESULT ReadUInt32(DWORD* value) override { return ReadValue(value); }
  HRESULT ReadInt64(LONGLONG* value) override { return ReadValue(value); }
  HRESULT ReadUInt64(ULONGLONG* value) override { return ReadValue(value); }

  // 0 when the stream has failed or fails now.
  DWORD ReadUInt32();
  // Reads the storage stream header when there is one; a stream without it is version 1 and
  // is read again from where the header would have been.
  void ReadHeaderVersion();
  DWORD Version() const { return m_version; }

 private:
  template <class T>
  HRESULT ReadValue(T* value) {
    if (!value) return E_POINTER;
    return ReadBytes(value, sizeof(T));
  }

  DWORD m_version = 0;
};

}  // namespace Quor
