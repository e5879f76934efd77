#include "analysis/calc/channel_calc_class.h"

// Named in the library's link options (--undefined) so that every program and module linking
// the analysis library keeps this object and with it the static class objects below.
extern "C" {
extern int RhythChannelCalcClassAnchor;
int RhythChannelCalcClassAnchor = 0;
}

namespace Rhyth {

namespace {

ChannelCalcClass channelCalcClass;

}  // namespace

ChannelCalcClass& TheChannelCalcClass() { return channelCalcClass; }

}  // namespace Rhyth
