// A compound file opened from its bytes, then used the way the damaged files that once hung were
// used: every stream read, written at its start and at its claimed end and cut, every storage
// walked to a few levels, one element of each destroyed, and the root committed. The open
// must refuse a damaged file whole, or everything after it must end with a result code: any
// crash, hang, sanitizer report or huge allocation is a finding.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/com_ptr.h"
#include "core/storage/storage_entry_points.h"
#include "core/tests/memory_lock_bytes.h"
#include "platform/win32/global_memory.h"
#include "platform/win32/storage.h"

using Quor::ComPtr;
using Quor::ComPtrOut;

namespace {

constexpr DWORD kChildMode = STGM_READWRITE | STGM_SHARE_EXCLUSIVE;
constexpr int kDeepest = 4;
// Reads stop here: a stream may claim far more than the file holds.
constexpr ULONGLONG kMostRead = 1 << 20;

LARGE_INTEGER Offset(ULONGLONG offset) {
  LARGE_INTEGER value;
  value.QuadPart = static_cast<LONGLONG>(offset);
  return value;
}

void WriteAt(IStream* stream, ULONGLONG offset) {
  if (FAILED(stream->Seek(Offset(offset), STREAM_SEEK_SET, nullptr))) return;
  ULONG written = 0;
  stream->Write("fuzz", 4, &written);
}

void UseStream(IStream* stream, ULONGLONG claimed) {
  std::vector<char> buffer(4096);
  ULONGLONG total = 0;
  ULONG read = 0;
  while (total < kMostRead && SUCCEEDED(stream->Read(buffer.data(), ULONG(buffer.size()), &read)) && read > 0) {
    total += read;
  }
  WriteAt(stream, 5);
  WriteAt(stream, claimed >= 4 ? claimed - 4 : 0);
  ULARGE_INTEGER size;
  size.QuadPart = std::min<ULONGLONG>(claimed / 2, 40000);
  stream->SetSize(size);
}

void UseStorage(IStorage* storage, int depth) {
  ComPtr<IEnumSTATSTG> elements;
  // The bound pointer is filled only when the call's full expression ends: test it afterwards.
  const HRESULT enumerated = storage->EnumElements(0, nullptr, 0, ComPtrOut<IEnumSTATSTG>::Bind(elements));
  if (FAILED(enumerated) || !elements) return;
  std::vector<std::u16string> names;
  STATSTG status;
  ULONG fetched = 0;
  while (names.size() < 64 && elements->Next(1, &status, &fetched) == S_OK) {
    const std::u16string name = status.pwcsName ? status.pwcsName : u"";
    CoTaskMemFree(status.pwcsName);
    names.push_back(name);
    if (status.type == STGTY_STREAM) {
      ComPtr<IStream> stream;
      if (SUCCEEDED(storage->OpenStream(name.c_str(), nullptr, kChildMode, 0, ComPtrOut<IStream>::Bind(stream)))) {
        UseStream(stream.Get(), status.cbSize.QuadPart);
      }
    } else if (status.type == STGTY_STORAGE && depth < kDeepest) {
      ComPtr<IStorage> child;
      if (SUCCEEDED(storage->OpenStorage(name.c_str(), nullptr, kChildMode, nullptr, 0,
                                         ComPtrOut<IStorage>::Bind(child)))) {
        UseStorage(child.Get(), depth + 1);
        child->Commit(0);
      }
    }
  }
  if (!names.empty()) storage->DestroyElement(names.front().c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ComPtr<MemoryLockBytes> bytes;
  bytes.Attach(new MemoryLockBytes);
  bytes->MutableBytes().assign(data, data + size);
  ComPtr<IStorage> root;
  if (FAILED(StgOpenStorageOnILockBytes(bytes.Get(), nullptr, STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_TRANSACTED,
                                        nullptr, 0, ComPtrOut<IStorage>::Bind(root)))) {
    // A refused file is left exactly as it was.
    if (bytes->Changes() != 0) std::abort();
    return 0;
  }
  UseStorage(root.Get(), 0);
  root->Commit(0);
  return 0;
}
