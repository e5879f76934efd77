#include "core/bin_ostream.h"

#include "core/com_call_guard.h"
#include "core/string_record.h"

namespace Quor {

BinOStream::BinOStream(std::streambuf* buffer, bool ownsBuffer) : BinStream(buffer, ownsBuffer) {}

HRESULT BinOStream::GetPosition(DWORD* position) {
  if (!position) return E_POINTER;
  return TellBuffer(std::ios_base::out, *position) ? S_OK : E_FAIL;
}

HRESULT BinOStream::Seek(DWORD position) {
  SeekBuffer(position, std::ios_base::beg, std::ios_base::out);
  return StateResult();
}

HRESULT BinOStream::WriteBytes(const void* source, DWORD count) {
  if (!source && count) return E_POINTER;
  if (Good() && count &&
      m_buffer->sputn(static_cast<const char*>(source), count) != std::streamsize(count)) {
    Fail(kTransferFailed);
  }
  return StateResult();
}

HRESULT BinOStream::WriteString(IAutoQuorString* text) {
  return GuardedCall([&] {
    Quor::WriteString(*this, String(text));
    return StateResult();
  });
}

void BinOStream::Flush() {
  if (Good() && m_buffer->pubsync() != 0) Fail(kBufferFailed);
}

void BinOStream::Rewind() { SeekBuffer(0, std::ios_base::beg, std::ios_base::out); }

}  // namespace Quor
