// Starting and stopping GDI+ in the process. Starts are counted: GDI+ runs from the first
// successful GdiplusStartup until the GdiplusShutdown of the last token still out. Drawing
// surfaces, fonts and encoders refuse to work (GdiplusNotInitialized) while it does not run.
#pragma once

#include "platform/gdiplus/types.h"

namespace Gdiplus {

using DebugEventProc = void (*)(int level, char* message);

struct GdiplusStartupInput {
  UINT GdiplusVersion = 1;
  DebugEventProc DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = FALSE;
  BOOL SuppressExternalCodecs = FALSE;
};

struct GdiplusStartupOutput {
  void* NotificationHook = nullptr;
  void* NotificationUnhook = nullptr;
};

// Whether GDI+ runs in the process now.
bool IsGdiplusRunning();

}  // namespace Gdiplus

// `token` receives a value that GdiplusShutdown takes back once. Only version 1 is known; a
// background thread is never needed, so `output` may be null whatever the input asks.
Gdiplus::Status GdiplusStartup(ULONG_PTR* token, const Gdiplus::GdiplusStartupInput* input,
                               Gdiplus::GdiplusStartupOutput* output);
// Ends one start; an unknown or already returned token is ignored.
void GdiplusShutdown(ULONG_PTR token);
