// The host's channel calculations: the list of calculation classes that modules registered, and
// the channels of a data document that they compute. Adding a calculated channel lets the user
// edit the calculation's settings first (through the class's dialog, which the scripted
// answerer answers); a cancelled dialog adds nothing. Calculated channels are computed channels
// like any other: listed among the document's channels and read by name.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/calc/calculated_channel.h"

namespace PendrelHost {

struct CalculationClassEntry {
  std::u16string displayName;
  std::u16string description;
  Tarn::HeldReference<ICalculationClass> classObject;
};

// The registered calculation classes, in the order of registration.
std::vector<CalculationClassEntry> CalculationClasses();
// The class of that display name, in any case; null when none is registered.
Tarn::HeldReference<ICalculationClass> FindCalculationClass(std::string_view displayName);

// Adds the channel `name` computed by a new calculation of the class, after the user edited its
// settings: the channel's name, or nothing when the user cancelled. Throws ChannelError when the
// channel or the calculation cannot be made (a name in use, a calculation that fails).
std::optional<std::string> AddCalculatedChannel(DataDocument& document,
                                                ICalculationClass* calcClass,
                                                std::string_view name);
// Lets the user edit the settings of the channel's calculation: true when they changed.
bool EditCalculatedChannel(DataDocument& document, std::string_view name);

// The calculated channel of that name; null for a channel no calculation computes.
CalculatedChannel* FindCalculatedChannel(DataDocument& document, std::string_view name);
// The names of the document's calculated channels, in channel order.
std::vector<std::string> CalculatedChannelNames(DataDocument& document);
// Calculates again every channel whose output follows no channel yet, so that a channel made
// after the calculation (the detector's beats) is followed.
void RefreshCalculatedChannels(DataDocument& document);

// One value of a calculated event channel, as its 16-bit samples hold it.
struct CalculatedPoint {
  std::size_t record;
  int32_t tick;
  double time;  // s from the document start
  double value;
};
// The channel's values (refreshed first). A channel whose formula is a number has none. Throws
// ChannelError when the channel fails.
std::vector<CalculatedPoint> CalculatedChannelValues(DataDocument& document, std::string_view name);

}  // namespace PendrelHost
