// The class object of the module's channel calculation, CalcClass<ChannelCalc>, and through it
// the settings class. Both are built at load time and linked into the class-object list, which
// module registration walks; the library's consumers link this object in by its anchor, so the
// linker keeps it although nothing calls it.
#pragma once

#include "analysis/calc/channel_calc.h"
#include "hostframework/channelcalc/calc_class.h"

namespace Rhyth {

using ChannelCalcClass = ExtLib::CalcClass<ChannelCalc>;

ChannelCalcClass& TheChannelCalcClass();

}  // namespace Rhyth
