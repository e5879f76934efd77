#include "hostframework/eeh3/float_ex_wrapper.h"

#include <algorithm>
#include <cstring>

namespace EEH3 {

namespace {

LONG HostPosition(IEnumFloatEx* host) {
  DWORD position = 0;
  if (!host || FAILED(host->GetPosition(&position))) return 0;
  return LONG(std::min<DWORD>(position, kRecordEndOffset));
}

}  // namespace

FloatExWrapper::FloatExWrapper(IEnumFloatEx* host) : m_host(host) {
  m_samples.Resize(kBufferSamples * sizeof(float));
  if (!m_host) {
    m_ended = true;
    return;
  }
  m_host->QueryInterface(ICalcEnum::iid, Quor::ComPtrOut<ICalcEnum>::Bind(m_hostAsCalcEnum));
  m_hostPosition = m_next = HostPosition(host);
}

FloatExWrapper::FloatExWrapper(const FloatExWrapper& other, IEnumFloatEx* hostCopy)
    : eeh_SourceEnum(other),
      m_host(hostCopy),
      m_hostAsCalcEnum(other.m_hostAsCalcEnum),
      m_bufferStart(other.m_bufferStart),
      m_hostPosition(HostPosition(hostCopy)) {
  m_samples.Resize(other.m_samples.Size());
  std::memcpy(m_samples.Data(), other.m_samples.Data(), other.m_samples.Size());
}

LONG FloatExWrapper::Position() {
  if (HasUnread()) return m_bufferStart + LONG(m_index);
  return std::min(m_next, m_hardEnd);
}

void FloatExWrapper::Seek(LONG tick) {
  if (SeekBeyondEnd(tick)) return;
  m_ended = !m_host;
  // Going back over samples already read must not cost a host call.
  if (tick >= m_bufferStart && tick < m_bufferStart + LONG(m_count)) {
    m_index = DWORD(tick - m_bufferStart);
    return;
  }
  ClearBuffer();
  m_next = tick;  // the host follows when the samples are needed
}

void FloatExWrapper::SetPosition(LONG tick) {
  if (m_hostAsCalcEnum) {
    m_hostAsCalcEnum->SetPosition(tick);
    m_hostPosition = HostPosition(m_host.Get());
    ClearBuffer();
    m_next = tick;
    m_ended = tick >= m_hardEnd;
    return;
  }
  Seek(tick);
}

HRESULT FloatExWrapper::Clone(eeh_SourceEnum** copy) const {
  *copy = nullptr;
  Quor::ComPtr<IEnumFloatEx> hostCopy;
  if (m_host) {
    const HRESULT hr = m_host->Clone(Quor::ComPtrOut<IEnumFloatEx>::Bind(hostCopy));
    if (FAILED(hr)) return hr;
  }
  *copy = new FloatExWrapper(*this, hostCopy.Get());
  return S_OK;
}

bool FloatExWrapper::BringHostToNext() {
  if (m_hostPosition == m_next) return true;
  int skipped = 0;
  m_host->Skip(m_next - m_hostPosition, &skipped);
  m_hostPosition = HostPosition(m_host.Get());
  return m_hostPosition == m_next;
}

bool FloatExWrapper::Fill() {
  ClearBuffer();
  if (!m_host || m_next >= m_hardEnd) {
    m_ended = true;
    return false;
  }
  if (!BringHostToNext()) {
    m_ended = !m_growing;
    return false;
  }
  const int wanted = int(std::min<LONGLONG>(LONGLONG(m_hardEnd) - m_next, kBufferSamples));
  int fetched = 0;
  const HRESULT hr =
      m_host->Next(wanted, reinterpret_cast<float*>(m_samples.Data()), &fetched);
  if (FAILED(hr)) fetched = 0;
  fetched = std::clamp(fetched, 0, wanted);
  m_bufferStart = m_next;
  m_count = DWORD(fetched);
  m_next += fetched;
  m_hostPosition += fetched;
  if (FAILED(hr) || m_next >= m_hardEnd || (!m_growing && (hr != S_OK || fetched < wanted))) {
    m_ended = true;
  }
  return fetched > 0;
}

}  // namespace EEH3
