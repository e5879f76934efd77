// The enumerators of strings that script values and script objects hand out. Those over a
// value's own containers (an object's keys or values in key order, a string array's elements)
// refer to the container without copying it; the one over method names holds its own copy of the
// names. Each element is handed out as the string's shared representation, one reference added.
#pragma once

#include <map>
#include <vector>

#include "core/iunknown_array.h"
#include "core/quor_string.h"
#include "platform/pendrel/script_bridge.h"

namespace Quor {

enum class MapPart { Keys, Values };

// A new enumerator with one reference for the caller.
IEnumIAutoQuorString* EnumerateMap(const std::map<String, String>& map, MapPart part);
IEnumIAutoQuorString* EnumerateStrings(const std::vector<String>& strings);
// Over a copy of the array (a reference added to each element); Next fails with E_POINTER at the
// first null element, after handing out those before it.
IEnumIAutoQuorString* EnumerateArray(const InterfaceArray<IAutoQuorString>& strings);

}  // namespace Quor
