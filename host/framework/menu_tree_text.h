// The host's menu tree as text, one line per placed entry in the order of placement, so that
// tests can compare what a module built:
//   menu "Top" parent="Top" order=0:10000
//   item "Top|Settings" command=0x01000001 p1=0x0000001E anchor="settings" order=1003:10
//   separator "Top|-" order=0:3
// An order reads placement:low word; texts that are empty are left out.
#pragma once

#include <string>
#include <vector>

#include "host/framework/tarn_api.h"

namespace Tarn {

TARN_API std::vector<std::string> MenuTreeLines();

}  // namespace Tarn
