// The drawing libraries (Cairo, Pango and the GLib they stand on) are opened with dlopen the
// first time something draws or lays out text, not when the process starts: they and what they
// pull in are some thirty shared libraries, which every run would otherwise pay to map and
// relocate, and a run that only reads and analyses a recording never draws.
#pragma once

namespace win32 {

// The address of the drawing libraries' function `name`, opening the libraries on the first
// call. Throws std::runtime_error when they cannot be opened or lack the function.
void* DrawingFunction(const char* name);

}  // namespace win32
