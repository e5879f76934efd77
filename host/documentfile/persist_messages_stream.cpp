#include "host/documentfile/persist_messages_stream.h"

#include "core/storage_bin_streams.h"
#include "core/string_record.h"
#include "core/xquor.h"

namespace PendrelHost {

namespace {

void WriteRecord(Quor::BinOStream& out, const Tarn::StateRecord& record) {
  out.WriteInt32(LONG(record.type));
  out.WriteInt32(LONG(record.header));
  out.WriteInt32(LONG(record.signature));
  for (const Tarn::StateField& field : record.fields) {
    if (field.kind == kStateFieldWord) out.WriteInt32(LONG(field.word));
    if (field.kind == kStateFieldDouble) out.WriteDouble(field.number);
    if (field.kind == kStateFieldText) Quor::WriteString(out, Quor::String(field.text));
  }
}

// False for a record whose signature names a field kind no record has.
bool ReadRecord(Quor::BinIStream& in, Tarn::StateRecord& record) {
  in.ReadUInt32(&record.type);
  in.ReadUInt32(&record.header);
  in.ReadUInt32(&record.signature);
  const auto kinds = Tarn::FieldKindsOf(record.signature);
  if (!kinds) return false;
  for (const DWORD kind : *kinds) {
    Tarn::StateField field;
    field.kind = kind;
    if (kind == kStateFieldWord) in.ReadUInt32(&field.word);
    if (kind == kStateFieldDouble) in.ReadDouble(&field.number);
    if (kind == kStateFieldText) {
      Quor::String text;
      Quor::ReadString(in, text);
      field.text = text.ToStdWString();
    }
    record.fields.push_back(std::move(field));
  }
  return in.Good();
}

}  // namespace

bool WritePersistMessages(const PersistMessageStore& store, IStream* stream) {
  Quor::StorageBinOStreamLite out(stream);
  const auto& kept = store.Kept();
  out.WriteInt32(LONG(kept.size()));
  for (const Tarn::StateMessageParts& parts : kept) {
    out.WriteInt32(LONG(parts.id));
    out.WriteInt32(LONG(parts.flags));
    out.WriteInt32(LONG(parts.objectType));
    Quor::WriteString(out, Quor::String(parts.objectName));
    WriteRecord(out, parts.record);
  }
  return SUCCEEDED(out.Close());
}

bool ReadPersistMessages(IStream* stream, PersistMessageStore& store) {
  try {
    Quor::StorageBinIStreamLite in(stream);
    DWORD count = 0;
    in.ReadUInt32(&count);
    for (DWORD i = 0; i < count && in.Good(); ++i) {
      Tarn::StateMessageParts parts;
      in.ReadUInt32(&parts.id);
      in.ReadUInt32(&parts.flags);
      in.ReadUInt32(&parts.objectType);
      Quor::String name;
      Quor::ReadString(in, name);
      parts.objectName = name.ToStdWString();
      // A record that cannot be read leaves the rest of the stream unreadable too.
      if (!ReadRecord(in, parts.record)) return false;
      store.Restore(std::move(parts));
    }
    return in.Good();
  } catch (const XQuor&) {
    return false;
  }
}

}  // namespace PendrelHost
