#include "host/document/unknown_enumeration.h"

namespace PendrelHost {

UnknownEnumeration::UnknownEnumeration(std::vector<Tarn::HeldReference<IUnknown>> items)
    : m_items(std::move(items)) {}

HRESULT UnknownEnumeration::Next(ULONG count, IUnknown** items, ULONG* fetched) {
  if (!items && count > 0) return E_POINTER;
  ULONG given = 0;
  for (; given < count && m_next < m_items.size(); ++given, ++m_next) {
    items[given] = Tarn::Hold(m_items[m_next].get()).release();
  }
  if (fetched) *fetched = given;
  return given == count ? S_OK : S_FALSE;
}

HRESULT UnknownEnumeration::Skip(ULONG count) {
  const size_t left = m_items.size() - m_next;
  m_next += std::min<size_t>(count, left);
  return count <= left ? S_OK : S_FALSE;
}

HRESULT UnknownEnumeration::Reset() {
  m_next = 0;
  return S_OK;
}

HRESULT UnknownEnumeration::Clone(IEnumUnknown** clone) {
  if (!clone) return E_POINTER;
  std::vector<Tarn::HeldReference<IUnknown>> items;
  for (const auto& item : m_items) items.push_back(Tarn::Hold(item.get()));
  auto* copy = new UnknownEnumeration(std::move(items));
  copy->m_next = m_next;
  *clone = copy;
  return S_OK;
}

}  // namespace PendrelHost
