// Questions extensions ask the host's data document about channels and their calculations.
#pragma once

#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "platform/pendrel/arithmetic_channels.h"

namespace ExtLib {

// The type words of the host's arithmetic calculation and of its settings.
DWORD GetArithmeticCalcTypeId();
DWORD GetArithmeticSettingsTypeId();

// The channel's calculation when its type word is `expectedType` (its object in `calculation`).
bool GetChannelCalc(IUnknown* hostDocument, PendrelChannelRef channel, DWORD expectedType,
                    Quor::ComPtr<IUnknown>& calculation);

// The smallest and largest value of a channel in a record, offset and scaled as shown.
bool GetChannelValueRange(IUnknown* hostDocument, LONG record, DWORD channel, double* minimum,
                          double* maximum);

// Gives a channel an arithmetic calculation with this formula and unit.
bool SetArithmeticFormula(IUnknown* hostDocument, PendrelChannelRef channel,
                          const Quor::String& formula, const Quor::String& unit);

// Makes the channel's calculation an arithmetic one with `formula` and `unit`: keeps an
// arithmetic calculation that is there, else resets the old one and installs a new one.
bool UpdateArithmeticFormula(IPendrelChannelData* channels, PendrelChannelRef channel,
                             const Quor::String& formula, const Quor::String& unit);

// Ticks per pixel for a preview 400 pixels wide of `span` ticks: the first of 1, 2, 5, ...,
// 1000 not below span / 400, else 2000.
double PreviewCompressionFactor(LONGLONG span);

}  // namespace ExtLib
