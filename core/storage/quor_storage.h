// QuorStorage: a storage of a compound file. The root storage owns the file's allocator; a
// child keeps its parent alive. Releasing the last reference commits the storage.
#pragma once

#include <memory>

#include "core/storage/iquor_storage.h"
#include "core/storage/storage_allocator.h"
#include "platform/win32/com_object.h"

class ElementTable;

class QuorStorage final : public SimpleUnknownImp1<IQuorStorage, 1> {
 public:
  // The root storage of a new, empty file on the lock bytes, with one reference. Nothing is
  // written before the first commit.
  static QuorStorage* CreateRoot(ILockBytes* lockBytes,
                                 DWORD maxMapEntries = QuorCompoundFile::kMaxMapEntries);
  // The root storage of the file on the lock bytes, with one reference, once the file has
  // passed every check (see OpenCompoundFile, whose codes a refused file gives). Nothing is
  // written to a file that is refused, nor to one released unchanged.
  static HRESULT OpenRoot(ILockBytes* lockBytes, DWORD mode, IStorage** root,
                          DWORD maxMapEntries = QuorCompoundFile::kMaxMapEntries);

  ULONG Release() override;

  HRESULT CreateStream(const OLECHAR* name, DWORD mode, DWORD reserved1, DWORD reserved2,
                       IStream** stream) override;
  HRESULT OpenStream(const OLECHAR* name, void* reserved1, DWORD mode, DWORD reserved2,
                     IStream** stream) override;
  HRESULT CreateStorage(const OLECHAR* name, DWORD mode, DWORD reserved1, DWORD reserved2,
                        IStorage** storage) override;
  HRESULT OpenStorage(const OLECHAR* name, IStorage* priority, DWORD mode, SNB exclude,
                      DWORD reserved, IStorage** storage) override;
  HRESULT CopyTo(DWORD excludedIidCount, const IID* excludedIids, SNB excludedNames,
                 IStorage* destination) override;
  HRESULT MoveElementTo(const OLECHAR* name, IStorage* destination, const OLECHAR* newName,
                        DWORD flags) override;
  HRESULT Commit(DWORD flags) override;
  HRESULT Revert() override;
  HRESULT EnumElements(DWORD reserved1, void* reserved2, DWORD reserved3,
                       IEnumSTATSTG** enumerator) override;
  HRESULT DestroyElement(const OLECHAR* name) override;
  HRESULT RenameElement(const OLECHAR* oldName, const OLECHAR* newName) override;
  HRESULT SetElementTimes(const OLECHAR* name, const FILETIME* ctime, const FILETIME* atime,
                          const FILETIME* mtime) override;
  HRESULT SetClass(REFCLSID clsid) override;
  HRESULT SetStateBits(DWORD stateBits, DWORD mask) override;
  HRESULT Stat(STATSTG* status, DWORD flags) override;

  HRESULT GetLockBytesUserData(ULONG_PTR* data) override;
  HRESULT GetLockBytes(ILockBytes** lockBytes) override;
  HRESULT SetLockBytesAccessHint(DWORD hint) override;

  // For the streams and enumerators of this storage.
  StorageAllocator& Allocator() const { return *m_allocator; }
  ElementTable& Table() const { return *m_element.table; }

 private:
  explicit QuorStorage(std::unique_ptr<StorageAllocator> allocator);
  QuorStorage(QuorStorage* parent, Element& element);
  ~QuorStorage() override;

  bool IsRoot() const { return m_parent == nullptr; }
  HRESULT MakeRoomFor(const OLECHAR* name, DWORD type, DWORD mode);
  HRESULT Destroy(Element& element);
  void ReleaseData(Element& element);
  HRESULT CopyStreamTo(const OLECHAR* name, IStorage* destination);
  HRESULT CopyStorageTo(const OLECHAR* name, IStorage* destination);

  std::unique_ptr<StorageAllocator> m_ownedAllocator;  // the root's
  StorageAllocator* m_allocator;
  Element& m_element;
  QuorStorage* m_parent = nullptr;
};
