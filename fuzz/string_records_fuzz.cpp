// The persisted forms that every stored object is made of: string records, read one after
// another until the stream fails, and unit entries. The input is a binary stream with its own
// header; the first byte picks the reader. A record that cannot be right fails the stream or
// throws XQuor; a unit entry that loads must save and load again to the same entry. Any crash,
// hang, other exception or huge allocation is a finding.
#include <cstdint>
#include <cstdlib>

#include "core/com_ptr.h"
#include "core/storage_bin_streams.h"
#include "core/string_record.h"
#include "core/tests/memory_stream.h"
#include "core/unit_entry.h"
#include "core/xquor.h"

using Quor::ComPtr;
using testing_streams::Bytes;
using testing_streams::MemoryStream;
using testing_streams::StreamBytes;

namespace {

constexpr int kMostRecords = 16;

void ReadStrings(IStream* source) {
  Quor::StorageBinIStreamLite in(source);
  for (int i = 0; i < kMostRecords && in.GetState() == S_OK; ++i) {
    Quor::String text;
    try {
      Quor::ReadString(in, text);
    } catch (const XQuor&) {
      return;
    }
  }
}

Bytes Saved(Quor::UnitEntry& unit) {
  const ComPtr<IStream> target = MemoryStream();
  {
    Quor::StorageBinOStreamLite out(target.Get());
    if (unit.Save(&out) != S_OK || out.Close() != S_OK) std::abort();
  }
  return StreamBytes(target.Get());
}

void LoadUnit(IStream* source) {
  const ComPtr<Quor::UnitEntry> unit(new Quor::UnitEntry);
  {
    Quor::StorageBinIStreamLite in(source);
    if (unit->Load(&in) != S_OK) return;
  }
  const Bytes first = Saved(*unit.Get());
  const ComPtr<Quor::UnitEntry> again(new Quor::UnitEntry);
  {
    const ComPtr<IStream> stored = MemoryStream(first);
    Quor::StorageBinIStreamLite in(stored.Get());
    if (again->Load(&in) != S_OK) std::abort();
  }
  if (Saved(*again.Get()) != first) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const ComPtr<IStream> source = MemoryStream(Bytes(data + 1, data + size));
  if (data[0] % 2 == 0) {
    ReadStrings(source.Get());
  } else {
    LoadUnit(source.Get());
  }
  return 0;
}
