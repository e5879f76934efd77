#include "core/bin_stream.h"

namespace Quor {

BinStream::BinStream(std::streambuf* buffer, bool ownsBuffer)
    : m_buffer(buffer), m_state(buffer ? kGood : kBufferFailed), m_ownsBuffer(ownsBuffer) {}

BinStream::~BinStream() {
  if (m_ownsBuffer) delete m_buffer;
}

bool BinStream::SeekBuffer(std::streamoff offset, std::ios_base::seekdir direction,
                           std::ios_base::openmode which) {
  if (!Good()) return false;
  if (m_buffer->pubseekoff(offset, direction, which) == std::streampos(-1)) {
    Fail(kTransferFailed);
    return false;
  }
  return true;
}

bool BinStream::TellBuffer(std::ios_base::openmode which, DWORD& position) {
  if (!Good()) return false;
  const std::streampos at = m_buffer->pubseekoff(0, std::ios_base::cur, which);
  if (at == std::streampos(-1)) return false;
  position = static_cast<DWORD>(std::streamoff(at));
  return true;
}

}  // namespace Quor
