// The colour and tooltip columns of the beats CSV: every mark the host draws for the module's
// beat events, found by the beat's record and tick. A beat without a mark (a document whose
// module draws none) gets two empty columns.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "host/document/data_document.h"

namespace PendrelHost {

class BeatMarkTable {
 public:
  explicit BeatMarkTable(DataDocument& document);

  // "#rrggbb,tooltip", the tooltip quoted as CSV quotes a field when it needs it.
  std::string Columns(LONG record, LONG tick) const;

 private:
  std::map<std::pair<LONG, LONG>, std::string> m_columns;
};

}  // namespace PendrelHost
