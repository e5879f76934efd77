#include "hostframework/docview/interface_enum.h"

#include <algorithm>

#include "core/com_call_guard.h"
#include "platform/owl/atl_window.h"

namespace QuorCOM {

HRESULT IterEnum::CreateInterfaceEnum(const IID* const* first, ULONG count, IEnumInterface** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return Quor::GuardedCall([&] {
    *out = new IterEnum(first, first + count, first);
    (*out)->AddRef();
    return S_OK;
  });
}

IterEnum::IterEnum(const IID* const* first, const IID* const* end, const IID* const* current)
    : m_first(first), m_end(end), m_current(current) {
  ATL::LockModule();
}

IterEnum::~IterEnum() { ATL::UnlockModule(); }

ULONG IterEnum::Remaining(ULONG count) const {
  return ULONG(std::min<std::ptrdiff_t>(m_end - m_current, count));
}

HRESULT IterEnum::Next(ULONG count, const IID** iids, ULONG* fetched) {
  if (!iids || (count != 1 && !fetched)) return E_POINTER;
  const ULONG copied = Remaining(count);
  std::copy_n(m_current, copied, iids);
  m_current += copied;
  if (fetched) *fetched = copied;
  return copied == count ? S_OK : S_FALSE;
}

HRESULT IterEnum::Skip(ULONG count) {
  const ULONG skipped = Remaining(count);
  m_current += skipped;
  return skipped == count ? S_OK : S_FALSE;
}

HRESULT IterEnum::Reset() {
  m_current = m_first;
  return S_OK;
}

HRESULT IterEnum::Clone(IEnumInterface** clone) {
  if (!clone) return E_POINTER;
  *clone = nullptr;
  return Quor::GuardedCall([&] {
    *clone = new IterEnum(m_first, m_end, m_current);
    (*clone)->AddRef();
    return S_OK;
  });
}

}  // namespace QuorCOM
