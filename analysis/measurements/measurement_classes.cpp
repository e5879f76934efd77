#include "analysis/measurements/measurement_classes.h"

#include "analysis/measurements/measurements.h"
#include "analysis/module_strings.h"
#include "hostframework/tabulon/tabulon_func_class.h"

// Named in the library's link options (--undefined) so that every program and module linking
// the analysis library keeps this object and with it the static class objects below.
extern "C" {
extern int RhythMeasurementClassesAnchor;
int RhythMeasurementClassesAnchor = 0;
}

namespace Rhyth {

namespace {

Quor::String LoadText(UINT id) { return ModuleString(id); }

// The function objects' group: their type words, and how the table groups them.
const TabulonFuncGroup kGroup{&GUID_TabulonFunctionFamily, 5, u"Rhyth", 2000, LoadText};

// Each measurement has four texts from its id on: display name, description and the two
// alternative names.
constexpr TabulonFuncInfo Info(DWORD subId, const WCHAR* name, UINT textId) {
  return {&GUID_TabulonFunctionFamily, subId, name, textId};
}

// Constructed in sub-id order; each links itself into the class-object list.
TabulonFuncClass<AnalysisStart> analysisStart(kGroup, Info(0, u"AnalysisStart", 85));
TabulonFuncClass<AnalysisEnd> analysisEnd(kGroup, Info(1, u"AnalysisEnd", 89));
TabulonFuncClass<TotalCount> totalCount(kGroup, Info(2, u"TotalCount", 93));
TabulonFuncClass<NormalCount> normalCount(kGroup, Info(3, u"NormalCount", 97));
TabulonFuncClass<EctopicCount> ectopicCount(kGroup, Info(4, u"EctopicCount", 101));
TabulonFuncClass<MeanRR> meanRR(kGroup, Info(5, u"MeanRR", 105));
TabulonFuncClass<MedianRR> medianRR(kGroup, Info(6, u"MedianRR", 109));
TabulonFuncClass<SDRR> sdrr(kGroup, Info(7, u"SDRR", 113));
TabulonFuncClass<CVRR> cvrr(kGroup, Info(8, u"CVRR", 117));
TabulonFuncClass<MeanRate> meanRate(kGroup, Info(9, u"MeanRate", 121));
TabulonFuncClass<SDRate> sdRate(kGroup, Info(10, u"SDRate", 125));
TabulonFuncClass<SDSD> sdsd(kGroup, Info(11, u"SDSD", 129));
TabulonFuncClass<RMSSD> rmssd(kGroup, Info(12, u"RMSSD", 133));
TabulonFuncClass<pNNx> pnnx(kGroup, Info(13, u"pNNx", 137));
TabulonFuncClass<SD1> sd1(kGroup, Info(14, u"SD1", 145));
TabulonFuncClass<SD2> sd2(kGroup, Info(15, u"SD2", 149));
TabulonFuncClass<SDANN> sdann(kGroup, Info(16, u"SDARR", 141));
TabulonFuncClass<TotalPower> totalPower(kGroup, Info(17, u"TotalPower", 153));
TabulonFuncClass<VLFPower> vlfPower(kGroup, Info(18, u"VLFPower", 157));
TabulonFuncClass<VLFPowerPercent> vlfPowerPercent(kGroup, Info(19, u"VLFPowerPercent", 161));
TabulonFuncClass<LFPower> lfPower(kGroup, Info(20, u"LFPower", 165));
TabulonFuncClass<LFPowerPercent> lfPowerPercent(kGroup, Info(21, u"LFPowerPercent", 169));
TabulonFuncClass<LFPowerNU> lfPowerNU(kGroup, Info(22, u"LFPowerNU", 173));
TabulonFuncClass<HFPower> hfPower(kGroup, Info(23, u"HFPower", 177));
TabulonFuncClass<HFPowerPercent> hfPowerPercent(kGroup, Info(24, u"HFPowerPercent", 181));
TabulonFuncClass<HFPowerNU> hfPowerNU(kGroup, Info(25, u"HFPowerNU", 185));
TabulonFuncClass<LFHFRatio> lfhfRatio(kGroup, Info(26, u"LFHFRatio", 189));

TabulonFuncClassBase* const kClasses[] = {
    &analysisStart, &analysisEnd, &totalCount,      &normalCount, &ectopicCount,
    &meanRR,        &medianRR,    &sdrr,            &cvrr,        &meanRate,
    &sdRate,        &sdsd,        &rmssd,           &pnnx,        &sd1,
    &sd2,           &sdann,       &totalPower,      &vlfPower,    &vlfPowerPercent,
    &lfPower,       &lfPowerPercent, &lfPowerNU,    &hfPower,     &hfPowerPercent,
    &hfPowerNU,     &lfhfRatio};

}  // namespace

std::span<TabulonFuncClassBase* const> MeasurementClasses() { return kClasses; }

}  // namespace Rhyth
