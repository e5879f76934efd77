// Message boxes that a module shows through the host application. Without a host application
// nobody can answer, and the box counts as cancelled.
#pragma once

#include "core/quor_string.h"

// The button pressed (IDOK, IDCANCEL, ...).
int TarnMessageBox(const Quor::String& text, const Quor::String& caption, UINT style,
                   DWORD helpContext);
