// The user's corrections of the beat detection: beats added where the detector missed one,
// detected beats removed, the beat marks shown or hidden on the source channel, and every beat
// made normal by widening the classifier limits. The document never edits beat records: it
// edits the user event data, which the fiducial enumerator merges into the beats it finds, or
// the classifier limits, which the fiducial formula carries; then it has the host compute the
// fiducial channel again and analyses the region anew.
#include "analysis/document/document.h"
#include "analysis/document/document_ids.h"
#include "analysis/markers/event_range.h"
#include "analysis/markers/normal_limits.h"
#include "analysis/module_strings.h"
#include "analysis/settings/change_flags.h"

namespace Rhyth {

namespace {

// The fiducial channel and every pass of the engine.
constexpr DWORD kBeatsChanged = kChangeFiducialStage | kChangeEngine;
constexpr UINT kNoPlaceSelectedText = 90;

}  // namespace

bool Document::RecalculateBeats() {
  const bool changed = m_detector.UpdateChannels(kBeatsChanged, m_settings.Get());
  if (changed) {
    // Resetting the channel drops the host's beats of it; the marks it showed on the source
    // channel are linked again at once, as the user left them.
    m_detector.ResetChannels(kChangeFiducialStage, m_settings.Get());
    ShowFiducialMarks();
  }
  return changed;
}

void Document::AnalyseEditedBeats() {
  m_engine.AnalyseRange(kBeatsChanged, DataSource(), *m_settings.Get(),
                        m_detector.GetFiducialChannel());
}

std::optional<std::pair<PendrelPosition, PendrelPosition>> Document::SelectedRange() {
  PendrelPosition start{kRecordEndOffset, kRecordEndOffset}, end = start;
  if (!Selection() || Selection()->GetRange(&start, &end) != S_OK) return std::nullopt;
  if (start.record == kRecordEndOffset || start.offset == kRecordEndOffset) return std::nullopt;
  return std::make_pair(start, end);
}

bool Document::AddMarker() {
  if (IsHostBusy()) return false;
  UserEventData* events = m_data->UserEvents();
  if (!events) return false;
  const auto selected = SelectedRange();
  if (!selected) {
    // Without a place there is no beat to add: a beat at "no position" would be stored and
    // kept with the document.
    ShowStatusText(ModuleString(kNoPlaceSelectedText));
    return false;
  }
  const BeatPosition place{selected->first.offset, selected->first.record};
  SendChangingNotice(kNoticeBeatsEdited);
  events->Remove(&place, TRUE);
  events->Add(&place, FALSE);
  const bool changed = RecalculateBeats();
  AnalyseEditedBeats();
  SendChangedNotice(kNoticeBeatsEdited);
  OnDataEdited();
  return changed;
}

bool Document::RemoveMarker() {
  if (IsHostBusy()) return false;
  SendChangingNotice(kNoticeBeatsEdited);
  UserEventData* events = m_data->UserEvents();
  if (const auto selected = SelectedRange(); selected && events) {
    ForEachEventInRange(DataSource(), m_detector.GetFiducialChannel(), selected->first,
                        selected->second, [events](LONG record, LONG tick) {
                          const BeatPosition place{tick, record};
                          events->Remove(&place, FALSE);
                          events->Add(&place, TRUE);
                        });
  }
  const bool changed = RecalculateBeats();
  AnalyseEditedBeats();
  SendChangedNotice(kNoticeBeatsEdited);
  OnDataEdited();
  return changed;
}

bool Document::SetAllBeatsNormal() {
  if (IsHostBusy() || !RegionIsSet()) return false;
  const std::optional<ClassifierLimits> limits = LimitsAdmittingAll(m_engine.Ranges());
  if (!limits) return false;
  SendChangingNotice(kNoticeAnalysis);
  m_settings->classifier = *limits;
  // The limits are part of the settings the document keeps: announced and marked changed, or
  // a save would lose them.
  OnSettingsEdited();
  const bool changed = RecalculateBeats();
  RefreshCalcChannelLimits();
  AnalyseEditedBeats();
  SendChangedNotice(kNoticeAnalysis);
  return changed;
}

}  // namespace Rhyth
