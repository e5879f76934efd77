// Enhanced metafiles: a device context that records what is drawn on it into a display list,
// which can be replayed onto any other context (window, memory, printer, another metafile). The
// recording context also draws on a surface of its frame's size, so it can be read like any
// other.
#pragma once

#include "platform/win32/gdi.h"

DECLARE_PLATFORM_HANDLE(HENHMETAFILE);

// `frame` is in 0.01 mm; null: the reference context's (or the screen's) whole surface. With a
// file name the file is made at once (a name that cannot be written fails the call) and
// CloseEnhMetaFile writes the picture into it as a plain enhanced metafile. The description is
// two null-terminated strings and a closing null, or null.
HDC CreateEnhMetaFileW(HDC reference, LPCWSTR fileName, const RECT* frame, LPCWSTR description);
HENHMETAFILE CloseEnhMetaFile(HDC dc);
// Replays the list stretched over the rectangle (the picture's own size keeps every pixel where
// it was recorded); null: at the context's origin, at the recorded size.
BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* rect);
BOOL DeleteEnhMetaFile(HENHMETAFILE metafile);
// The picture as an enhanced metafile's bytes; with no buffer, how many there are.
UINT GetEnhMetaFileBits(HENHMETAFILE metafile, UINT size, BYTE* data);

namespace win32 {
// How many drawing calls a metafile holds.
std::size_t MetafileCallCount(HENHMETAFILE metafile);
// How many metafiles are made and not yet deleted, in the whole process.
std::size_t LiveMetafileCount();
}  // namespace win32
