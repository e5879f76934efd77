#include "core/storage/statstg_enumerator.h"

#include <algorithm>
#include <mutex>

#include "core/com_call_guard.h"
#include "core/storage/element_stat.h"
#include "core/storage/element_table.h"
#include "core/storage/quor_storage.h"
#include "platform/win32/global_memory.h"

using namespace QuorCompoundFile;

StatStgEnumerator::StatStgEnumerator(QuorStorage* storage) : m_storage(storage) {
  m_storage->AddRef();
}

StatStgEnumerator::~StatStgEnumerator() { m_storage->Release(); }

HRESULT StatStgEnumerator::Next(ULONG count, STATSTG* elements, ULONG* fetched) {
  if (fetched) *fetched = 0;
  return Quor::GuardedCall([&] {
    if (!elements && count) return STG_E_INVALIDPOINTER;
    std::lock_guard lock(m_storage->Allocator().Mutex());
    const ElementTable& table = m_storage->Table();
    ULONG done = 0;
    for (; done < count && m_next + done < table.Count(); ++done) {
      const HRESULT hr =
          FillElementStat(table.At(m_next + done), &elements[done], STATFLAG_DEFAULT);
      if (FAILED(hr)) {
        for (ULONG i = 0; i < done; ++i) CoTaskMemFree(elements[i].pwcsName);
        return hr;
      }
    }
    m_next += done;
    if (fetched) *fetched = done;
    return done == count ? S_OK : S_FALSE;
  });
}

HRESULT StatStgEnumerator::Skip(ULONG count) {
  std::lock_guard lock(m_storage->Allocator().Mutex());
  const DWORD left = m_storage->Table().Count() - std::min(m_next, m_storage->Table().Count());
  const DWORD skipped = std::min<DWORD>(count, left);
  m_next += skipped;
  return skipped == count ? S_OK : S_FALSE;
}

HRESULT StatStgEnumerator::Reset() { return E_NOTIMPL; }

HRESULT StatStgEnumerator::Clone(IEnumSTATSTG**) { return E_NOTIMPL; }
