// In-memory IStreams for the stream tests, and hex text for byte-exact expectations.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "core/com_ptr.h"
#include "platform/win32/global_memory.h"

namespace testing_streams {

using Bytes = std::vector<BYTE>;

// Hex digits, blanks ignored: "01 00 00 80".
inline Bytes FromHex(const std::string& hex) {
  Bytes bytes;
  std::string digits;
  for (char c : hex) {
    if (c != ' ') digits += c;
  }
  for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
    bytes.push_back(static_cast<BYTE>(std::stoul(digits.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

inline std::string ToHex(const Bytes& bytes) {
  std::string hex;
  char pair[3];
  for (BYTE b : bytes) {
    std::snprintf(pair, sizeof pair, "%02x", b);
    hex += pair;
  }
  return hex;
}

inline void SeekToStart(IStream* stream) { stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr); }

// A stream over a fresh memory block holding `bytes`, positioned at the start.
inline Quor::ComPtr<IStream> MemoryStream(const Bytes& bytes = {}) {
  Quor::ComPtr<IStream> stream;
  CreateStreamOnHGlobal(nullptr, TRUE, Quor::ComPtrOut<IStream>::Bind(stream));
  stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
  SeekToStart(stream.Get());
  return stream;
}

// Everything the stream holds, whatever its position.
inline Bytes StreamBytes(IStream* stream) {
  STATSTG status{};
  stream->Stat(&status, STATFLAG_NONAME);
  Bytes bytes(status.cbSize.QuadPart);
  Quor::ComPtr<IStream> reader;
  stream->Clone(Quor::ComPtrOut<IStream>::Bind(reader));
  SeekToStart(reader.Get());
  reader->Read(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
  return bytes;
}

}  // namespace testing_streams
