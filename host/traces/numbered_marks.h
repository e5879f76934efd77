// The stand-in host's numbered marks of a data view: a list of places (record, tick) and the two
// sizes that tell how crowded they are. A view starts with none; a test or the command line
// gives it some.
#pragma once

#include <vector>

#include "platform/pendrel/numbered_marks.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

struct MarkPlace {
  LONG record;
  LONG tick;
};

class NumberedMarks final : public SimpleUnknownImp1<IPendrelNumberedMarks, 0> {
 public:
  HRESULT GetMarkCount(LONG* count) override;
  HRESULT GetMarkSizes(LONGLONG* total, LONG* unit) override;
  HRESULT GetMarkPosition(LONG index, LONG* record, LONG* tick) override;

  void Set(std::vector<MarkPlace> places, LONGLONG total, LONG unit);

 private:
  std::vector<MarkPlace> m_places;
  LONGLONG m_total = 0;
  LONG m_unit = 0;
};

}  // namespace PendrelHost
