// StorageStreamBuf: a byte stream buffer over an IStream. One 1024-byte buffer serves as the
// get area while reading and as the put area while writing, so small values never reach the
// IStream one by one. The input and output variants answer seeks that stay inside the buffered
// bytes without touching the IStream.
#pragma once

#include <streambuf>

#include "platform/win32/stream.h"

namespace Quor {

class StorageStreamBuf : public std::streambuf {
 public:
  static constexpr int kBufferSize = 1024;

  StorageStreamBuf() = default;
  StorageStreamBuf(const StorageStreamBuf&) = delete;
  StorageStreamBuf& operator=(const StorageStreamBuf&) = delete;
  ~StorageStreamBuf() override;

  // Takes a reference to the stream; the access follows the stream's mode. False when already
  // open or when the stream cannot tell its mode or position.
  bool open(IStream* stream);
  // Hands pending output to the stream and lets go of it; false when that output was not
  // written or the buffer was not open.
  bool close();
  bool is_open() const { return m_open; }
  // Drops pending output and cuts the stream to length 0, so that it can be written anew.
  bool Truncate();

 protected:
  int_type underflow() override;
  int_type overflow(int_type c) override;
  int sync() override;
  pos_type seekoff(off_type offset, std::ios_base::seekdir direction,
                   std::ios_base::openmode which) override;
  pos_type seekpos(pos_type position, std::ios_base::openmode which) override;

  // Hands over pending output, then moves the IStream itself.
  pos_type SeekStream(off_type offset, std::ios_base::seekdir direction);

  bool m_open = false;
  // Where the IStream stands: the end of the get area, or the start of the put area.
  ULONGLONG m_position = 0;
  // The furthest byte written into the put area, kept while a seek moves back inside it.
  off_type m_highWater = 0;

 private:
  enum Access : DWORD { kRead = 1, kWrite = 2, kReadWrite = kRead | kWrite };

  static DWORD AccessOfMode(DWORD mode);
  int WritePending(off_type count);
  int GiveBackUnread();
  bool MoveStream(LONGLONG offset, DWORD origin);
  void EmptyAreas();

  IStream* m_stream = nullptr;
  DWORD m_access = 0;
  char m_buffer[kBufferSize];
};

class StorageInStreamBuf : public StorageStreamBuf {
 protected:
  pos_type seekoff(off_type offset, std::ios_base::seekdir direction,
                   std::ios_base::openmode which) override;
};

class StorageOutStreamBuf : public StorageStreamBuf {
 protected:
  pos_type seekoff(off_type offset, std::ios_base::seekdir direction,
                   std::ios_base::openmode which) override;
};

}  // namespace Quor
