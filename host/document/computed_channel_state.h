// What the document keeps of a computed channel beside its formula: whether an extension holds
// it, and so keeps the user from editing or deleting it, and the calculation object behind it.
#pragma once

#include <string>

#include "host/framework/held_reference.h"
#include "platform/pendrel/arithmetic_channels.h"

namespace PendrelHost {

struct ComputedChannelState {
  bool held = false;
  std::u16string owner;
  Tarn::HeldReference<IPendrelCalculation> calculation;
};

}  // namespace PendrelHost
