// DrawerBase: what every record drawer shares. DrawerBaseInit is the copyable record a drawer is
// made from (its id, channel and the state the band and data pane give it); DrawerBase adds the
// attached source, the host record data reached through it and the data pane's services, and
// answers every operation a particular drawer does not change. A drawer is made with no
// reference and lives as long as the band that holds it.
#pragma once

#include "platform/pendrel/data_source.h"
#include "platform/pendrel/trace_record_data.h"
#include "platform/win32/com_object.h"
#include "tracedisplay/drawers/record_drawer.h"

namespace PendrelDraw {

// The channel pair of no channel.
inline constexpr LONG kNoChannelIndex = LONG(0x80000000);
inline constexpr LONG kNoChannelKind = LONG(0xC0000000);

struct DrawerBaseInit {
  DrawerBaseInit(DWORD addressFlags, LONG channelIndex, LONG dataKind, DWORD id,
                 LONG secondIndex = kNoChannelIndex, LONG secondKind = kNoChannelKind);

  // The word each per-channel host call carries: the address flags with the data kind as their
  // low byte; drawing calls also drop bits 0x3000 when the pane value is not 0.
  DWORD AddressWord(bool forDrawing) const;

  RECT rect = {};
  DWORD id;
  DWORD addressFlags;
  DWORD paneId = 0;
  LONG colourSlot = -2;
  LONG channel[2];
  LONG secondChannel[2];
  LONG latestRecord = -1;
  DWORD paneValue = 0;
  DWORD onlineRecord = 0;
  bool moreData = false;
  bool attached = false;
};

class DrawerBase : public SimpleUnknownImp1<IPendrelRecordDrawer, 0>, public DrawerBaseInit {
 public:
  HRESULT Attach(DWORD ignored, IUnknown* source) override;
  HRESULT SetExtent(DWORD paneId, const RECT* rect) override;
  HRESULT GetId(DWORD* id) override;
  HRESULT GetPreferredSize(LONG* pair) override;
  HRESULT GetValueAt(LONG laneKind, LONG record, IQuorString** text, VARIANT_BOOL* flag) override;
  HRESULT GetLaneValue(LONG record, IUnknown** value) override;
  HRESULT PrepareBackground(IDrawerDataPane* pane) override;
  HRESULT SetChannel(DWORD onlineRecord, VARIANT_BOOL moreData) override;
  HRESULT GetDataRange(LONGLONG start, LONGLONG count, LONGLONG* end) override;
  HRESULT Invalidate(DWORD a, DWORD b) override;
  HRESULT Reserved1(VARIANT_BOOL flag) override;
  HRESULT Reserved2(DWORD a, DWORD b) override;
  HRESULT OnDataChanged(DWORD flags, LONG laneKind, const LONG* four, LONG last) override;
  HRESULT GetChannel(DWORD* laneKind) override;
  HRESULT ReleaseSource(DWORD what) override;
  HRESULT GetScale(LONG* pair) override;
  HRESULT SetColour(DWORD ignored, LONG slot) override;
  HRESULT UpdateFromChannel(IUnknown* settings, IUnknown* labels, LONG channel) override;
  HRESULT HitTest(LONG laneKind, LONG record, IQuorString** text, VARIANT_BOOL* flag,
                  double* range, double* secondRange, double* value) override;
  HRESULT SetUnits(IDrawerDataPane* pane) override;
  HRESULT Reserved3() override;
  HRESULT Reserved4(DWORD what) override;
  HRESULT Clone(DWORD flags, IPendrelRecordDrawer** copy) override;
  HRESULT SetOwner(DWORD paneValue) override;
  const void* GetScaleLabels() override;

  // The x print scale of the pane; 1.0 without a pane.
  double PrintScale() const;
  // The pane's vertical resolution for the DC over the DC's own; 1.0 without a pane.
  double ResolutionRatio(HDC dc) const;

  IDrawerDataPane* Pane() const { return m_pane; }
  IUnknown* Source() const { return m_source; }
  // The host's record data reached through the source; null when the source offers none.
  IPendrelDataSource* RecordData() const { return m_recordData; }
  IPendrelTraceRecordData* TraceData() const { return m_traceData; }

 protected:
  explicit DrawerBase(const DrawerBaseInit& init) : DrawerBaseInit(init) {}
  ~DrawerBase() override;

  // A new drawer of the same class with this drawer's record; Clone hands it out.
  virtual DrawerBase* MakeCopy() const = 0;

 private:
  IUnknown* m_source = nullptr;
  IPendrelDataSource* m_recordData = nullptr;
  IPendrelTraceRecordData* m_traceData = nullptr;
  IDrawerDataPane* m_pane = nullptr;
};

}  // namespace PendrelDraw
