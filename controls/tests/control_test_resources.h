// The control tests' own resource module: the controls' marks, strings and test glyphs.
#pragma once

#include "platform/win32/resources.h"

HMODULE ControlTestResources();
