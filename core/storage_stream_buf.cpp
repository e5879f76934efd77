#include "core/storage_stream_buf.h"

#include <algorithm>

namespace Quor {

namespace {

using traits = std::char_traits<char>;

const std::streampos kSeekFailed(std::streamoff(-1));

DWORD OriginOf(std::ios_base::seekdir direction) {
  if (direction == std::ios_base::beg) return STREAM_SEEK_SET;
  if (direction == std::ios_base::cur) return STREAM_SEEK_CUR;
  return STREAM_SEEK_END;
}

}  // namespace

DWORD StorageStreamBuf::AccessOfMode(DWORD mode) {
  switch (mode & 3) {
    case STGM_READ:
      return kRead;
    case STGM_WRITE:
      return kWrite;
    case STGM_READWRITE:
      return kReadWrite;
    default:
      return 0;
  }
}

StorageStreamBuf::~StorageStreamBuf() {
  if (m_open) close();
}

bool StorageStreamBuf::open(IStream* stream) {
  if (m_open || !stream) return false;
  STATSTG status{};
  if (FAILED(stream->Stat(&status, STATFLAG_NONAME))) return false;
  const DWORD access = AccessOfMode(status.grfMode);
  LARGE_INTEGER zero{};
  ULARGE_INTEGER position{};
  if (!access || FAILED(stream->Seek(zero, STREAM_SEEK_CUR, &position))) return false;
  stream->AddRef();
  m_stream = stream;
  m_access = access;
  m_open = true;
  m_position = position.QuadPart;
  m_highWater = 0;
  EmptyAreas();
  return true;
}

bool StorageStreamBuf::close() {
  if (!m_open) return false;
  const bool flushed = sync() == 0;
  m_stream->Release();
  m_stream = nullptr;
  m_open = false;
  EmptyAreas();
  return flushed;
}

bool StorageStreamBuf::Truncate() {
  if (!m_open) return false;
  EmptyAreas();
  m_highWater = 0;
  return MoveStream(0, STREAM_SEEK_SET) && SUCCEEDED(m_stream->SetSize(ULARGE_INTEGER{}));
}

StorageStreamBuf::int_type StorageStreamBuf::underflow() {
  if (!m_open || !(m_access & kRead)) return traits::eof();
  if (gptr() < egptr()) return traits::to_int_type(*gptr());
  if (sync() != 0) return traits::eof();
  ULONG count = 0;
  const HRESULT hr = m_stream->Read(m_buffer, kBufferSize, &count);
  m_position += count;
  if (FAILED(hr) || count == 0) return traits::eof();
  setg(m_buffer, m_buffer, m_buffer + count);
  return traits::to_int_type(*gptr());
}

StorageStreamBuf::int_type StorageStreamBuf::overflow(int_type c) {
  if (!m_open || !(m_access & kWrite) || sync() != 0) return traits::eof();
  setp(m_buffer, m_buffer + kBufferSize);
  if (traits::eq_int_type(c, traits::eof())) return traits::not_eof(c);
  *pptr() = traits::to_char_type(c);
  pbump(1);
  return c;
}

int StorageStreamBuf::sync() {
  if (!m_open) return -1;
  const off_type pending = std::max<off_type>(m_highWater, pptr() - pbase());
  m_highWater = 0;
  if (pending > 0) return WritePending(pending);
  if (gptr() < egptr()) return GiveBackUnread();
  return 0;
}

int StorageStreamBuf::WritePending(off_type count) {
  ULONG written = 0;
  const HRESULT hr = m_stream->Write(m_buffer, static_cast<ULONG>(count), &written);
  m_position += written;
  // What was not written is dropped: writing it later would put it in the wrong place.
  EmptyAreas();
  return SUCCEEDED(hr) && written == ULONG(count) ? 0 : -1;
}

int StorageStreamBuf::GiveBackUnread() {
  const off_type unread = egptr() - gptr();
  EmptyAreas();
  return MoveStream(-unread, STREAM_SEEK_CUR) ? 0 : -1;
}

bool StorageStreamBuf::MoveStream(LONGLONG offset, DWORD origin) {
  LARGE_INTEGER move;
  move.QuadPart = offset;
  ULARGE_INTEGER position{};
  if (FAILED(m_stream->Seek(move, origin, &position))) return false;
  m_position = position.QuadPart;
  return true;
}

void StorageStreamBuf::EmptyAreas() {
  setg(nullptr, nullptr, nullptr);
  setp(nullptr, nullptr);
}

StorageStreamBuf::pos_type StorageStreamBuf::SeekStream(off_type offset,
                                                        std::ios_base::seekdir direction) {
  if (!m_open || sync() != 0 || !MoveStream(offset, OriginOf(direction))) return kSeekFailed;
  return pos_type(off_type(m_position));
}

StorageStreamBuf::pos_type StorageStreamBuf::seekoff(off_type offset,
                                                     std::ios_base::seekdir direction,
                                                     std::ios_base::openmode) {
  return SeekStream(offset, direction);
}

StorageStreamBuf::pos_type StorageStreamBuf::seekpos(pos_type position,
                                                     std::ios_base::openmode which) {
  return seekoff(off_type(position), std::ios_base::beg, which);
}

StorageInStreamBuf::pos_type StorageInStreamBuf::seekoff(off_type offset,
                                                         std::ios_base::seekdir direction,
                                                         std::ios_base::openmode) {
  if (!m_open) return kSeekFailed;
  const off_type areaEnd = off_type(m_position);
  const off_type current = areaEnd - (egptr() - gptr());
  if (offset == 0 && direction == std::ios_base::cur) return pos_type(current);
  if (direction == std::ios_base::end) return SeekStream(offset, direction);
  const off_type target = direction == std::ios_base::beg ? offset : current + offset;
  const off_type areaStart = areaEnd - (egptr() - eback());
  if (eback() && target >= areaStart && target <= areaEnd) {
    setg(eback(), eback() + (target - areaStart), egptr());
    return pos_type(target);
  }
  return target < 0 ? kSeekFailed : SeekStream(target, std::ios_base::beg);
}

StorageOutStreamBuf::pos_type StorageOutStreamBuf::seekoff(off_type offset,
                                                           std::ios_base::seekdir direction,
                                                           std::ios_base::openmode) {
  if (!m_open) return kSeekFailed;
  const off_type areaStart = off_type(m_position);
  const off_type put = pptr() - pbase();
  if (offset == 0 && direction == std::ios_base::cur) return pos_type(areaStart + put);
  if (direction == std::ios_base::end) return SeekStream(offset, direction);
  m_highWater = std::max(m_highWater, put);
  const off_type target = direction == std::ios_base::beg ? offset : areaStart + put + offset;
  if (target >= areaStart && target <= areaStart + m_highWater) {
    if (pbase()) {
      setp(pbase(), epptr());
      pbump(static_cast<int>(target - areaStart));
    }
    return pos_type(target);
  }
  // A position relative to the put pointer would be taken from after the pending bytes.
  return target < 0 ? kSeekFailed : SeekStream(target, std::ios_base::beg);
}

}  // namespace Quor
