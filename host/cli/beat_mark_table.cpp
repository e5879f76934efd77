#include "host/cli/beat_mark_table.h"

#include "host/cli/event_marks.h"
#include "host/recording/csv_field.h"

namespace PendrelHost {

BeatMarkTable::BeatMarkTable(DataDocument& document) {
  const std::optional<MarkedEventChannel> marked = MarkedEventChannel::Find(document);
  if (!marked) return;
  for (const EventMark& mark : marked->AllMarks()) {
    m_columns[{LONG(mark.record), LONG(mark.tick)}] =
        ColourHex(mark.colour) + ',' + CsvField(mark.tooltip);
  }
}

std::string BeatMarkTable::Columns(LONG record, LONG tick) const {
  const auto found = m_columns.find({record, tick});
  return found == m_columns.end() ? std::string(",") : found->second;
}

}  // namespace PendrelHost
