// Quor::BinStream: what the binary input and output streams share: a byte stream buffer and a
// sticky state. The first failure is kept; every later operation does nothing and reports
// E_FAIL, so a caller may run a whole block of reads or writes and check once at the end.
#pragma once

#include <bit>
#include <streambuf>

#include "platform/win32/hresult.h"

namespace Quor {

// Values are copied as they lie in memory: the persisted form is little-endian.
static_assert(std::endian::native == std::endian::little);

class BinStream {
 public:
  enum : DWORD {
    kGood = 0,
    kTransferFailed = 2,  // a read, write or seek failed
    kBufferFailed = 4,    // no buffer, the buffer could not be opened, or a flush failed
  };

  BinStream(const BinStream&) = delete;
  BinStream& operator=(const BinStream&) = delete;

  DWORD State() const { return m_state; }
  bool Good() const { return m_state == kGood; }
  HRESULT StateResult() const { return Good() ? S_OK : E_FAIL; }

 protected:
  // Without a buffer the stream starts failed. An owned buffer is deleted with the stream.
  BinStream(std::streambuf* buffer, bool ownsBuffer);
  ~BinStream();

  // Keeps the first failure.
  void Fail(DWORD state) {
    if (m_state == kGood) m_state = state;
  }
  // Moves the buffer's position; false (and kTransferFailed) when it cannot.
  bool SeekBuffer(std::streamoff offset, std::ios_base::seekdir direction,
                  std::ios_base::openmode which);
  // The buffer's position; false when the stream has failed or the buffer cannot tell.
  bool TellBuffer(std::ios_base::openmode which, DWORD& position);

  std::streambuf* m_buffer;

 private:
  DWORD m_state;
  bool m_ownsBuffer;
};

}  // namespace Quor
