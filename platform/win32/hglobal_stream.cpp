// IStream over a global memory block (CreateStreamOnHGlobal).
#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/win32/com_object.h"
#include "platform/win32/global_memory.h"
#include "platform/win32/hresult.h"

namespace {

// The block and its logical size, shared by a stream and its clones.
struct SharedBlock {
  SharedBlock(HGLOBAL block, bool deleteOnRelease, ULONGLONG size)
      : block(block), deleteOnRelease(deleteOnRelease), size(size) {}
  SharedBlock(const SharedBlock&) = delete;
  SharedBlock& operator=(const SharedBlock&) = delete;
  HGLOBAL block;
  bool deleteOnRelease;
  ULONGLONG size;
  ~SharedBlock() {
    if (deleteOnRelease) GlobalFree(block);
  }
};

class HGlobalStream final : public SimpleUnknownImp1<IStream, 1> {
 public:
  HGlobalStream(std::shared_ptr<SharedBlock> shared, ULONGLONG position)
      : m_shared(std::move(shared)), m_position(position) {}

  HGLOBAL Block() const { return m_shared->block; }

  HRESULT Read(void* buffer, ULONG count, ULONG* read) override {
    if (!buffer && count) return STG_E_INVALIDPOINTER;
    const ULONGLONG available = m_position < m_shared->size ? m_shared->size - m_position : 0;
    const ULONG n = static_cast<ULONG>(std::min<ULONGLONG>(count, available));
    if (n) {
      auto* memory = static_cast<const char*>(GlobalLock(Block()));
      std::memcpy(buffer, memory + m_position, n);
      GlobalUnlock(Block());
    }
    m_position += n;
    if (read) *read = n;
    return S_OK;
  }

  HRESULT Write(const void* buffer, ULONG count, ULONG* written) override {
    if (written) *written = 0;
    if (!buffer && count) return STG_E_INVALIDPOINTER;
    if (!count) return S_OK;
    const ULONGLONG end = m_position + count;
    if (end > m_shared->size) {
      ULARGE_INTEGER size;
      size.QuadPart = end;
      if (FAILED(SetSize(size))) return STG_E_MEDIUMFULL;
    }
    auto* memory = static_cast<char*>(GlobalLock(Block()));
    std::memcpy(memory + m_position, buffer, count);
    GlobalUnlock(Block());
    m_position = end;
    if (written) *written = count;
    return S_OK;
  }

  HRESULT Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override {
    LONGLONG base = 0;
    switch (origin) {
      case STREAM_SEEK_SET:
        break;
      case STREAM_SEEK_CUR:
        base = static_cast<LONGLONG>(m_position);
        break;
      case STREAM_SEEK_END:
        base = static_cast<LONGLONG>(m_shared->size);
        break;
      default:
        return STG_E_INVALIDFUNCTION;
    }
    const LONGLONG target = base + move.QuadPart;
    if (target < 0) return STG_E_INVALIDFUNCTION;
    m_position = static_cast<ULONGLONG>(target);
    if (newPosition) newPosition->QuadPart = m_position;
    return S_OK;
  }

  HRESULT SetSize(ULARGE_INTEGER size) override {
    if (size.QuadPart > 0xFFFFFFFFull) return STG_E_MEDIUMFULL;
    if (size.QuadPart != GlobalSize(Block()) &&
        !GlobalReAlloc(Block(), static_cast<SIZE_T>(size.QuadPart), GMEM_MOVEABLE | GMEM_ZEROINIT)) {
      return E_OUTOFMEMORY;
    }
    m_shared->size = size.QuadPart;
    return S_OK;
  }

  HRESULT CopyTo(IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                 ULARGE_INTEGER* written) override {
    if (!target) return STG_E_INVALIDPOINTER;
    ULONGLONG totalRead = 0, totalWritten = 0;
    char chunk[4096];
    HRESULT hr = S_OK;
    while (totalRead < count.QuadPart) {
      ULONG got = 0;
      Read(chunk, static_cast<ULONG>(std::min<ULONGLONG>(sizeof chunk, count.QuadPart - totalRead)),
           &got);
      if (!got) break;
      totalRead += got;
      ULONG put = 0;
      hr = target->Write(chunk, got, &put);
      totalWritten += put;
      if (FAILED(hr)) break;
    }
    if (read) read->QuadPart = totalRead;
    if (written) written->QuadPart = totalWritten;
    return hr;
  }

  HRESULT Commit(DWORD) override { return S_OK; }
  HRESULT Revert() override { return S_OK; }
  HRESULT LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }
  HRESULT UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }

  HRESULT Stat(STATSTG* status, DWORD) override {
    if (!status) return STG_E_INVALIDPOINTER;
    std::memset(status, 0, sizeof *status);
    status->type = STGTY_STREAM;
    status->cbSize.QuadPart = m_shared->size;
    status->grfMode = STGM_READWRITE;
    return S_OK;
  }

  HRESULT Clone(IStream** clone) override {
    if (!clone) return STG_E_INVALIDPOINTER;
    *clone = new HGlobalStream(m_shared, m_position);
    return S_OK;
  }

 private:
  std::shared_ptr<SharedBlock> m_shared;
  ULONGLONG m_position;
};

}  // namespace

HRESULT CreateStreamOnHGlobal(HGLOBAL block, BOOL deleteOnRelease, LPSTREAM* stream) {
  if (!stream) return E_INVALIDARG;
  *stream = nullptr;
  ULONGLONG size = 0;
  if (block) {
    size = GlobalSize(block);
  } else {
    block = GlobalAlloc(GMEM_MOVEABLE, 0);
    if (!block) return E_OUTOFMEMORY;
  }
  auto shared = std::make_shared<SharedBlock>(block, deleteOnRelease != FALSE, size);
  *stream = new HGlobalStream(std::move(shared), 0);
  return S_OK;
}

HRESULT GetHGlobalFromStream(LPSTREAM stream, HGLOBAL* block) {
  auto* own = dynamic_cast<HGlobalStream*>(stream);
  if (!own || !block) return E_INVALIDARG;
  *block = own->Block();
  return S_OK;
}
