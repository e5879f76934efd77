// IStream over a global memory block (CreateStreamOnHGlobal).
#include <algorithm>
#include <memory>

#include "platform/win32/com_object.h"
#include "platform/win32/global_block.h"
#include "platform/win32/global_memory.h"
#include "platform/win32/hresult.h"

namespace {

class HGlobalStream final : public SimpleUnknownImp1<IStream, 1> {
 public:
  // The block is shared with the stream's clones.
  HGlobalStream(std::shared_ptr<win32::GlobalBlock> shared, ULONGLONG position)
      : m_shared(std::move(shared)), m_position(position) {}

  HGLOBAL Block() const { return m_shared->Handle(); }

  HRESULT Read(void* buffer, ULONG count, ULONG* read) override {
    if (!buffer && count) return STG_E_INVALIDPOINTER;
    const ULONG n = m_shared->ReadAt(m_position, buffer, count);
    m_position += n;
    if (read) *read = n;
    return S_OK;
  }

  HRESULT Write(const void* buffer, ULONG count, ULONG* written) override {
    if (written) *written = 0;
    if (!buffer && count) return STG_E_INVALIDPOINTER;
    const HRESULT hr = m_shared->WriteAt(m_position, buffer, count);
    if (FAILED(hr)) return hr;
    m_position += count;
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
        base = static_cast<LONGLONG>(m_shared->Size());
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

  HRESULT SetSize(ULARGE_INTEGER size) override { return m_shared->SetSize(size.QuadPart); }

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

  HRESULT Stat(STATSTG* status, DWORD) override { return m_shared->Stat(status, STGTY_STREAM); }

  HRESULT Clone(IStream** clone) override {
    if (!clone) return STG_E_INVALIDPOINTER;
    *clone = new HGlobalStream(m_shared, m_position);
    return S_OK;
  }

 private:
  std::shared_ptr<win32::GlobalBlock> m_shared;
  ULONGLONG m_position;
};

}  // namespace

HRESULT CreateStreamOnHGlobal(HGLOBAL block, BOOL deleteOnRelease, LPSTREAM* stream) {
  if (!stream) return E_INVALIDARG;
  *stream = nullptr;
  if (!block) {
    block = GlobalAlloc(GMEM_MOVEABLE, 0);
    if (!block) return E_OUTOFMEMORY;
  }
  *stream = new HGlobalStream(std::make_shared<win32::GlobalBlock>(block, deleteOnRelease), 0);
  return S_OK;
}

HRESULT GetHGlobalFromStream(LPSTREAM stream, HGLOBAL* block) {
  auto* own = dynamic_cast<HGlobalStream*>(stream);
  if (!own || !block) return E_INVALIDARG;
  *block = own->Block();
  return S_OK;
}
