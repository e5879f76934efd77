// Reading and writing the fields of stored analysis records: little-endian int32, uint32,
// bool32 (0 or 1, read as true when not 0) and doubles. A failed read leaves the field as it
// was; the stream remembers the failure.
#pragma once

#include "core/bin_istream.h"
#include "core/bin_ostream.h"
#include "core/storage_bin_streams.h"
#include "core/xquor.h"

namespace Rhyth {

inline void ReadField(Quor::BinIStream& in, LONG& value) { in.ReadInt32(&value); }
inline void ReadField(Quor::BinIStream& in, DWORD& value) { in.ReadUInt32(&value); }
inline void ReadField(Quor::BinIStream& in, double& value) { in.ReadDouble(&value); }
inline void ReadBool32(Quor::BinIStream& in, BYTE& flag) {
  DWORD word = 0;
  if (SUCCEEDED(in.ReadUInt32(&word))) flag = word != 0 ? 1 : 0;
}

inline void WriteField(Quor::BinOStream& out, LONG value) { out.WriteInt32(value); }
inline void WriteField(Quor::BinOStream& out, DWORD value) { out.WriteInt32(LONG(value)); }
inline void WriteField(Quor::BinOStream& out, double value) { out.WriteDouble(value); }
inline void WriteBool32(Quor::BinOStream& out, BYTE flag) { out.WriteInt32(flag ? 1 : 0); }

// Writes one stored record through `write` and reports it saved only when every byte reached
// the host's stream; then, when asked, the dirty flag is cleared.
template <class Write>
HRESULT SaveRecord(IStream* stream, BOOL clearDirty, BYTE& dirty, Write write) {
  try {
    Quor::StorageBinOStreamLite out(stream);
    write(out);
    if (FAILED(out.Close())) return kXQuorWriteFailed;
    if (clearDirty) dirty = 0;
    return S_OK;
  } catch (...) {
    return kXQuorWriteFailed;
  }
}

}  // namespace Rhyth
