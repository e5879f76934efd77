#include "host/framework/state_record.h"

#include <cstring>

#include "core/quor_string.h"
#include "host/framework/host_text.h"

namespace Tarn {

namespace {

constexpr DWORD kHeaderBytes = 3 * sizeof(DWORD);

DWORD FieldBytes(DWORD kind) {
  switch (kind) {
    case kStateFieldWord: return sizeof(DWORD);
    case kStateFieldDouble: return sizeof(double);
    case kStateFieldText: return sizeof(IQuorString*);
    default: return 0;
  }
}

template <class T>
T ReadAt(const unsigned char* data, DWORD offset) {
  T value;
  std::memcpy(&value, data + offset, sizeof value);
  return value;
}

template <class T>
void Append(std::vector<unsigned char>& bytes, const T& value) {
  const auto* raw = reinterpret_cast<const unsigned char*>(&value);
  bytes.insert(bytes.end(), raw, raw + sizeof value);
}

}  // namespace

std::optional<std::vector<DWORD>> FieldKindsOf(DWORD signature) {
  std::vector<DWORD> kinds;
  for (DWORD rest = signature; rest != 0; rest >>= 4) {
    const DWORD kind = rest & 0xF;
    if (FieldBytes(kind) == 0) return std::nullopt;
    kinds.push_back(kind);
  }
  return kinds;
}

std::optional<StateRecord> ReadStateRecord(const void* block, DWORD bytes) {
  if (!block || bytes < kHeaderBytes) return std::nullopt;
  const auto* data = static_cast<const unsigned char*>(block);
  StateRecord record;
  record.type = ReadAt<DWORD>(data, 0);
  record.header = ReadAt<DWORD>(data, 4);
  record.signature = ReadAt<DWORD>(data, 8);
  const auto kinds = FieldKindsOf(record.signature);
  if (!kinds) return std::nullopt;
  DWORD offset = kHeaderBytes;
  for (const DWORD kind : *kinds) {
    if (offset + FieldBytes(kind) > bytes) return std::nullopt;
    StateField field;
    field.kind = kind;
    if (kind == kStateFieldWord) field.word = ReadAt<DWORD>(data, offset);
    if (kind == kStateFieldDouble) field.number = ReadAt<double>(data, offset);
    if (kind == kStateFieldText) {
      IQuorString* text = ReadAt<IQuorString*>(data, offset);
      if (!text) return std::nullopt;
      field.text = TextOf(text);
    }
    offset += FieldBytes(kind);
    record.fields.push_back(std::move(field));
  }
  return record;
}

PackedStateRecord PackStateRecord(const StateRecord& record) {
  PackedStateRecord packed;
  Append(packed.bytes, record.type);
  Append(packed.bytes, record.header);
  Append(packed.bytes, record.signature);
  for (const StateField& field : record.fields) {
    if (field.kind == kStateFieldWord) Append(packed.bytes, field.word);
    if (field.kind == kStateFieldDouble) Append(packed.bytes, field.number);
    if (field.kind == kStateFieldText) {
      IQuorString* text = Quor::String(field.text).GetInterface();
      packed.texts.emplace_back(text);
      Append(packed.bytes, text);
    }
  }
  return packed;
}

}  // namespace Tarn
