// IScaleProxy: one scale of a plot as the scale range dialog edits it: the values its ends may
// take, its current ends, its orientation and unit, and the setting of a new range. Not
// reference counted: whoever hands it out keeps it alive while it is used.
#pragma once

#include <cstdint>

#include "core/quor_string.h"

namespace Quor {

class IScaleProxy {
 public:
  // Bit of GetFlags: the high end may not lie below the low end.
  static constexpr std::int32_t kHighNotBelowLow = 0x400;

  virtual double GetLowestAllowed() = 0;
  virtual double GetHighestAllowed() = 0;
  virtual double GetMin() = 0;
  virtual double GetMax() = 0;
  // 0 horizontal, 1 vertical.
  virtual std::int32_t GetIndex() = 0;
  virtual String GetUnitText() = 0;
  virtual std::int32_t GetFlags() = 0;
  // False, with the reason in `message`, when the scale cannot show the range.
  virtual bool ValidateRange(double high, double low, String& message) = 0;
  virtual void SetRange(double high, double low) = 0;
  // Swaps the two ends.
  virtual void Invert() = 0;

 protected:
  ~IScaleProxy() = default;
};

}  // namespace Quor
