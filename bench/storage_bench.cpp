// Opening a compound file reads and checks its header, its map and every table, but none of the
// streams' data: the time grows with the clusters and records of the file, no faster than its
// size. Each file holds storages of 100 streams of 40,000 bytes (two clusters each), from 1 to
// 32 storages: about 6 to 200 MB.
#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>

#include "core/com_ptr.h"
#include "core/storage/storage_entry_points.h"
#include "platform/win32/global_memory.h"

namespace {

using Quor::ComPtr;
using Quor::ComPtrOut;

constexpr DWORD kMode = STGM_READWRITE | STGM_SHARE_EXCLUSIVE;
constexpr int kStreamsPerStorage = 100;
constexpr ULONG kStreamSize = 40000;

void Require(bool ok) {
  if (!ok) throw std::runtime_error("the storage engine refused a step of the benchmark");
}

// A compound file of `storages` storages in a global memory block that the caller frees.
HGLOBAL WriteFile(int storages) {
  ComPtr<ILockBytes> bytes;
  Require(CreateILockBytesOnHGlobal(nullptr, FALSE, ComPtrOut<ILockBytes>::Bind(bytes)) == S_OK);
  const std::string data(kStreamSize, 'd');
  {
    ComPtr<IStorage> root;
    Require(StgCreateDocfileOnILockBytes(bytes.Get(), kMode | STGM_CREATE, 0,
                                         ComPtrOut<IStorage>::Bind(root)) == S_OK);
    for (int s = 0; s < storages; ++s) {
      ComPtr<IStorage> storage;
      const std::u16string name = u"Storage " + std::u16string(1, char16_t(u'A' + s % 26)) +
                                  std::u16string(1, char16_t(u'A' + s / 26));
      Require(root->CreateStorage(name.c_str(), kMode, 0, 0, ComPtrOut<IStorage>::Bind(storage)) ==
              S_OK);
      for (int i = 0; i < kStreamsPerStorage; ++i) {
        ComPtr<IStream> stream;
        const std::u16string streamName = u"Stream " + std::u16string(1, char16_t(u'0' + i / 10)) +
                                          std::u16string(1, char16_t(u'0' + i % 10));
        Require(storage->CreateStream(streamName.c_str(), kMode, 0, 0,
                                      ComPtrOut<IStream>::Bind(stream)) == S_OK);
        ULONG written = 0;
        Require(stream->Write(data.data(), kStreamSize, &written) == S_OK);
      }
    }
  }
  HGLOBAL block = nullptr;
  Require(GetHGlobalFromILockBytes(bytes.Get(), &block) == S_OK);
  return block;
}

void OpenFile(benchmark::State& state) {
  HGLOBAL block = WriteFile(static_cast<int>(state.range(0)));
  ComPtr<ILockBytes> bytes;
  Require(CreateILockBytesOnHGlobal(block, FALSE, ComPtrOut<ILockBytes>::Bind(bytes)) == S_OK);
  for (auto _ : state) {
    ComPtr<IStorage> root;
    Require(StgOpenStorageOnILockBytes(bytes.Get(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE,
                                       nullptr, 0, ComPtrOut<IStorage>::Bind(root)) == S_OK);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(GlobalSize(block)));
  state.counters["MB"] = static_cast<double>(GlobalSize(block)) / (1 << 20);
  bytes.Clear();
  GlobalFree(block);
}
BENCHMARK(OpenFile)->Arg(1)->Arg(4)->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
