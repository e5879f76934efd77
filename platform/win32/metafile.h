// Enhanced metafiles: a device context that records what is drawn on it into a display list,
// which can be replayed onto any other context (window, memory, printer, another metafile). The
// recording context also draws on a surface of its frame's size, so it can be read like any
// other.
#pragma once

#include "platform/win32/gdi.h"

DECLARE_PLATFORM_HANDLE(HENHMETAFILE);

// `frame` is in 0.01 mm; null: the reference context's (or the screen's) whole surface. The
// file name is kept for CloseEnhMetaFile, which writes the file.
HDC CreateEnhMetaFileW(HDC reference, LPCWSTR fileName, const RECT* frame, LPCWSTR description);
HENHMETAFILE CloseEnhMetaFile(HDC dc);
// Replays the list with its top-left corner at the rectangle's; recorded sizes are kept.
BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* rect);
BOOL DeleteEnhMetaFile(HENHMETAFILE metafile);

namespace win32 {
// How many drawing calls a metafile holds.
std::size_t MetafileCallCount(HENHMETAFILE metafile);
}  // namespace win32
