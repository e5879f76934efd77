// The host's messages and notices to the active view of a document: copy, print, a message
// the view only acknowledges, saving the view's image to a file, and the query of the view's
// preferred size, whose parameter block is the output pair the view fills.
#pragma once

#include "platform/win32/types.h"

constexpr DWORD kHostCopyMsgId = 0x80010008;
constexpr DWORD kHostPrintMsgId = 0x8001000B;
constexpr DWORD kHostViewAcknowledgeMsgId = 0x8001000C;
// Saves what the view shows into a file of the type its extension names. The parameter block
// is the file's path in UTF-16, ending in a NUL; the file may be written after the message
// returns, once the view has its image.
constexpr DWORD kHostSaveImageMsgId = 0x80010010;
constexpr DWORD kHostViewSizeQuery = 0x80080002;

// The view's preferred size, in pixels.
struct PendrelViewSize {
  LONG width;
  LONG height;
};
