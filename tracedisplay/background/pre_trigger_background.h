// DrawPreTriggerBackground: the hatch behind data recorded before a trigger point. One
// monochrome tile of diagonal stripes is made per lane height and repeated across any column
// range, its phase following the data position so that the hatch scrolls with the data. The
// graticule drawer owns one; every instance blits through one process-wide memory context.
#pragma once

#include <vector>

#include "tracedisplay/drawers/drawer_data_pane.h"

namespace PendrelDraw {

// The hatch colour.
inline constexpr COLORREF kPreTriggerColour = RGB(255, 239, 210);

class DrawPreTriggerBackgroundBase {
 public:
  virtual ~DrawPreTriggerBackgroundBase() = default;
  virtual HRESULT Build(IDrawerDataPane* pane, LONG height) = 0;
  virtual HRESULT Reserved() { return S_OK; }
  virtual HRESULT Draw(HDC dc, LONGLONG position, LONG first, LONG end) = 0;
};

// One blit of a tile run: `width` columns at target column `x` from tile column `tileX`.
struct TileBlit {
  LONG x;
  LONG width;
  LONG tileX;
  bool operator==(const TileBlit&) const = default;
};

// The blits that cover [first, end) with tiles of `tileWidth` starting at tile column `phase`.
std::vector<TileBlit> TileBlits(LONG first, LONG end, LONG tileWidth, LONG phase);

// The smallest multiple of 20 not below the height (20 for heights up to 1).
LONG PreTriggerTileWidth(LONG height);

class DrawPreTriggerBackground final : public DrawPreTriggerBackgroundBase {
 public:
  DrawPreTriggerBackground();
  ~DrawPreTriggerBackground() override;
  DrawPreTriggerBackground(const DrawPreTriggerBackground&) = delete;
  DrawPreTriggerBackground& operator=(const DrawPreTriggerBackground&) = delete;

  // Makes the tile for a lane height; nothing happens when the height is the built one.
  HRESULT Build(IDrawerDataPane* pane, LONG height) override;
  // S_OK without drawing before Build; S_FALSE for an empty range or a height of 0.
  HRESULT Draw(HDC dc, LONGLONG position, LONG first, LONG end) override;

  LONG TileHeight() const { return m_height; }
  LONG TileWidth() const { return m_width; }

 private:
  LONG m_height = 0;
  LONG m_width = 0;
  HBITMAP m_tile = nullptr;
};

}  // namespace PendrelDraw
