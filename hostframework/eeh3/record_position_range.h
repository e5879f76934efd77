// The part of a document that an enumeration may produce events in: from (start offset, start
// record) up to, not including, (end offset, end record). kRecordEndOffset in an end field is an
// open end; -1 in all four fields means "not set", which normalises to everything.
#pragma once

#include <iosfwd>

#include "platform/pendrel/data_source.h"

namespace EEH3 {

struct RecordPositionRange {
  LONG startOffset = -1;
  LONG startRecord = -1;
  LONG endOffset = -1;
  LONG endRecord = -1;

  // Each value is rounded half away from zero and kept within the int32 range; a NaN counts as
  // not set (-1).
  static RecordPositionRange FromDoubles(double startOffset, double startRecord, double endOffset,
                                         double endRecord);

  // Reads start record, start offset, end record, end offset, in that order; numbers the text
  // leaves out give an open range on their side. Normalises. False on a word that is not a
  // number.
  bool Read(std::wistream& in);
  // Not set: all four -1, normalised.
  void Reset();
  // A negative start becomes 0, a negative end the open end.
  void Normalise();
  bool AllZero() const;

  bool Contains(LONG offset, LONG record) const;
  // Whether any position of the record lies in the range.
  bool CoversRecord(LONG record) const;
  // The first tick of the range in the record, and the tick its part of the record ends at.
  LONG StartIn(LONG record) const;
  LONG EndIn(LONG record) const;

  bool operator==(const RecordPositionRange&) const = default;
};

}  // namespace EEH3
