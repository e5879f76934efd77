#include "core/string_record.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/xquor.h"

namespace Quor {

namespace {

// No string this large is ever written; a count above it can only come from damaged data.
constexpr DWORD kMaxRecordCount = 0x3FFFFFFF;
// The text is taken in steps, so that memory grows with the bytes that actually arrive.
constexpr std::size_t kReadStep = 64 * 1024;

struct RecordHead {
  bool wide;
  DWORD count;
};

RecordHead ReadOldHead(BinIStream& stream) {
  const DWORD count = stream.ReadUInt32();
  if (stream.Good() && count > kOldStringRecordMaxCount) throw XQuor(kXQuorBadStringRecord);
  return {false, count};
}

RecordHead ReadTaggedHead(BinIStream& stream) {
  const DWORD tag = stream.ReadUInt32();
  const DWORD count = stream.ReadUInt32();
  const DWORD check = stream.ReadUInt32();
  // A short read is reported as such, not as a damaged record.
  if (stream.Good() && (check + count != 0 || count > kMaxRecordCount)) {
    throw XQuor(kXQuorBadStringRecord);
  }
  return {(tag & 0x80000000) != 0, count};
}

// Exactly `bytes` bytes, or nothing when the data ends first.
std::vector<char> ReadRecordBytes(BinIStream& stream, std::size_t bytes) {
  std::vector<char> data;
  while (data.size() < bytes && stream.Good()) {
    const std::size_t done = data.size();
    const std::size_t step = std::min(kReadStep, bytes - done);
    data.resize(done + step);
    stream.ReadBytes(data.data() + done, static_cast<DWORD>(step));
  }
  if (!stream.Good()) data.clear();
  return data;
}

void AssignUnits(String& text, const std::vector<char>& data, DWORD count) {
  WCHAR* units = text.PrepareBuffer(count);
  if (count) std::memcpy(units, data.data(), std::size_t(count) * sizeof(WCHAR));
  // A record normally ends in its NUL; one that does not gets one.
  const bool endsInNul = count != 0 && units[count - 1] == 0;
  text.SetLength(endsInNul ? count - 1 : count);
}

}  // namespace

void WriteString(BinOStream& stream, const String& text) {
  const DWORD count = text.Length() + 1;
  stream.WriteInt32(static_cast<LONG>(kStringRecordWideTag));
  stream.WriteInt32(static_cast<LONG>(count));
  stream.WriteInt32(-static_cast<LONG>(count));
  stream.WriteBytes(text.c_str(), count * sizeof(WCHAR));
}

void ReadString(BinIStream& stream, String& text) {
  const RecordHead head = stream.Version() < kTaggedStringRecordVersion ? ReadOldHead(stream)
                                                                       : ReadTaggedHead(stream);
  const std::size_t unitSize = head.wide ? sizeof(WCHAR) : 1;
  std::vector<char> data = ReadRecordBytes(stream, std::size_t(head.count) * unitSize);
  if (!stream.Good()) {
    text.Clear();
  } else if (head.wide) {
    AssignUnits(text, data, head.count);
  } else {
    data.push_back('\0');
    text = String(data.data());
  }
}

}  // namespace Quor
