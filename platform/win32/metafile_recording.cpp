#include "platform/win32/metafile_recording.h"

#include <cmath>
#include <memory>

namespace win32::gdi {
namespace {

DrawingState Capture(const DeviceContext& dc) {
  DrawingState state;
  if (const Pen* pen = FindPen(dc.pen)) state.pen = *pen;
  if (const Brush* brush = FindBrush(dc.brush)) state.brush = *brush;
  state.pen.stock = state.brush.stock = false;
  state.font = SelectedFont(dc);
  state.textColour = dc.textColour;
  state.backColour = dc.backColour;
  state.backMode = dc.backMode;
  state.rop2 = dc.rop2;
  state.textAlign = dc.textAlign;
  state.position = dc.position;
  state.viewportOrigin = dc.viewportOrigin;
  state.windowOrigin = dc.windowOrigin;
  state.transform = dc.transform;
  if (dc.clip) {
    state.clipped = true;
    for (int i = 0; i < cairo_region_num_rectangles(dc.clip); ++i) {
      cairo_rectangle_int_t r;
      cairo_region_get_rectangle(dc.clip, i, &r);
      state.clip.push_back({r.x, r.y, r.x + r.width, r.y + r.height});
    }
  }
  return state;
}

// Selects a recorded state into a context for one call and puts the context's own back after.
class AppliedState {
 public:
  AppliedState(HDC dc, const DrawingState& state, double scaleX, double scaleY)
      : m_dc(dc), m_saved(SaveDC(dc)) {
    m_pen = static_cast<HPEN>(AddObject(std::make_unique<Pen>(state.pen)));
    m_brush = static_cast<HBRUSH>(AddObject(std::make_unique<Brush>(state.brush)));
    m_font = CreateFontIndirectW(&state.font);
    SelectObject(dc, m_pen);
    SelectObject(dc, m_brush);
    SelectObject(dc, m_font);
    SetTextColor(dc, state.textColour);
    SetBkColor(dc, state.backColour);
    SetBkMode(dc, state.backMode);
    SetROP2(dc, state.rop2);
    SetTextAlign(dc, state.textAlign);
    DeviceContext* context = FindDC(dc);
    context->position = state.position;
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    const int dx = origin.x, dy = origin.y;
    const bool scaled = scaleX != 1 || scaleY != 1;
    if (!scaled) {
      SetViewportOrgEx(dc, dx + state.viewportOrigin.x, dy + state.viewportOrigin.y, nullptr);
      SetWindowOrgEx(dc, state.windowOrigin.x, state.windowOrigin.y, nullptr);
      if (!IsIdentity(state.transform)) {
        SetGraphicsMode(dc, GM_ADVANCED);
        SetWorldTransform(dc, &state.transform);
      }
    } else {
      // The recording's whole mapping to its device goes into the world transform, followed by
      // the scale, so that fractions of the scaled origins are not rounded away.
      SetWindowOrgEx(dc, 0, 0, nullptr);
      SetGraphicsMode(dc, GM_ADVANCED);
      SetWorldTransform(dc, &state.transform);
      const XFORM origins{1, 0, 0, 1, FLOAT(state.viewportOrigin.x - state.windowOrigin.x),
                          FLOAT(state.viewportOrigin.y - state.windowOrigin.y)};
      ModifyWorldTransform(dc, &origins, MWT_RIGHTMULTIPLY);
      const XFORM scale{FLOAT(scaleX), 0, 0, FLOAT(scaleY), 0, 0};
      ModifyWorldTransform(dc, &scale, MWT_RIGHTMULTIPLY);
    }
    if (state.clipped) {
      // Recorded clips are in the recording's device space; scale them and move them by the
      // target's origin.
      HRGN clip = CreateRectRgn(0, 0, 0, 0);
      for (const RECT& recorded : state.clip) {
        const RECT r{LONG(std::lround(recorded.left * scaleX)), LONG(std::lround(recorded.top * scaleY)),
                     LONG(std::lround(recorded.right * scaleX)), LONG(std::lround(recorded.bottom * scaleY))};
        HRGN part = CreateRectRgn(r.left + dx, r.top + dy, r.right + dx, r.bottom + dy);
        CombineRgn(clip, clip, part, RGN_OR);
        DeleteObject(part);
      }
      HRGN combined = CreateRectRgn(0, 0, 0, 0);
      if (context->clip) {
        Region* existing = FindRegion(combined);
        cairo_region_destroy(existing->region);
        existing->region = cairo_region_copy(context->clip);
        CombineRgn(combined, combined, clip, RGN_AND);
      } else {
        CombineRgn(combined, clip, nullptr, RGN_COPY);
      }
      SelectClipRgn(dc, combined);
      DeleteObject(combined);
      DeleteObject(clip);
    }
  }
  ~AppliedState() {
    RestoreDC(m_dc, m_saved);
    DeleteObject(m_pen);
    DeleteObject(m_brush);
    DeleteObject(m_font);
  }

 private:
  HDC m_dc;
  int m_saved;
  HPEN m_pen;
  HBRUSH m_brush;
  HFONT m_font;
};

}  // namespace

bool IsRecording(const DeviceContext& dc) { return dc.recorder && dc.recorder->depth == 0; }

void Record(DeviceContext& dc, std::function<void(HDC)> draw, emf::Bytes records) {
  if (!IsRecording(dc)) return;
  dc.recorder->calls.push_back({Capture(dc), std::move(draw), std::move(records)});
}

void RecordBlit(DeviceContext& dc, int x, int y, int width, int height, HDC from, int fromX,
                int fromY, int fromWidth, int fromHeight, DWORD rop) {
  if (!IsRecording(dc)) return;
  if (rop != SRCCOPY || !from) {
    Record(dc, [=](HDC target) { PatBlt(target, x, y, width, height, rop); },
           emf::PatternBlitRecord(x, y, width, height, rop));
    return;
  }
  // The source may change or go before the replay: keep what it holds now.
  auto pixels = std::shared_ptr<void>(CreateCompatibleBitmap(from, fromWidth, fromHeight), DeleteObject);
  HDC copier = CreateCompatibleDC(from);
  SelectObject(copier, pixels.get());
  BitBlt(copier, 0, 0, fromWidth, fromHeight, from, fromX, fromY, SRCCOPY);
  // A saved file holds the copy as a device-independent bitmap, bottom row first.
  std::vector<std::uint32_t> bottomUp;
  bottomUp.reserve(std::size_t(fromWidth) * fromHeight);
  for (int row = fromHeight - 1; row >= 0; --row)
    for (int column = 0; column < fromWidth; ++column) {
      const COLORREF colour = GetPixel(copier, column, row);
      bottomUp.push_back((GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour));
    }
  DeleteDC(copier);
  Record(dc,
         [=](HDC target) {
           HDC source = CreateCompatibleDC(target);
           SelectObject(source, pixels.get());
           StretchBlt(target, x, y, width, height, source, 0, 0, fromWidth, fromHeight, SRCCOPY);
           DeleteDC(source);
         },
         emf::DibRecord(x, y, width, height, fromWidth, fromHeight, bottomUp));
}

void Replay(const std::vector<RecordedCall>& calls, HDC target, double scaleX, double scaleY) {
  for (const RecordedCall& call : calls) {
    AppliedState applied(target, call.state, scaleX, scaleY);
    call.draw(target);
  }
}

}  // namespace win32::gdi
