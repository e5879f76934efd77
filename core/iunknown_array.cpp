#include "core/iunknown_array.h"

#include <algorithm>

IUnknownArray::IUnknownArray(const IUnknownArray& source) : CArrayVoidP(source) {
  for (DWORD i = 0; i < m_count; ++i) {
    if (m_data[i]) GetAt(i)->AddRef();
  }
}

IUnknownArray::~IUnknownArray() {
  ReleaseRange(0, m_count);
  m_count = 0;
}

DWORD IUnknownArray::Add(IUnknown* p) {
  if (p) p->AddRef();
  return CArrayVoidP::Add(p);
}

ULONG IUnknownArray::ReleaseRange(DWORD from, DWORD to) {
  ULONG result = 0;
  for (DWORD i = std::min(to, m_count); i > from; --i) {
    if (IUnknown* element = GetAt(i - 1)) {
      m_data[i - 1] = nullptr;
      result = element->Release();
    }
  }
  return result;
}
