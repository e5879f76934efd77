#include "analysis/detection/enumerator_classes.h"

#include <limits>

#include "analysis/rhyth_guids.h"

namespace Rhyth {

namespace {

using CalcEnums::CalcEnumParameter;
using CalcEnums::kParamKindOther;
using CalcEnums::kParamKindSampledChannel;

constexpr double kLargest = std::numeric_limits<double>::max();

constexpr CalcEnumParameter kFiducialParameters[] = {
    {u"Signal", kParamKindSampledChannel, 0.0, 0.0},
    {u"Reference", kParamKindOther, 0.0, 0.0},
    {u"Width[s]", kParamKindOther, 0.01, 10.0},
    {u"Type", kParamKindOther, 0.0, 1.0},
    {u"MinRR[s]", kParamKindOther, 0.0, 60.0},
    {u"MaxRR[s]", kParamKindOther, 0.0, 60.0},
    {u"MinFF", kParamKindOther, 0.0, 10.0},
    {u"MaxFF", kParamKindOther, 0.0, 10.0},
    {u"LimitStartRecord", kParamKindOther, -1.0, kLargest},
    {u"LimitStartOffset", kParamKindOther, -1.0, kLargest},
    {u"LimitEndRecord", kParamKindOther, -1.0, kLargest},
    {u"LimitEndOffset", kParamKindOther, -1.0, kLargest},
    {u"ExcludeEctopic", kParamKindOther, 0.0, 1.0},
};
// The signal must be a sampled channel, the reference an event channel.
constexpr DWORD kFiducialChannelFlags[] = {CalcEnums::kChannelFlagSampled,
                                           CalcEnums::kChannelFlagEvents};
constexpr const WCHAR* kFiducialOutputs[] = {u"Fiducial"};

constexpr CalcEnumParameter kSelectorParameters[] = {
    {u"Source", kParamKindOther, 0.0, 0.0},
    {u"Type", kParamKindOther, 0.0, 5.0},
    {u"Interpolate", kParamKindOther, 0.0, 1.0},
};
constexpr DWORD kSelectorChannelFlags[] = {CalcEnums::kChannelFlagEvents};
constexpr const WCHAR* kSelectorOutputs[] = {u"RhythSelector"};

}  // namespace

CalcEnums::CalcEnumDescriptor& FiducialEnumDescriptor() {
  static CalcEnums::CalcEnumDescriptor descriptor{
      u"RhythFiducialEnum",
      u"Detect fiducial points around a given reference event.",
      0,
      &GUID_RhythEnumObj,
      0,
      0,
      kFiducialParameters,
      kFiducialChannelFlags,
      kFiducialOutputs};
  return descriptor;
}

CalcEnums::CalcEnumDescriptor& SelectorEnumDescriptor() {
  static CalcEnums::CalcEnumDescriptor descriptor{u"RhythSelectorEnum",
                                                  u"Selects a single Rhyth parameter",
                                                  0,
                                                  &GUID_RhythEnumObj,
                                                  2,
                                                  0,
                                                  kSelectorParameters,
                                                  kSelectorChannelFlags,
                                                  kSelectorOutputs};
  return descriptor;
}

}  // namespace Rhyth
