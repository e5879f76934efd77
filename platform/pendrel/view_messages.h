// The host's messages and notices to the active view of a document: copy, print, a message
// the view only acknowledges, and the query of the view's preferred size, whose parameter block
// is the output pair the view fills.
#pragma once

#include "platform/win32/types.h"

constexpr DWORD kHostCopyMsgId = 0x80010008;
constexpr DWORD kHostPrintMsgId = 0x8001000B;
constexpr DWORD kHostViewAcknowledgeMsgId = 0x8001000C;
constexpr DWORD kHostViewSizeQuery = 0x80080002;

// The view's preferred size, in pixels.
struct PendrelViewSize {
  LONG width;
  LONG height;
};
