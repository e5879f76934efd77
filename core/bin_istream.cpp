#include "core/bin_istream.h"

#include "core/com_call_guard.h"
#include "core/storage_stream_header.h"
#include "core/string_record.h"

namespace Quor {

BinIStream::BinIStream(std::streambuf* buffer, bool ownsBuffer) : BinStream(buffer, ownsBuffer) {}

HRESULT BinIStream::GetPosition(DWORD* position) {
  if (!position) return E_POINTER;
  return TellBuffer(std::ios_base::in, *position) ? S_OK : E_FAIL;
}

HRESULT BinIStream::ReadBytes(void* target, DWORD count) {
  if (!target && count) return E_POINTER;
  if (Good() && count &&
      m_buffer->sgetn(static_cast<char*>(target), count) != std::streamsize(count)) {
    Fail(kTransferFailed);
  }
  return StateResult();
}

HRESULT BinIStream::ReadString(IQuorString** text) {
  if (!text) return E_POINTER;
  *text = nullptr;
  return GuardedCall([&] {
    String value;
    Quor::ReadString(*this, value);
    if (!Good()) return E_FAIL;
    *text = value.GetInterface();
    return S_OK;
  });
}

HRESULT BinIStream::GetVersion(DWORD* version) {
  if (!version) return E_POINTER;
  *version = m_version;
  return StateResult();
}

DWORD BinIStream::ReadUInt32() {
  DWORD value = 0;
  return SUCCEEDED(ReadValue(&value)) ? value : 0;
}

void BinIStream::ReadHeaderVersion() {
  m_version = 0;
  if (!Good()) return;
  const DWORD word = ReadUInt32();
  if (Good() && IsStorageStreamHeader(word)) {
    m_version = StorageHeaderVersion(word);
    return;
  }
  m_version = kHeaderlessStreamVersion;
  // The first bytes were data: read them again.
  if (Good()) SeekBuffer(-4, std::ios_base::cur, std::ios_base::in);
}

}  // namespace Quor
