#include "tracedisplay/drawers/drawer_base.h"

#include "platform/win32/screen.h"

namespace PendrelDraw {

DrawerBaseInit::DrawerBaseInit(DWORD addressFlags_, LONG channelIndex, LONG dataKind, DWORD id_,
                               LONG secondIndex, LONG secondKind)
    : id(id_),
      addressFlags(addressFlags_),
      channel{channelIndex, dataKind},
      secondChannel{secondIndex, secondKind} {}

DWORD DrawerBaseInit::AddressWord(bool forDrawing) const {
  DWORD word = (addressFlags & ~DWORD(0xFF)) | (DWORD(channel[1]) & 0xFF);
  if (forDrawing && paneValue != 0) word &= ~DWORD(0x3000);
  return word;
}

DrawerBase::~DrawerBase() {
  if (m_traceData) m_traceData->Release();
  if (m_recordData) m_recordData->Release();
  if (m_source) m_source->Release();
}

HRESULT DrawerBase::Attach(DWORD, IUnknown* source) {
  if (source) source->AddRef();
  if (m_traceData) m_traceData->Release();
  m_traceData = nullptr;
  if (m_recordData) m_recordData->Release();
  m_recordData = nullptr;
  if (m_source) m_source->Release();
  m_source = source;
  moreData = false;
  attached = false;
  if (!source) return S_OK;
  // A data view hands out the host's record data; any other source is asked itself.
  IUnknown* data = nullptr;
  IPendrelTraceRecordSource* records = nullptr;
  if (SUCCEEDED(source->QueryInterface(IPendrelTraceRecordSource::iid,
                                       reinterpret_cast<void**>(&records)))) {
    records->GetRecordData(&data);
    records->Release();
  }
  IUnknown* holder = data ? data : source;
  holder->QueryInterface(IPendrelDataSource::iid, reinterpret_cast<void**>(&m_recordData));
  holder->QueryInterface(IPendrelTraceRecordData::iid, reinterpret_cast<void**>(&m_traceData));
  if (data) data->Release();
  return S_OK;
}

HRESULT DrawerBase::SetExtent(DWORD paneId_, const RECT* rect_) {
  paneId = paneId_;
  if (rect_) rect = *rect_;
  return S_OK;
}

HRESULT DrawerBase::GetId(DWORD* id_) {
  if (!id_) return E_POINTER;
  *id_ = id;
  return S_OK;
}

HRESULT DrawerBase::GetPreferredSize(LONG* pair) {
  if (!pair) return E_POINTER;
  pair[0] = channel[0];
  pair[1] = channel[1];
  return S_OK;
}

HRESULT DrawerBase::GetValueAt(LONG, LONG, IQuorString** text, VARIANT_BOOL* flag) {
  if (text) *text = nullptr;
  if (flag) *flag = VARIANT_FALSE;
  return S_FALSE;
}

HRESULT DrawerBase::GetLaneValue(LONG record, IUnknown** value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  if (channel[0] < 0 || !m_traceData) return S_FALSE;
  return m_traceData->GetChannelObject(AddressWord(false), record, channel[0], value);
}

HRESULT DrawerBase::PrepareBackground(IDrawerDataPane*) { return S_OK; }

HRESULT DrawerBase::SetChannel(DWORD onlineRecord_, VARIANT_BOOL moreData_) {
  onlineRecord = onlineRecord_;
  moreData = moreData_ != VARIANT_FALSE;
  attached = true;
  if (m_recordData) m_recordData->GetCurrentRecord(&latestRecord);
  return Refresh(0xFF000000);
}

HRESULT DrawerBase::GetDataRange(LONGLONG, LONGLONG, LONGLONG*) { return S_FALSE; }

HRESULT DrawerBase::Invalidate(DWORD, DWORD) {
  attached = false;
  return S_OK;
}

HRESULT DrawerBase::Reserved1(VARIANT_BOOL) { return S_OK; }
HRESULT DrawerBase::Reserved2(DWORD, DWORD) { return S_OK; }
HRESULT DrawerBase::OnDataChanged(DWORD, LONG, const LONG*, LONG) { return S_FALSE; }
HRESULT DrawerBase::GetChannel(DWORD*) { return E_NOTIMPL; }
HRESULT DrawerBase::ReleaseSource(DWORD) { return E_NOTIMPL; }

HRESULT DrawerBase::GetScale(LONG* pair) {
  if (!pair) return E_POINTER;
  const LONG* chosen = secondChannel[0] == kNoChannelIndex ? channel : secondChannel;
  pair[0] = chosen[0];
  pair[1] = chosen[1];
  return S_OK;
}

HRESULT DrawerBase::SetColour(DWORD, LONG slot) {
  colourSlot = slot;
  return S_OK;
}

HRESULT DrawerBase::UpdateFromChannel(IUnknown*, IUnknown*, LONG) { return S_OK; }

HRESULT DrawerBase::HitTest(LONG laneKind, LONG record, IQuorString** text, VARIANT_BOOL* flag,
                            double*, double*, double*) {
  return GetValueAt(laneKind, record, text, flag);
}

HRESULT DrawerBase::SetUnits(IDrawerDataPane* pane) {
  m_pane = pane;
  return S_OK;
}

HRESULT DrawerBase::Reserved3() { return E_NOTIMPL; }
HRESULT DrawerBase::Reserved4(DWORD) { return E_NOTIMPL; }

HRESULT DrawerBase::Clone(DWORD, IPendrelRecordDrawer** copy) {
  if (!copy) return E_INVALIDARG;
  DrawerBase* twin = MakeCopy();
  twin->AddRef();
  *copy = twin;
  return S_OK;
}

HRESULT DrawerBase::SetOwner(DWORD paneValue_) {
  paneValue = paneValue_;
  return S_OK;
}

const void* DrawerBase::GetScaleLabels() { return nullptr; }

double DrawerBase::PrintScale() const {
  double x = 1.0;
  if (m_pane) m_pane->GetPrintScale(0, &x, nullptr);
  return x;
}

double DrawerBase::ResolutionRatio(HDC dc) const {
  if (!m_pane) return 1.0;
  double resolution = kScreenPixelsPerMillimetre;
  m_pane->GetResolutionY(0, dc, &resolution);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  return dpi > 0 ? resolution / (dpi / 25.4) : 1.0;
}

}  // namespace PendrelDraw
