// The titles of the seven analysis views, loaded once per process from the module's strings and
// shared by the view class objects, their document-view wrappers and the views themselves.
#pragma once

#include "core/quor_string.h"

namespace Rhyth {

// The title of view number n (0 report to 6 Poincaré); empty for another number.
const Quor::String& ViewTitle(DWORD n);

}  // namespace Rhyth
