#include "tracedisplay/background/pre_trigger_background.h"

#include <algorithm>
#include <cmath>

namespace PendrelDraw {

namespace {

// The stripes fall to the left at 67 degrees from the horizontal.
constexpr double kStripeAngle = 1.1693705988362009;
constexpr LONG kStripeSpacing = 20;
constexpr int kStripeWidth = 8;

// One memory context for every hatch: made with the first and kept for the process.
HDC SharedTileContext() {
  static const HDC dc = CreateCompatibleDC(nullptr);
  return dc;
}

void DrawStripes(HDC dc, LONG width, LONG height) {
  const RECT all{0, 0, width, height};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const HPEN pen = CreatePen(PS_SOLID, kStripeWidth, RGB(0, 0, 0));
  const HGDIOBJ previous = SelectObject(dc, pen);
  for (LONG x = 0; x < width + height; x += kStripeSpacing) {
    MoveToEx(dc, x, 0, nullptr);
    LineTo(dc, -1, LONG(x / std::cos(kStripeAngle)) + 1);
  }
  SelectObject(dc, previous);
  DeleteObject(pen);
}

}  // namespace

std::vector<TileBlit> TileBlits(LONG first, LONG end, LONG tileWidth, LONG phase) {
  std::vector<TileBlit> blits;
  for (LONG x = first; x < end;) {
    const LONG width = std::min(tileWidth - phase, end - x);
    blits.push_back({x, width, phase});
    x += width;
    phase = (phase + width) % tileWidth;
  }
  return blits;
}

LONG PreTriggerTileWidth(LONG height) { return ((height - 1) / 20 + 1) * 20; }

DrawPreTriggerBackground::DrawPreTriggerBackground() { SharedTileContext(); }

DrawPreTriggerBackground::~DrawPreTriggerBackground() {
  if (m_tile) DeleteObject(m_tile);
}

HRESULT DrawPreTriggerBackground::Build(IDrawerDataPane*, LONG height) {
  if (height == m_height) return S_OK;
  m_height = height;
  m_width = PreTriggerTileWidth(height);
  if (m_tile) DeleteObject(m_tile);
  m_tile = CreateBitmap(m_width, height, 1, 1, nullptr);
  if (!m_tile) return E_OUTOFMEMORY;
  const HDC dc = SharedTileContext();
  const HGDIOBJ previous = SelectObject(dc, m_tile);
  DrawStripes(dc, m_width, height);
  SelectObject(dc, previous);
  return S_OK;
}

HRESULT DrawPreTriggerBackground::Draw(HDC dc, LONGLONG position, LONG first, LONG end) {
  if (!m_tile) return S_OK;
  if (end - first < 1 || m_height == 0) return S_FALSE;
  // The remainder keeps the sign of the position; a negative one is brought into the tile.
  LONG phase = LONG(position % m_width);
  if (phase < 0) phase += m_width;
  const HDC tiles = SharedTileContext();
  const HGDIOBJ previousTile = SelectObject(tiles, m_tile);
  const HBRUSH brush = CreateSolidBrush(GetNearestColor(dc, kPreTriggerColour));
  const HGDIOBJ previousBrush = SelectObject(dc, brush);
  for (const TileBlit& blit : TileBlits(first, end, m_width, phase)) {
    BitBlt(dc, blit.x, 0, blit.width, m_height, tiles, blit.tileX, 0, PSDPXAX);
  }
  SelectObject(dc, previousBrush);
  DeleteObject(brush);
  SelectObject(tiles, previousTile);
  return S_OK;
}

}  // namespace PendrelDraw
