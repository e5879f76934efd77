// One face of the data document: what it tells a trace preview of itself (how many channel
// lists it shows, its preferences, its sampling devices, three display sizes) and what the
// host's view of it shows (a stretch and a compression), which a preview of the document starts
// from when nothing is selected. Tests and the command line set each answer; the channel count,
// the shown stretch and the compression are unset until they do.
#pragma once

#include <optional>

#include "host/document/preference_store.h"
#include "host/document/sampling_device_list.h"
#include "host/framework/held_reference.h"
#include "platform/pendrel/preview_document.h"

namespace PendrelHost {

struct DisplaySizes {
  LONG labelHeight = 18;
  LONG buttonSize = 20;
  LONG laneHeight = 24;
};

class DocumentPreview : public IPendrelPreviewDocument,
                        public IPendrelDisplayMetrics,
                        public IPendrelShownRange {
 public:
  HRESULT GetDisplayChannelCount(LONG* count) override;
  HRESULT GetPreferenceStore(IPendrelPreferenceStore** store) override;
  HRESULT GetSamplingDevices(IPendrelSamplingDeviceList** devices) override;

  HRESULT GetLabelHeight(LONG* pixels) override;
  HRESULT GetButtonSize(LONG* pixels) override;
  HRESULT GetLaneHeight(DWORD lane, LONG* pixels) override;

  HRESULT GetShownRange(PendrelPosition* start, PendrelPosition* end) override;
  HRESULT GetCompression(double* ticksPerPixel) override;

  void SetDisplayChannelCount(std::optional<LONG> count) { m_channelCount = count; }
  // Null while the document keeps no preferences.
  PreferenceStore* Preferences() { return m_preferences.get(); }
  void RemovePreferences() { m_preferences.reset(); }
  // Null while the document has no device list.
  SamplingDeviceList* Devices() { return m_devices.get(); }
  void RemoveDevices() { m_devices.reset(); }
  void SetDisplaySizes(DisplaySizes sizes) { m_sizes = sizes; }
  void SetShownRange(std::optional<std::pair<PendrelPosition, PendrelPosition>> range) {
    m_shown = range;
  }
  void SetShownCompression(std::optional<double> ticksPerPixel) {
    m_compression = ticksPerPixel;
  }

 protected:
  DocumentPreview();
  ~DocumentPreview();

 private:
  std::optional<LONG> m_channelCount;
  Tarn::HeldReference<PreferenceStore> m_preferences;
  Tarn::HeldReference<SamplingDeviceList> m_devices;
  DisplaySizes m_sizes;
  std::optional<std::pair<PendrelPosition, PendrelPosition>> m_shown;
  std::optional<double> m_compression;
};

}  // namespace PendrelHost
