// Questions extensions ask the host's data document about channels and their calculations.
#pragma once

#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "platform/pendrel/arithmetic_channels.h"
#include "platform/pendrel/recording_document.h"

namespace ExtLib {

// The type words of the host's arithmetic calculation and of its settings.
DWORD GetArithmeticCalcTypeId();
DWORD GetArithmeticSettingsTypeId();
// The type word of the host's selection object, which a data document gives by type.
DWORD GetHostSelectionTypeId();

// The smallest of the three display sizes the host object reports (each 16 without one).
LONG GetMinHostMetric(IUnknown* hostObject);

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

// The stretch a preview of the host document shows first and its compression (ticks per
// pixel): the host's selection, else the range the source's view shows. A stretch of n ticks
// gets PreviewCompressionFactor(n); without one (or an empty one) the view's compression, or
// 1.0 when the view has none or one below -0.5. Without any stretch both positions are {0, 0}.
void ComputePreviewCompression(IUnknown* hostDocument, IUnknown* source, PendrelPosition* start,
                               PendrelPosition* end, double* compression);

// What the host tells of a channel's data: name, unit, and the unit's prefix index (8: none).
struct ChannelDataText {
  Quor::String name;
  Quor::String unit;
  LONG prefix = 8;
};

// The description of a channel's data in a record (or, when the record has none, in any
// record). False, and `text` untouched, when the host gives none.
bool GetChannelDataText(IUnknown* hostDocument, LONG record, DWORD channel,
                        ChannelDataText* text);

// Ticks per pixel for a preview 400 pixels wide of `span` ticks: the first of 1, 2, 5, ...,
// 1000 not below span / 400, else 2000.
double PreviewCompressionFactor(LONGLONG span);

}  // namespace ExtLib
