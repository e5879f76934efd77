#include "controls/balloon/balloon_geometry.h"

#include <algorithm>

namespace WTL {

int GetBalloonQuadrant(const RECT& work, POINT anchor) {
  const LONG cx = work.left + (work.right - work.left) / 2;
  const LONG cy = work.top + (work.bottom - work.top) / 2;
  if (anchor.y >= cy) return anchor.x < cx ? 2 : 3;
  return anchor.x < cx ? 1 : 0;
}

namespace {

// Body and tail in window coordinates, before the window is pushed into the work area.
void PlaceBodyAndTail(BalloonLayout& layout, LONG W, LONG H, LONG t) {
  const LONG q = (W - t) / 4;
  switch (layout.quadrant) {
    case 0:
      layout.body = {0, t, W, H};
      layout.tail[0] = {3 * q, t + 1};
      layout.tail[1] = {t + 3 * q, 1};
      layout.tail[2] = {t + 3 * q, t + 1};
      break;
    case 1:
      layout.body = {0, t, W, H};
      layout.tail[0] = {q + t, t + 1};
      layout.tail[1] = {q, 1};
      layout.tail[2] = {q, t + 1};
      break;
    case 2:
      layout.body = {0, 0, W, H - t};
      layout.tail[0] = {q + t, H - t - 2};
      layout.tail[1] = {q, H - 2};
      layout.tail[2] = {q, H - t - 2};
      break;
    default:
      layout.body = {0, 0, W, H - t};
      layout.tail[0] = {3 * q, H - t - 2};
      layout.tail[1] = {t + 3 * q, H - 2};
      layout.tail[2] = {t + 3 * q, H - t - 2};
      break;
  }
}

}  // namespace

BalloonLayout LayOutBalloon(SIZE client, int m, int t, POINT anchor, const RECT& work, unsigned options) {
  BalloonLayout layout{};
  layout.quadrant = GetBalloonQuadrant(work, anchor);
  const LONG W = client.cx + 2 * m, H = client.cy + 2 * m + t;
  PlaceBodyAndTail(layout, W, H, t);
  for (POINT& p : layout.tail) p.x = std::clamp<LONG>(p.x, m, std::max<LONG>(m, W - m));

  const LONG left = anchor.x - layout.tail[1].x, top = anchor.y - layout.tail[1].y;
  LONG dx = 0, dy = 0;
  if (left < work.left)
    dx = work.left - left;
  else if (left + W >= work.right)
    dx = work.right - left - W;
  // The body is kept inside the work area; the tail may overhang it.
  if (top + t < work.top)
    dy = work.top - top - t;
  else if (top - t + H >= work.bottom)
    dy = work.bottom - (top - t + H);
  layout.tail[1].x -= dx;
  if (options & kBalloonMoveWholeTail) {
    layout.tail[0].x -= dx;
    layout.tail[2].x -= dx;
  }
  layout.window = {left + dx, top + dy, left + dx + W, top + dy + H};
  return layout;
}

RECT BalloonClientArea(const RECT& window, int quadrant, int m, int t) {
  RECT client{window.left + m, window.top + m, window.right - m, window.bottom - m};
  if (quadrant == 0 || quadrant == 1)
    client.top += t;
  else
    client.bottom -= t;
  client.right = std::max(client.right, client.left);
  client.bottom = std::max(client.bottom, client.top);
  return client;
}

}  // namespace WTL
