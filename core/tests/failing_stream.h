// An IStream over memory that fails on demand and counts the calls that reach it, so that
// tests can show how the streams above it report failures and buffer their transfers.
#pragma once

#include <limits>

#include "core/tests/memory_stream.h"
#include "platform/win32/com_object.h"

namespace testing_streams {

class FailingStream final : public SimpleUnknownImp1<IStream, 1> {
 public:
  explicit FailingStream(const Bytes& bytes = {}) : m_memory(MemoryStream(bytes)) {}

  bool failStat = false;
  bool failSeek = false;
  bool failSetSize = false;
  // Bytes that writes still accept; a write beyond them is cut short and fails.
  ULONGLONG writeRoom = std::numeric_limits<ULONGLONG>::max();
  int reads = 0;
  int writes = 0;

  Bytes Contents() { return StreamBytes(m_memory.Get()); }

  HRESULT Read(void* buffer, ULONG count, ULONG* read) override {
    ++reads;
    return m_memory->Read(buffer, count, read);
  }
  HRESULT Write(const void* buffer, ULONG count, ULONG* written) override {
    ++writes;
    const ULONG accepted = count <= writeRoom ? count : static_cast<ULONG>(writeRoom);
    writeRoom -= accepted;
    const HRESULT hr = m_memory->Write(buffer, accepted, written);
    return FAILED(hr) || accepted == count ? hr : STG_E_MEDIUMFULL;
  }
  HRESULT Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override {
    return failSeek ? STG_E_INVALIDFUNCTION : m_memory->Seek(move, origin, position);
  }
  HRESULT SetSize(ULARGE_INTEGER size) override {
    return failSetSize ? STG_E_MEDIUMFULL : m_memory->SetSize(size);
  }
  HRESULT CopyTo(IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                 ULARGE_INTEGER* written) override {
    return m_memory->CopyTo(target, count, read, written);
  }
  HRESULT Commit(DWORD flags) override { return m_memory->Commit(flags); }
  HRESULT Revert() override { return m_memory->Revert(); }
  HRESULT LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD type) override {
    return m_memory->LockRegion(offset, count, type);
  }
  HRESULT UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD type) override {
    return m_memory->UnlockRegion(offset, count, type);
  }
  HRESULT Stat(STATSTG* status, DWORD flags) override {
    return failStat ? STG_E_INVALIDFUNCTION : m_memory->Stat(status, flags);
  }
  HRESULT Clone(IStream** clone) override { return m_memory->Clone(clone); }

 private:
  Quor::ComPtr<IStream> m_memory;
};

}  // namespace testing_streams
