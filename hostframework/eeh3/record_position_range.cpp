#include "hostframework/eeh3/record_position_range.h"

#include <cmath>
#include <istream>

#include "hostframework/eeh3/param_text.h"

namespace EEH3 {

namespace {

LONG ToTick(double value) {
  if (std::isnan(value)) return -1;
  if (value > 2147483647.0) return kRecordEndOffset;
  if (value < -2147483648.0) return LONG(0x80000000);
  return static_cast<LONG>(std::round(value));
}

}  // namespace

RecordPositionRange RecordPositionRange::FromDoubles(double startOffset, double startRecord,
                                                     double endOffset, double endRecord) {
  return {ToTick(startOffset), ToTick(startRecord), ToTick(endOffset), ToTick(endRecord)};
}

bool RecordPositionRange::Read(std::wistream& in) {
  double startRec, startOff, endRec, endOff;
  if (!ReadOptional(in, startRec, 0.0) || !ReadOptional(in, startOff, 0.0) ||
      !ReadOptional(in, endRec, 2147483647.0) || !ReadOptional(in, endOff, 2147483647.0)) {
    return false;
  }
  *this = FromDoubles(startOff, startRec, endOff, endRec);
  Normalise();
  return true;
}

void RecordPositionRange::Reset() {
  *this = RecordPositionRange();
  Normalise();
}

void RecordPositionRange::Normalise() {
  if (startRecord < 0) startRecord = 0;
  if (startOffset < 0) startOffset = 0;
  if (endRecord < 0) endRecord = kRecordEndOffset;
  if (endOffset < 0) endOffset = kRecordEndOffset;
}

bool RecordPositionRange::AllZero() const {
  return startOffset == 0 && startRecord == 0 && endOffset == 0 && endRecord == 0;
}

bool RecordPositionRange::Contains(LONG offset, LONG record) const {
  if (record < startRecord || (record == startRecord && offset < startOffset)) return false;
  if (endRecord >= 0 && record > endRecord) return false;
  if (record == endRecord) return offset < endOffset;
  return true;
}

bool RecordPositionRange::CoversRecord(LONG record) const {
  if (record < startRecord) return false;
  if (endRecord >= 0 && record > endRecord) return false;
  return record != endRecord || endOffset > StartIn(record);
}

LONG RecordPositionRange::StartIn(LONG record) const {
  return record == startRecord ? startOffset : 0;
}

LONG RecordPositionRange::EndIn(LONG record) const {
  return record == endRecord ? endOffset : kRecordEndOffset;
}

}  // namespace EEH3
