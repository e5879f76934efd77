// The analysis's stored parts, read back from the host's data file: the settings stream, the
// data stream (the user's beat edits) and the event-id cache. The first byte picks the part, the
// rest is the stream. A part that loads must save, and what it saves must load again and save
// to the same bytes; a stream that cannot be right is refused with a result code. Any crash,
// hang, exception leaving Load, or huge allocation is a finding.
#include <cstdint>
#include <cstdlib>
#include <functional>

#include "analysis/data/analysis_data.h"
#include "analysis/data/event_id_cache.h"
#include "analysis/settings/settings.h"
#include "core/tests/memory_stream.h"

using Quor::ComPtr;
using testing_streams::Bytes;
using testing_streams::MemoryStream;
using testing_streams::StreamBytes;

namespace {

using MakePart = std::function<ComPtr<IPersistStreamInit>()>;

const MakePart kParts[] = {
    [] { return ComPtr<IPersistStreamInit>(new Rhyth::Settings); },
    [] { return ComPtr<IPersistStreamInit>(new Rhyth::Data(nullptr)); },
    [] { return ComPtr<IPersistStreamInit>(new Rhyth::EventIdCache); },
};

Bytes Saved(IPersistStreamInit* part) {
  const ComPtr<IStream> stream = MemoryStream();
  if (part->Save(stream.Get(), TRUE) != S_OK) std::abort();
  return StreamBytes(stream.Get());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const MakePart& make = kParts[data[0] % std::size(kParts)];
  const ComPtr<IPersistStreamInit> part = make();
  if (part->Load(MemoryStream(Bytes(data + 1, data + size)).Get()) != S_OK) return 0;
  const Bytes first = Saved(part.Get());
  const ComPtr<IPersistStreamInit> again = make();
  if (again->Load(MemoryStream(first).Get()) != S_OK) std::abort();
  if (Saved(again.Get()) != first) std::abort();
  return 0;
}
