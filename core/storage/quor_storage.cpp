#include "core/storage/quor_storage.h"

#include <string>
#include <utility>
#include <vector>

#include "core/com_call_guard.h"
#include "core/com_ptr.h"
#include "core/storage/chain_stream.h"
#include "core/storage/element_name.h"
#include "core/storage/element_stat.h"
#include "core/storage/element_table.h"
#include "core/storage/open_compound_file.h"
#include "core/storage/quor_stream.h"
#include "core/storage/statstg_enumerator.h"

using namespace QuorCompoundFile;
using Quor::ComPtr;
using Quor::ComPtrOut;

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

bool IsExcluded(const WCHAR* name, SNB excluded) {
  for (OLECHAR** entry = excluded; entry && *entry; ++entry) {
    if (ElementNamesMatch(*entry, name)) return true;
  }
  return false;
}

}  // namespace

QuorStorage* QuorStorage::CreateRoot(ILockBytes* lockBytes, DWORD maxMapEntries) {
  auto allocator = std::make_unique<StorageAllocator>(lockBytes, maxMapEntries);
  Element& root = allocator->Root();
  root.table = std::make_unique<ElementTable>(root);
  root.table->MarkChanged();  // even an empty file gets its table at the first commit
  return new QuorStorage(std::move(allocator));
}

HRESULT QuorStorage::OpenRoot(ILockBytes* lockBytes, DWORD mode, IStorage** root,
                              DWORD maxMapEntries) {
  if (!root) return STG_E_INVALIDPOINTER;
  *root = nullptr;
  if (!lockBytes) return STG_E_INVALIDPOINTER;
  return Quor::GuardedCall([&] {
    std::unique_ptr<StorageAllocator> allocator;
    const HRESULT hr = OpenCompoundFile(lockBytes, maxMapEntries, allocator);
    if (FAILED(hr)) return hr;
    allocator->Root().mode = mode;
    *root = new QuorStorage(std::move(allocator));
    return S_OK;
  });
}

QuorStorage::QuorStorage(std::unique_ptr<StorageAllocator> allocator)
    : m_ownedAllocator(std::move(allocator)),
      m_allocator(m_ownedAllocator.get()),
      m_element(m_allocator->Root()) {}

// The caller holds the file's mutex.
QuorStorage::QuorStorage(QuorStorage* parent, Element& element)
    : m_allocator(parent->m_allocator), m_element(element), m_parent(parent) {
  m_parent->AddRef();
  ++m_element.openCount;
}

QuorStorage::~QuorStorage() {
  if (IsRoot()) return;  // the allocator goes, and with it the lock bytes
  {
    Lock lock(m_allocator->Mutex());
    // A table that nothing holds open and that is written is read again at the next open.
    if (--m_element.openCount == 0 && !m_element.table->SubtreeChanged()) m_element.table.reset();
  }
  m_parent->Release();
}

ULONG QuorStorage::Release() {
  const LONG count = InterlockedDecrement(&m_refCount);
  if (count == 0) {
    Commit(STGC_OVERWRITE);  // a failure has no one left to report to
    delete this;
  }
  return static_cast<ULONG>(count);
}

HRESULT QuorStorage::CreateStream(const OLECHAR* name, DWORD mode, DWORD, DWORD, IStream** stream) {
  return Quor::GuardedCall([&] {
    if (!stream) return STG_E_INVALIDPOINTER;
    *stream = nullptr;
    Lock lock(m_allocator->Mutex());
    HRESULT hr = MakeRoomFor(name, STGTY_STREAM, mode);
    if (FAILED(hr)) return hr;
    Element& element = Table().Add(name, STGTY_STREAM);
    element.mode = mode;
    *stream = new QuorStream(this, element);
    return S_OK;
  });
}

HRESULT QuorStorage::OpenStream(const OLECHAR* name, void*, DWORD mode, DWORD, IStream** stream) {
  return Quor::GuardedCall([&] {
    if (!stream) return STG_E_INVALIDPOINTER;
    *stream = nullptr;
    const HRESULT hr = CheckElementName(name);
    if (FAILED(hr)) return hr;
    Lock lock(m_allocator->Mutex());
    Element* element = Table().Find(name, STGTY_STREAM);
    if (!element) return STG_E_FILENOTFOUND;
    element->mode = mode;
    *stream = new QuorStream(this, *element);
    return S_OK;
  });
}

