// The module's time reader with the day names, month names and date order of a named locale.
#pragma once

#include "core/time_get.h"

namespace Quor {

template <class CharT>
class time_getEx : public time_get<CharT> {
 public:
  time_getEx(const std::locale& named, CharT dateSeparator, std::size_t refs = 0);
};

extern template class time_getEx<wchar_t>;

}  // namespace Quor
