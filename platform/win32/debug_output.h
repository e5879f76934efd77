// The debugger's output: text a program writes for whoever watches it. Nobody watches by
// default and the text is dropped; a test installs a sink to read it.
#pragma once

#include <functional>
#include <string_view>

#include "platform/win32/types.h"

void OutputDebugStringW(LPCWSTR text);

namespace win32 {

// Replaces the sink (null: drop the text again).
void SetDebugOutputSink(std::function<void(std::u16string_view text)> sink);

}  // namespace win32
