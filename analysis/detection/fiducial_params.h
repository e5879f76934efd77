// The parameters of the fiducial point enumerator, from the fiducial channel's formula: the
// signal and reference channels, the window width, which extreme is the fiducial point, the
// limits that classify a beat and the range that limits the beats; beside them the user's beat
// edits and the beat numbers kept with the host document.
#pragma once

#include "analysis/data/event_id_cache.h"
#include "analysis/data/user_event_data.h"
#include "core/com_ptr.h"
#include "hostframework/eeh3/event_wrapper.h"
#include "hostframework/eeh3/float_ex_wrapper.h"
#include "hostframework/eeh3/params_base.h"

namespace Rhyth {

// Which extreme of the window is the fiducial point.
constexpr LONG kFiducialLargest = 0;
constexpr LONG kFiducialSmallest = 1;

// Parameter text: Width, Type, MinRR, MaxRR, MinFF, MaxFF, LimitStartRecord,
// LimitStartOffset, LimitEndRecord, LimitEndOffset, ExcludeEctopic; numbers the text leaves
// out keep their defaults.
class FiducialParams : public EEH3::ParamsBase {
 public:
  bool Read(std::wistream& in) override;
  void Write(std::wostream& out) const override;
  // The signal (sampled) and the reference (events) channels, then the document's edits and
  // beat numbers, found through the document the channels belong to.
  HRESULT BuildSources(IUnknown* const* objects, LONG count) override;

  EEH3::FloatExWrapper& Signal() const { return *SourceAs<EEH3::FloatExWrapper>(0); }
  EEH3::EventWrapper& Reference() const { return *SourceAs<EEH3::EventWrapper>(1); }

  double minRR = 0.0;  // seconds
  double maxRR = 0.0;
  double minFF = 0.0;
  double maxFF = 0.0;
  bool excludeEctopic = true;
  double width = 0.0;  // seconds
  LONG windowLength = 0;  // ticks, from the width and the record's tick interval
  LONG type = kFiducialLargest;
  Quor::ComPtr<IUserEventData> userEvents;  // may be absent
  Quor::ComPtr<IEventIdCache> eventIds;     // may be absent

 private:
  void DeriveWindowLength();
};

}  // namespace Rhyth
