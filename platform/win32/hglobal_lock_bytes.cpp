// ILockBytes over a global memory block (CreateILockBytesOnHGlobal).
#include "platform/win32/com_object.h"
#include "platform/win32/global_block.h"
#include "platform/win32/global_memory.h"
#include "platform/win32/hresult.h"
#include "platform/win32/lock_bytes.h"

namespace {

class HGlobalLockBytes final : public SimpleUnknownImp1<ILockBytes, 1> {
 public:
  HGlobalLockBytes(HGLOBAL block, bool deleteOnRelease) : m_block(block, deleteOnRelease) {}

  HGLOBAL Block() const { return m_block.Handle(); }

  HRESULT ReadAt(ULARGE_INTEGER offset, void* buffer, ULONG count, ULONG* read) override {
    if (read) *read = 0;
    if (!buffer && count) return STG_E_INVALIDPOINTER;
    const ULONG n = m_block.ReadAt(offset.QuadPart, buffer, count);
    if (read) *read = n;
    return S_OK;
  }

  HRESULT WriteAt(ULARGE_INTEGER offset, const void* buffer, ULONG count, ULONG* written) override {
    if (written) *written = 0;
    if (!buffer && count) return STG_E_INVALIDPOINTER;
    const HRESULT hr = m_block.WriteAt(offset.QuadPart, buffer, count);
    if (SUCCEEDED(hr) && written) *written = count;
    return hr;
  }

  HRESULT Flush() override { return S_OK; }
  HRESULT SetSize(ULARGE_INTEGER size) override { return m_block.SetSize(size.QuadPart); }

  HRESULT LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }
  HRESULT UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }

  HRESULT Stat(STATSTG* status, DWORD) override { return m_block.Stat(status, STGTY_LOCKBYTES); }

 private:
  ~HGlobalLockBytes() override = default;

  win32::GlobalBlock m_block;
};

}  // namespace

HRESULT CreateILockBytesOnHGlobal(HGLOBAL block, BOOL deleteOnRelease, ILockBytes** lockBytes) {
  if (!lockBytes) return E_INVALIDARG;
  *lockBytes = nullptr;
  if (!block) {
    block = GlobalAlloc(GMEM_MOVEABLE, 0);
    if (!block) return E_OUTOFMEMORY;
  }
  *lockBytes = new HGlobalLockBytes(block, deleteOnRelease != FALSE);
  return S_OK;
}

HRESULT GetHGlobalFromILockBytes(ILockBytes* lockBytes, HGLOBAL* block) {
  auto* own = dynamic_cast<HGlobalLockBytes*>(lockBytes);
  if (!own || !block) return E_INVALIDARG;
  *block = own->Block();
  return S_OK;
}