HRESULT QuorStorage::CreateStorage(const OLECHAR* name, DWORD mode, DWORD, DWORD,
                                   IStorage** storage) {
  return Quor::GuardedCall([&] {
    if (!storage) return STG_E_INVALIDPOINTER;
    *storage = nullptr;
    Lock lock(m_allocator->Mutex());
    const HRESULT hr = MakeRoomFor(name, STGTY_STORAGE, mode);
    if (FAILED(hr)) return hr;
    Element& element = Table().Add(name, STGTY_STORAGE);
    element.mode = mode;
    element.table = std::make_unique<ElementTable>(element);
    element.table->MarkChanged();
    *storage = new QuorStorage(this, element);
    return S_OK;
  });
}

HRESULT QuorStorage::OpenStorage(const OLECHAR* name, IStorage*, DWORD mode, SNB, DWORD,
                                 IStorage** storage) {
  return Quor::GuardedCall([&] {
    if (!storage) return STG_E_INVALIDPOINTER;
    *storage = nullptr;
    const HRESULT hr = CheckElementName(name);
    if (FAILED(hr)) return hr;
    Lock lock(m_allocator->Mutex());
    Element* element = Table().Find(name, STGTY_STORAGE);
    if (!element) return STG_E_FILENOTFOUND;
    if (!element->table) element->table = ElementTable::Read(*m_allocator, *element);
    element->mode = mode;
    *storage = new QuorStorage(this, *element);
    return S_OK;
  });
}

HRESULT QuorStorage::CopyTo(DWORD excludedIidCount, const IID* excludedIids, SNB excludedNames,
                            IStorage* destination) {
  return Quor::GuardedCall([&] {
    if (excludedIidCount != 0 || excludedIids) return STG_E_INVALIDPARAMETER;
    if (!destination) return STG_E_INVALIDPOINTER;
    // The children are copied through their own operations, each taking the mutex itself, so
    // that a destination in another file is never written while this file's mutex is held.
    std::vector<std::pair<std::u16string, bool>> children;
    {
      Lock lock(m_allocator->Mutex());
      for (DWORD i = 0; i < Table().Count(); ++i) {
        const Element& child = Table().At(i);
        if (!IsExcluded(child.Name(), excludedNames)) {
          children.emplace_back(child.Name(), child.IsStorage());
        }
      }
    }
    for (const auto& [name, isStorage] : children) {
      const HRESULT hr = isStorage ? CopyStorageTo(name.c_str(), destination)
                                   : CopyStreamTo(name.c_str(), destination);
      if (FAILED(hr)) return hr;
    }
    return S_OK;
  });
}

HRESULT QuorStorage::CopyStreamTo(const OLECHAR* name, IStorage* destination) {
  ComPtr<IStream> source, target;
  HRESULT hr = OpenStream(name, nullptr, STGM_SHARE_EXCLUSIVE, 0, ComPtrOut<IStream>::Bind(source));
  if (FAILED(hr)) return hr;
  hr = destination->CreateStream(name, STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_WRITE, 0, 0,
                                 ComPtrOut<IStream>::Bind(target));
  if (FAILED(hr)) return hr;
  ULARGE_INTEGER everything;
  everything.QuadPart = ~0ull;
  return source->CopyTo(target.Get(), everything, nullptr, nullptr);
}

HRESULT QuorStorage::CopyStorageTo(const OLECHAR* name, IStorage* destination) {
  ComPtr<IStorage> source, target;
  HRESULT hr = OpenStorage(name, nullptr, STGM_SHARE_EXCLUSIVE, nullptr, 0,
                           ComPtrOut<IStorage>::Bind(source));
  if (FAILED(hr)) return hr;
  const DWORD mode = STGM_SHARE_EXCLUSIVE | STGM_WRITE;
  hr = destination->CreateStorage(name, mode, 0, 0, ComPtrOut<IStorage>::Bind(target));
  if (hr == STG_E_FILEALREADYEXISTS) {
    hr = destination->OpenStorage(name, nullptr, mode, nullptr, 0,
                                  ComPtrOut<IStorage>::Bind(target));
  }
  if (FAILED(hr)) return hr;
  STATSTG status;
  hr = source->Stat(&status, STATFLAG_NONAME);
  if (SUCCEEDED(hr)) hr = target->SetClass(status.clsid);
  if (FAILED(hr)) return hr;
  return source->CopyTo(0, nullptr, nullptr, target.Get());
}

HRESULT QuorStorage::MoveElementTo(const OLECHAR*, IStorage*, const OLECHAR*, DWORD) {
  return E_NOTIMPL;
}

// Tables below are written before this one, so the root's commit names a complete tree.
HRESULT QuorStorage::Commit(DWORD flags) {
  return Quor::GuardedCall([&] {
    Lock lock(m_allocator->Mutex());
    Table().Commit(*m_allocator);
    if (IsRoot()) m_allocator->CommitFile(flags);
    return S_OK;
  });
}

HRESULT QuorStorage::Revert() { return E_NOTIMPL; }

