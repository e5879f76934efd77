// The user's selection in a data document, as modules ask for it and change it: a stretch of the
// recording (positions as offset and record, the end exclusive), whether it is a range or a
// point, its extent in ticks from the document start, and the channel the host shows with its
// vertical range. The selection itself lives in the recording; the object is owned by the data
// document, which cuts it off when it goes.
#pragma once

#include <optional>

#include "host/recording/recording.h"
#include "platform/pendrel/recording_document.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

struct ShownChannel {
  DWORD index;
  DWORD kind;
  double low;
  double high;
};

class HostSelection final : public SimpleUnknownImp1<IPendrelSelection, 1> {
 public:
  explicit HostSelection(Recording& recording) : m_recording(&recording) {}

  HRESULT GetKind(DWORD* kind) override;
  HRESULT GetRange(PendrelPosition* start, PendrelPosition* end) override;
  HRESULT IsRange(VARIANT_BOOL* range) override;
  HRESULT IsPoint(VARIANT_BOOL* point) override;
  HRESULT GetExtent(LONGLONG* start, LONGLONG* end) override;
  HRESULT BeginChange() override;
  // An end offset of kRecordEndOffset stands for the end of its record. E_INVALIDARG for a
  // range outside the data.
  HRESULT SelectRange(PendrelPosition start, PendrelPosition end) override;
  HRESULT SelectChannel(DWORD index, DWORD kind, double low, double high) override;

  // Whole channels selected, no stretch of time (the kind word 0x801E0001).
  void SetChannelsOnly(bool channelsOnly) { m_channelsOnly = channelsOnly; }
  const std::optional<ShownChannel>& Shown() const { return m_shown; }
  // The data document is going: every call fails from now on.
  void CutOff() { m_recording = nullptr; }

 private:
  // Ticks from the document start to a position.
  LONGLONG AbsoluteTick(const RecordPosition& position) const;

  Recording* m_recording;
  bool m_channelsOnly = false;
  std::optional<ShownChannel> m_shown;
};

}  // namespace PendrelHost
