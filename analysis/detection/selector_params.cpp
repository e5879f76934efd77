#include "analysis/detection/selector_params.h"

#include <cmath>
#include <istream>

#include "analysis/detection/parameter_numbers.h"
#include "analysis/detection/source_objects.h"
#include "hostframework/eeh3/param_text.h"

namespace Rhyth {

namespace {

// A type that is not a whole number names no measure.
constexpr LONG kNoMeasure = -1;

LONG TypeOf(double number) {
  if (number != std::trunc(number) || number < -2147483648.0 || number > 2147483647.0) {
    return kNoMeasure;
  }
  return LONG(number);
}

}  // namespace

bool SelectorParams::Read(std::wistream& in) {
  double typeNumber = 0.0, interpolateNumber = 0.0;
  if (!EEH3::ReadOptional(in, typeNumber, 0.0) ||
      !EEH3::ReadOptional(in, interpolateNumber, 0.0)) {
    return false;
  }
  type = TypeOf(typeNumber);
  interpolate = interpolateNumber != 0.0;
  return true;
}

void SelectorParams::Write(std::wostream& out) const {
  WriteParameterNumbers(out, {double(type), interpolate ? 1.0 : 0.0});
}

HRESULT SelectorParams::BuildSources(IUnknown* const* objects, LONG count) {
  AddSource(new BeatSource(SourceObjectAs<IEnumEventEx>(objects, count, 0).Get()));
  return S_OK;
}

}  // namespace Rhyth
