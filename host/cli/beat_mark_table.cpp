#include "host/cli/beat_mark_table.h"

#include "host/cli/event_marks.h"

namespace PendrelHost {

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

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
