// Finding the installed GDI+ image encoder of a MIME type, for saving a picture in a format.
#pragma once

#include "platform/win32/guid.h"

// True when an encoder's MIME type is exactly `mimeType` (case counts), with its class id in
// `clsid`; when several match, the last one listed. False, `clsid` untouched, when none does
// or the encoders cannot be listed.
bool GetEncoderClsid(const WCHAR* mimeType, CLSID* clsid);
