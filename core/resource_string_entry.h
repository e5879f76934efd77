// Finds one counted entry inside a string-table block.
#pragma once

#include "platform/win32/types.h"

namespace Quor {

// Loads and locks `block` and walks its sixteen counted entries to entry (id & 15). Returns the
// entry's length word (the units follow it), or null when the block is missing, shorter than
// the walk, or the entry is empty.
const WORD* FindResourceStringEntry(HMODULE module, HRSRC block, UINT id);

}  // namespace Quor
