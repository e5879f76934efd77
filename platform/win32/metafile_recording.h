// What a metafile context records: each drawing call as a closure that repeats it on another
// context, with the drawing state (pen, brush, font, colours, mix, origins, world transform,
// clip) it ran under, so a replay draws the same whatever is selected into the target; and the
// call's own enhanced-metafile records, which a saved file holds after that state. Internal to
// the platform library.
#pragma once

#include <functional>
#include <vector>

#include "platform/win32/emf_records.h"
#include "platform/win32/gdi_internal.h"

namespace win32::gdi {

struct DrawingState {
  Pen pen;
  Brush brush;
  LOGFONTW font{};
  COLORREF textColour = 0, backColour = 0;
  int backMode = OPAQUE, rop2 = R2_COPYPEN;
  UINT textAlign = 0;
  POINT position{}, viewportOrigin{}, windowOrigin{};
  XFORM transform = kIdentityTransform;
  bool clipped = false;
  std::vector<RECT> clip;  // device coordinates
};

struct RecordedCall {
  DrawingState state;
  std::function<void(HDC)> draw;
  emf::Bytes records;
};

class Recorder {
 public:
  std::vector<RecordedCall> calls;
  // Set while a call runs on the recording context itself, so the calls it makes in turn are
  // not recorded twice.
  int depth = 0;
};

// Records a drawing call on a metafile context; nothing for other contexts.
void Record(DeviceContext& dc, std::function<void(HDC)> draw, emf::Bytes records);
bool IsRecording(const DeviceContext& dc);
// Records a blit, keeping a copy of the source pixels it reads.
void RecordBlit(DeviceContext& dc, int x, int y, int width, int height, HDC from, int fromX,
                int fromY, int fromWidth, int fromHeight, DWORD rop);
// Replays recorded calls on a context, its own state kept, each recorded device unit drawn
// `scaleX` by `scaleY` target units from the target's viewport origin.
void Replay(const std::vector<RecordedCall>& calls, HDC target, double scaleX = 1, double scaleY = 1);

}  // namespace win32::gdi
