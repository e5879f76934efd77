// Lets GoogleTest print Quor::String values in failure messages.
#pragma once

#include <ostream>

#include "core/quor_string.h"

namespace Quor {
inline void PrintTo(const String& s, std::ostream* out) { *out << '"' << s.ToUtf8String() << '"'; }
}  // namespace Quor
