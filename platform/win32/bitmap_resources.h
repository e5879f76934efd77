// Bitmaps from module resources. A BITMAP resource holds a 24- or 32-bit device-independent
// bitmap, optionally led by its file header as a .bmp file is; the bitmap made from it belongs
// to the caller, who deletes it with DeleteObject.
#pragma once

#include "platform/win32/gdi.h"

// Null (ERROR_RESOURCE_NAME_NOT_FOUND or ERROR_INVALID_DATA) when the module has no such
// bitmap or its bytes are not one.
HBITMAP LoadBitmapW(HINSTANCE module, LPCWSTR name);
