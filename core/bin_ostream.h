// Quor::BinOStream: writes raw little-endian values to a byte stream buffer, and is the
// IBinOutStream that objects save themselves to.
#pragma once

#include "core/bin_stream.h"
#include "platform/pendrel/bin_streams.h"

namespace Quor {

class BinOStream : public IBinOutStream, public BinStream {
 public:
  explicit BinOStream(std::streambuf* buffer, bool ownsBuffer = false);
  virtual ~BinOStream() = default;

  // The stream lives on its owner's stack: nothing counts and nothing is answered.
  HRESULT QueryInterface(REFIID, void**) override { return E_NOTIMPL; }
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }

  HRESULT GetState() override { return StateResult(); }
  HRESULT GetPosition(DWORD* position) override;
  HRESULT Seek(DWORD position) override;
  HRESULT Unused7() override { return E_NOTIMPL; }
  HRESULT WriteUInt8(BYTE value) override { return WriteValue(value); }
  HRESULT WriteInt16(SHORT value) override { return WriteValue(value); }
  HRESULT WriteInt32(LONG value) override { return WriteValue(value); }
  HRESULT WriteFloat(float value) override { return WriteValue(value); }
  HRESULT WriteDouble(double value) override { return WriteValue(value); }
  HRESULT WriteBytes(const void* source, DWORD count) override;
  HRESULT Unused14(void*) override { return E_NOTIMPL; }
  HRESULT Unused15(void*) override { return E_NOTIMPL; }
  HRESULT Unused16(void*) override { return E_NOTIMPL; }
  HRESULT Unused17(void*) override { return E_NOTIMPL; }
  HRESULT Unused18(void*) override { return E_NOTIMPL; }
  HRESULT Unused19(void*) override { return E_NOTIMPL; }
  HRESULT WriteString(IAutoQuorString* text) override;
  HRESULT WriteInt64(LONGLONG value) override { return WriteValue(value); }

  // Hands the buffered bytes to the target; a failure is kept as kBufferFailed.
  virtual void Flush();
  // Moves the write position back to the start of the stream.
  virtual void Rewind();

 private:
  template <class T>
  HRESULT WriteValue(T value) {
    return WriteBytes(&value, sizeof(T));
  }
};

}  // namespace Quor
