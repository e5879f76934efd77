// The scratch storage: a new compound file in a temporary file that is deleted when the
// storage's last reference goes.
#pragma once

#include "core/quor_string.h"
#include "platform/win32/storage.h"

// With an empty name, a fresh temporary file name (prefix "Quor") is made and stored in it.
// The storage comes with one reference.
HRESULT CreateTempStorage(Quor::String& fileName, IStorage** storage);
