// A state record as the host keeps it: the fields of a module's packed state record (see
// platform/pendrel/messages.h) with the texts copied out of the module's string objects, which
// live only while the module sends. The host packs the record again, as it came, with string
// objects of its own whenever it hands the record back.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/framework/held_reference.h"
#include "host/framework/tarn_api.h"
#include "platform/pendrel/messages.h"

namespace Tarn {

struct StateField {
  DWORD kind = 0;  // kStateFieldWord, kStateFieldDouble or kStateFieldText
  DWORD word = 0;
  double number = 0;
  std::u16string text;
  bool operator==(const StateField&) const = default;
};

struct StateRecord {
  DWORD type = 0;
  DWORD header = 0;
  DWORD signature = 0;
  std::vector<StateField> fields;
  bool operator==(const StateRecord&) const = default;
};

// The record of a packed block; none for a block shorter than its signature says, one that
// names an unknown field kind, or a text field that holds no string object.
TARN_API std::optional<StateRecord> ReadStateRecord(const void* block, DWORD bytes);

// The fields' kinds in signature order; none for an unknown kind.
TARN_API std::optional<std::vector<DWORD>> FieldKindsOf(DWORD signature);

// A record packed again: its texts become string objects that `texts` holds while the packed
// bytes are in use.
struct PackedStateRecord {
  std::vector<HeldReference<IQuorString>> texts;
  std::vector<unsigned char> bytes;
};
PackedStateRecord PackStateRecord(const StateRecord& record);

}  // namespace Tarn
