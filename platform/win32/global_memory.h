// Global memory blocks. A fixed block's handle is its address; a movable block's handle is a
// separate object whose memory is reached through GlobalLock.
#pragma once

#include "platform/win32/stream.h"
#include "platform/win32/types.h"

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
HGLOBAL GlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT flags);
HGLOBAL GlobalFree(HGLOBAL block);
LPVOID GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);
SIZE_T GlobalSize(HGLOBAL block);

// A stream over a global memory block; a null block makes a new movable one. With
// deleteOnRelease the block is freed when the last stream over it is released.
HRESULT CreateStreamOnHGlobal(HGLOBAL block, BOOL deleteOnRelease, LPSTREAM* stream);
HRESULT GetHGlobalFromStream(LPSTREAM stream, HGLOBAL* block);

LPVOID CoTaskMemAlloc(SIZE_T bytes);
void CoTaskMemFree(LPVOID memory);
