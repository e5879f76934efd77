// The limit lines, their value labels and the shaded bands that an analysis asked the host to
// draw on a channel's graticule. The display keeps no copy of the channel display messages:
// before it draws, it reads the channel's current ones back from the host document's property
// service into this record. One record per graticule drawer, owned by it.
#pragma once

#include "core/quor_string.h"
#include "platform/pendrel/channel_display.h"

struct GraticuleLimits {
  // Flag bits.
  static constexpr DWORD kLine1SecondShown = 0x01;
  static constexpr DWORD kLine2SecondShown = 0x02;
  static constexpr DWORD kFirstBandShown = 0x04;
  static constexpr DWORD kLastBandShown = 0x08;
  static constexpr DWORD kMiddleBandShown = 0x10;
  static constexpr DWORD kLine1Shown = 0x20;
  static constexpr DWORD kLine2Shown = 0x40;

  GraticuleLimits();

  // A line's value as the label shows it: divided by the scale of the SI prefix that the
  // prefix text begins with (1 for no prefix or a letter that is none). `line` is 1 or 2.
  double ShownValue(int line) const;

  double line1Value;
  double line2Value;
  Quor::String line1Unit;
  Quor::String line1Prefix;
  Quor::String line2Unit;
  Quor::String line2Prefix;
  COLORREF line1Colour;
  COLORREF line2Colour;
  COLORREF firstBandColour;
  COLORREF middleBandColour;
  COLORREF lastBandColour;
  DWORD flags;
};

// Refreshes the record from the property service for one channel; a kind of message the
// service does not hold leaves its fields as they were. The result of the last query (the band).
HRESULT FetchGraticuleLabelTexts(GraticuleLimits& limits, IPendrelPropertyService* properties,
                                 DWORD channel);

// The first and the second text of a limit value message's parameter block: shared when they
// are this module's own strings, copied otherwise.
Quor::String LimitValueUnitText(const PendrelLimitValueBlock& block);
Quor::String LimitValuePrefixText(const PendrelLimitValueBlock& block);
