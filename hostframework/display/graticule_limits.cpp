#include "hostframework/display/graticule_limits.h"

#include <cstring>
#include <limits>
#include <type_traits>

#include "core/com_ptr.h"
#include "core/unit_prefix.h"
#include "hostframework/host_services.h"

namespace {

constexpr COLORREF Rgb(BYTE r, BYTE g, BYTE b) {
  return COLORREF(r) | COLORREF(g) << 8 | COLORREF(b) << 16;
}

void SetFlag(DWORD& flags, DWORD bit, DWORD shown) {
  if (shown) {
    flags |= bit;
  } else {
    flags &= ~bit;
  }
}

// The stored message of a key, with its query's result; the block is copied out when the
// message holds one of the expected size.
template <class Block>
HRESULT Query(IPendrelPropertyService* properties, DWORD type, DWORD channel, DWORD line,
              Block& block, bool& found) {
  found = false;
  ITarnSharedService* shared = GetTarnSharedService();
  if (!shared || !properties) return E_FAIL;
  Quor::ComPtr<IMessage> key;
  shared->CreateKeyMessage(type, channel, line, Quor::ComPtrOut<IMessage>::Bind(key));
  if (!key) return E_FAIL;
  Quor::ComPtr<IMessage> stored;
  const HRESULT hr = properties->GetProperty(key.Get(), Quor::ComPtrOut<IMessage>::Bind(stored));
  if (hr != S_OK || !stored) return hr;
  DWORD bytes = 0;
  const void* data = stored->GetData(&bytes);
  if (!data || bytes < sizeof(Block)) return hr;
  std::memcpy(&block, data, sizeof block);
  found = true;
  // The texts of a limit value block belong to the stored message, which goes at the end of
  // this call: each gets a reference that the caller gives up once it has taken the text.
  if constexpr (std::is_same_v<Block, PendrelLimitValueBlock>) {
    if (block.unit) block.unit->AddRef();
    if (block.prefix) block.prefix->AddRef();
  }
  return hr;
}

void FetchLine(GraticuleLimits& limits, IPendrelPropertyService* properties, DWORD channel,
               DWORD line) {
  PendrelLimitLineBlock block{};
  bool found = false;
  Query(properties, kChannelLimitLineMsg, channel, line, block, found);
  if (!found) return;
  const bool first = line == 1;
  SetFlag(limits.flags, first ? GraticuleLimits::kLine1Shown : GraticuleLimits::kLine2Shown,
          block.shown);
  SetFlag(limits.flags,
          first ? GraticuleLimits::kLine1SecondShown : GraticuleLimits::kLine2SecondShown,
          block.secondShown);
  (first ? limits.line1Colour : limits.line2Colour) = block.colour;
}

void FetchValue(GraticuleLimits& limits, IPendrelPropertyService* properties, DWORD channel,
                DWORD line) {
  PendrelLimitValueBlock block{};
  bool found = false;
  Query(properties, kChannelLimitValueMsg, channel, line, block, found);
  if (!found) return;
  const bool first = line == 1;
  (first ? limits.line1Value : limits.line2Value) = block.value;
  (first ? limits.line1Unit : limits.line2Unit) = LimitValueUnitText(block);
  (first ? limits.line1Prefix : limits.line2Prefix) = LimitValuePrefixText(block);
  if (block.unit) block.unit->Release();
  if (block.prefix) block.prefix->Release();
}

HRESULT FetchBand(GraticuleLimits& limits, IPendrelPropertyService* properties, DWORD channel) {
  PendrelBandBlock block{};
  bool found = false;
  const HRESULT hr = Query(properties, kChannelBandMsg, channel, 0, block, found);
  if (!found) return hr;
  SetFlag(limits.flags, GraticuleLimits::kFirstBandShown, block.firstShown);
  SetFlag(limits.flags, GraticuleLimits::kMiddleBandShown, block.middleShown);
  SetFlag(limits.flags, GraticuleLimits::kLastBandShown, block.lastShown);
  limits.firstBandColour = block.first;
  limits.middleBandColour = block.middle;
  limits.lastBandColour = block.last;
  return hr;
}

}  // namespace

GraticuleLimits::GraticuleLimits()
    : line1Value(std::numeric_limits<double>::quiet_NaN()),
      line2Value(std::numeric_limits<double>::quiet_NaN()),
      line1Colour(Rgb(137, 137, 137)),
      line2Colour(Rgb(137, 137, 137)),
      firstBandColour(Rgb(254, 194, 194)),
      middleBandColour(Rgb(177, 254, 197)),
      lastBandColour(Rgb(254, 194, 194)),
      flags(0) {}

double GraticuleLimits::ShownValue(int line) const {
  const Quor::String& prefix = line == 1 ? line1Prefix : line2Prefix;
  const double value = line == 1 ? line1Value : line2Value;
  return value / UnitPrefixFactor(prefix.IsEmpty() ? WCHAR(0) : prefix[0]);
}

HRESULT FetchGraticuleLabelTexts(GraticuleLimits& limits, IPendrelPropertyService* properties,
                                 DWORD channel) {
  FetchLine(limits, properties, channel, 1);
  FetchLine(limits, properties, channel, 2);
  FetchValue(limits, properties, channel, 1);
  FetchValue(limits, properties, channel, 2);
  return FetchBand(limits, properties, channel);
}

Quor::String LimitValueUnitText(const PendrelLimitValueBlock& block) {
  return Quor::String(block.unit);
}

Quor::String LimitValuePrefixText(const PendrelLimitValueBlock& block) {
  return Quor::String(block.prefix);
}
