#include "analysis/detection/fiducial_params.h"

#include <algorithm>
#include <istream>

#include "analysis/detection/parameter_numbers.h"
#include "analysis/detection/source_objects.h"
#include "hostframework/eeh3/param_text.h"

namespace Rhyth {

namespace {

// The widest window the parameter allows, in seconds.
constexpr double kMaxWidth = 10.0;

}  // namespace

bool FiducialParams::Read(std::wistream& in) {
  double typeNumber = 0.0, exclude = 1.0;
  const bool read =
      EEH3::ReadOptional(in, width, 0.0) && EEH3::ReadOptional(in, typeNumber, 0.0) &&
      EEH3::ReadOptional(in, minRR, 0.0) && EEH3::ReadOptional(in, maxRR, 0.0) &&
      EEH3::ReadOptional(in, minFF, 0.0) && EEH3::ReadOptional(in, maxFF, 0.0) &&
      range.Read(in) && EEH3::ReadOptional(in, exclude, 1.0);
  if (!read) return false;
  // Any type but the smallest sample searches for the largest.
  type = typeNumber == 1.0 ? kFiducialSmallest : kFiducialLargest;
  excludeEctopic = exclude > 0.0;
  // Known once a record has been started: a new text for a started record keeps its window.
  DeriveWindowLength();
  return true;
}

void FiducialParams::Write(std::wostream& out) const {
  WriteParameterNumbers(
      out, {width, double(type), minRR, maxRR, minFF, maxFF, double(range.startRecord),
            double(range.startOffset), double(range.endRecord), double(range.endOffset),
            excludeEctopic ? 1.0 : 0.0});
}

HRESULT FiducialParams::BuildSources(IUnknown* const* objects, LONG count) {
  AddSource(new EEH3::FloatExWrapper(SourceObjectAs<IEnumFloatEx>(objects, count, 0).Get()));
  AddSource(new EEH3::EventWrapper(SourceObjectAs<IEnumEventEx>(objects, count, 1).Get()));
  for (DWORD i = 0; i < SourceCount(); ++i) Source(i)->SetRateRatio({1, 1, 1.0});
  DeriveWindowLength();
  userEvents =
      FindSourceDocumentChildDataAs<IUserEventData>(objects, count, UserEventDataTypeId::Id());
  eventIds =
      FindSourceDocumentChildDataAs<IEventIdCache>(objects, count, EventIdCacheTypeId::Id());
  return S_OK;
}

void FiducialParams::DeriveWindowLength() {
  if (!(tickInterval > 0.0)) {
    windowLength = 0;
    return;
  }
  // A width outside its range must not make a window that the tick count cannot hold.
  const double seconds = width > 0.0 ? std::min(width, kMaxWidth) : 0.0;
  const double ticks = std::min(seconds / tickInterval + 0.5, double(kRecordEndOffset / 2));
  windowLength = LONG(ticks);
}

}  // namespace Rhyth