HRESULT QuorStorage::EnumElements(DWORD, void*, DWORD, IEnumSTATSTG** enumerator) {
  return Quor::GuardedCall([&] {
    if (!enumerator) return STG_E_INVALIDPOINTER;
    *enumerator = new StatStgEnumerator(this);
    return S_OK;
  });
}

HRESULT QuorStorage::DestroyElement(const OLECHAR* name) {
  return Quor::GuardedCall([&] {
    if (!name) return STG_E_INVALIDPOINTER;
    Lock lock(m_allocator->Mutex());
    Element* element = Table().Find(name, 0);
    return element ? Destroy(*element) : STG_E_FILENOTFOUND;
  });
}

HRESULT QuorStorage::RenameElement(const OLECHAR* oldName, const OLECHAR* newName) {
  return Quor::GuardedCall([&] {
    HRESULT hr = CheckElementName(newName);
    if (FAILED(hr)) return hr;
    if (!oldName) return STG_E_INVALIDPOINTER;
    Lock lock(m_allocator->Mutex());
    if (Table().Find(newName, 0)) return STG_E_FILEALREADYEXISTS;
    Element* element = Table().Find(oldName, 0);
    if (!element) return STG_E_FILENOTFOUND;
    element->SetName(newName);
    element->MarkChanged();
    return S_OK;
  });
}

HRESULT QuorStorage::SetElementTimes(const OLECHAR* name, const FILETIME* ctime,
                                     const FILETIME* atime, const FILETIME* mtime) {
  return Quor::GuardedCall([&] {
    if (!name) return STG_E_INVALIDPOINTER;
    Lock lock(m_allocator->Mutex());
    Element* element = Table().Find(name, 0);
    if (!element) return STG_E_FILENOTFOUND;
    if (ctime) element->record.ctime = *ctime;
    if (atime) element->record.atime = *atime;
    if (mtime) element->record.mtime = *mtime;
    element->MarkChanged();
    return S_OK;
  });
}

HRESULT QuorStorage::SetClass(REFCLSID clsid) {
  Lock lock(m_allocator->Mutex());
  m_element.record.clsid = clsid;
  m_element.MarkChanged();
  return S_OK;
}

HRESULT QuorStorage::SetStateBits(DWORD, DWORD) { return S_OK; }

HRESULT QuorStorage::Stat(STATSTG* status, DWORD flags) {
  return Quor::GuardedCall([&] {
    if (!status) return STG_E_INVALIDPOINTER;
    Lock lock(m_allocator->Mutex());
    if (!IsRoot()) return FillElementStat(m_element, status, flags);
    const HRESULT hr = m_allocator->LockBytes()->Stat(status, flags);
    if (SUCCEEDED(hr)) status->type = STGTY_STORAGE;
    return hr;
  });
}

HRESULT QuorStorage::GetLockBytesUserData(ULONG_PTR* data) {
  if (!data) return E_POINTER;
  *data = 0;
  IQuorLockBytes* lockBytes = m_allocator->QuorLockBytes();
  return lockBytes ? lockBytes->GetUserData(data) : S_FALSE;
}

HRESULT QuorStorage::GetLockBytes(ILockBytes** lockBytes) {
  if (!lockBytes) return E_POINTER;
  *lockBytes = m_allocator->LockBytes();
  (*lockBytes)->AddRef();
  return S_OK;
}

HRESULT QuorStorage::SetLockBytesAccessHint(DWORD hint) {
  IQuorLockBytes* lockBytes = m_allocator->QuorLockBytes();
  return IsRoot() && lockBytes ? lockBytes->SetAccessHint(hint) : S_OK;
}

HRESULT QuorStorage::MakeRoomFor(const OLECHAR* name, DWORD type, DWORD mode) {
  const HRESULT hr = CheckElementName(name);
  if (FAILED(hr)) return hr;
  Element* existing = Table().Find(name, type);
  if (!existing) return S_OK;
  return mode & STGM_CREATE ? Destroy(*existing) : STG_E_FILEALREADYEXISTS;
}

// An element that an object still uses keeps its data: destroying it would hand clusters
// that an open stream reads and writes to other elements.
HRESULT QuorStorage::Destroy(Element& element) {
  if (element.openCount > 0) return STG_E_ACCESSDENIED;
  ReleaseData(element);
  Table().Remove(element);
  return S_OK;
}

void QuorStorage::ReleaseData(Element& element) {
  if (element.IsStorage()) {
    if (!element.table) element.table = ElementTable::Read(*m_allocator, element);
    for (DWORD i = 0; i < element.table->Count(); ++i) ReleaseData(element.table->At(i));
    element.table.reset();
  }
  ChainStream(*m_allocator, element).SetSize(0);
}
