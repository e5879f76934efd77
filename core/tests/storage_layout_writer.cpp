// Writes compound files for storage_layout_reader.py: the file after each commit of a
// scenario with a description of the tree it holds (commit-N.bin, commit-N.json), and the files
// that a crash at each change of some commits leaves behind (crash-N-K.bin), with the tree that
// the engine reads when it opens them (crash-N-K.json). The file is closed and opened again
// before the third commit, so that its crashes are those of a file opened from disk.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/com_ptr.h"
#include "core/storage/compound_file_format.h"
#include "core/storage/quor_storage.h"
#include "core/storage/storage_entry_points.h"
#include "memory_lock_bytes.h"
#include "platform/win32/global_memory.h"
#include "storage_pattern.h"

namespace {

using Quor::ComPtr;
using Quor::ComPtrOut;
using QuorCompoundFile::kClusterSize;
using storage_test::Pattern;

constexpr DWORD kMode = STGM_READWRITE | STGM_SHARE_EXCLUSIVE;
constexpr int kCommits = 5;
// Commits small enough to be crashed at every change.
constexpr int kCrashedCommits[] = {2, 3};

void Require(HRESULT hr, const char* what) {
  if (FAILED(hr)) {
    std::fprintf(stderr, "%s failed: 0x%08X\n", what, static_cast<unsigned>(hr));
    std::exit(2);
  }
}

LARGE_INTEGER Move(LONGLONG distance) {
  LARGE_INTEGER value;
  value.QuadPart = distance;
  return value;
}

ComPtr<IStream> CreateStream(IStorage* storage, const char16_t* name) {
  ComPtr<IStream> stream;
  Require(storage->CreateStream(name, kMode, 0, 0, ComPtrOut<IStream>::Bind(stream)),
          "CreateStream");
  return stream;
}

ComPtr<IStream> OpenStream(IStorage* storage, const char16_t* name) {
  ComPtr<IStream> stream;
  Require(storage->OpenStream(name, nullptr, kMode, 0, ComPtrOut<IStream>::Bind(stream)),
          "OpenStream");
  return stream;
}

ComPtr<IStorage> CreateStorage(IStorage* storage, const char16_t* name) {
  ComPtr<IStorage> child;
  Require(storage->CreateStorage(name, kMode, 0, 0, ComPtrOut<IStorage>::Bind(child)),
          "CreateStorage");
  return child;
}

ComPtr<IStorage> OpenStorage(IStorage* storage, const char16_t* name) {
  ComPtr<IStorage> child;
  Require(storage->OpenStorage(name, nullptr, kMode, nullptr, 0, ComPtrOut<IStorage>::Bind(child)),
          "OpenStorage");
  return child;
}

void Write(IStream* stream, const std::string& bytes) {
  ULONG written = 0;
  Require(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written), "Write");
}

void WriteAt(IStream* stream, LONGLONG offset, const std::string& bytes) {
  Require(stream->Seek(Move(offset), STREAM_SEEK_SET, nullptr), "Seek");
  Write(stream, bytes);
}

// The scenario: each step changes the tree, and its commit follows.
class Scenario {
 public:
  explicit Scenario(MemoryLockBytes* bytes)
      : m_bytes(bytes), m_root(QuorStorage::CreateRoot(bytes)) {}

  IStorage* Root() const { return m_root; }
  HRESULT Commit() { return m_root->Commit(STGC_DEFAULT); }

  void Change(int step) {
    switch (step) {
      case 1:
        return FirstTree();
      case 2:
        return RewriteAndAdd();
      case 3:
        Reopen();
        return CutDestroyAndRename();
      case 4:
        return GrowTheMap();
      case 5:
        return DestroyTheBigStream();
    }
  }

  ~Scenario() {
    ReleaseOpenObjects();
    m_root->Release();
  }

 private:
  void FirstTree() {
    Write(CreateStream(m_root, u"Data").Get(), Pattern(40000, 1));
    Write(CreateStream(m_root, u"Exact").Get(), Pattern(kClusterSize, 2));
    CreateStream(m_root, u"Empty");
    const FILETIME created{0x11111111, 0x01D00000}, accessed{2, 3}, written{0x44444444, 0x01D50000};
    Require(m_root->SetElementTimes(u"Data", &created, &accessed, &written), "SetElementTimes");
    ComPtr<IStorage> sub = CreateStorage(m_root, u"Sub dir 1");
    Require(sub->SetClass(CLSID{0x01234567, 0x89AB, 0xCDEF, {1, 2, 3, 4, 5, 6, 7, 8}}), "SetClass");
    Write(CreateStream(sub.Get(), u"Ünïcödé 2").Get(), Pattern(100, 3));
    ComPtr<IStorage> nested = CreateStorage(sub.Get(), u"Nested");
    Write(CreateStream(nested.Get(), u"x").Get(), "hello");
    ComPtr<IStorage> quiet = CreateStorage(m_root, u"Quiet");
    Write(CreateStream(quiet.Get(), u"Middle").Get(), Pattern(3 * kClusterSize, 5));
  }

  // Committed clusters are rewritten in new places; the open, changed storage below the root is
  // committed by the root's commit. Middle's table is not written again: its rewritten cluster
  // is committed through the map alone.
  void RewriteAndAdd() {
    m_data = OpenStream(m_root, u"Data");
    WriteAt(m_data.Get(), 1000, "rewritten near the start");
    WriteAt(m_data.Get(), kClusterSize + 300, "rewritten in the second cluster");
    m_exact = OpenStream(m_root, u"Exact");
    WriteAt(m_exact.Get(), kClusterSize, "0123456789");
    ComPtr<IStorage> many = CreateStorage(m_root, u"Many");
    for (int i = 0; i < 1024; ++i) {
      const std::string name = "Stream " + std::to_string(i);
      CreateStream(many.Get(), std::u16string(name.begin(), name.end()).c_str());
    }
    m_sub = OpenStorage(m_root, u"Sub dir 1");
    Write(CreateStream(m_sub.Get(), u"Added 7").Get(), Pattern(5000, 4));
    m_quiet = OpenStorage(m_root, u"Quiet");
    m_middle = OpenStream(m_quiet.Get(), u"Middle");
    WriteAt(m_middle.Get(), kClusterSize + 100, "middle, second commit");
  }

  // The file closed and opened again, with the objects that the next step uses opened anew.
  void Reopen() {
    ReleaseOpenObjects();
    m_root->Release();
    m_root = nullptr;
    Require(
        StgOpenStorageOnILockBytes(m_bytes, nullptr, kMode | STGM_TRANSACTED, nullptr, 0, &m_root),
        "StgOpenStorageOnILockBytes");
    m_data = OpenStream(m_root, u"Data");
    m_exact = OpenStream(m_root, u"Exact");
    m_sub = OpenStorage(m_root, u"Sub dir 1");
    m_quiet = OpenStorage(m_root, u"Quiet");
    m_middle = OpenStream(m_quiet.Get(), u"Middle");
  }

  // Clusters that the last commit named are replaced again, also below a cut and in the last
  // cluster of a chain.
  void CutDestroyAndRename() {
    WriteAt(m_middle.Get(), kClusterSize + 200, "middle, third commit");
    Require(m_data->SetSize(ULARGE_INTEGER{{10, 0}}), "SetSize");
    WriteAt(m_data.Get(), 20, "past the cut");
    WriteAt(m_exact.Get(), kClusterSize + 5, "!");
    Require(m_root->DestroyElement(u"Empty"), "DestroyElement");
    Require(m_root->RenameElement(u"Exact", u"Renamed 3"), "RenameElement");
    Require(m_sub->DestroyElement(u"Nested"), "DestroyElement");
  }

  // Clusters beyond the first map block: the map grows to two blocks.
  void GrowTheMap() {
    ReleaseOpenObjects();
    ComPtr<IStream> big = CreateStream(m_root, u"Big");
    Write(big.Get(), "start");
    WriteAt(big.Get(), 4100LL * kClusterSize, "end");
  }

  void DestroyTheBigStream() { Require(m_root->DestroyElement(u"Big"), "DestroyElement"); }

  void ReleaseOpenObjects() {
    m_data.Clear();
    m_exact.Clear();
    m_middle.Clear();
    m_sub.Clear();
    m_quiet.Clear();
  }

  MemoryLockBytes* m_bytes;
  IStorage* m_root;
  ComPtr<IStream> m_data, m_exact, m_middle;
  ComPtr<IStorage> m_sub, m_quiet;
};

// The CRC-32 of zlib, continued from `crc` over more bytes.
DWORD Crc32(DWORD crc, const char* bytes, std::size_t size) {
  static const std::array<DWORD, 256> table = [] {
    std::array<DWORD, 256> t{};
    for (DWORD i = 0; i < 256; ++i) {
      DWORD c = i;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  crc ^= 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc = table[(crc ^ static_cast<unsigned char>(bytes[i])) & 0xFF] ^ (crc >> 8);
  }
  return crc ^ 0xFFFFFFFFu;
}

std::string JsonText(const std::u16string& text) {
  std::string json = "\"";
  for (char16_t unit : text) {
    if (unit >= 0x20 && unit < 0x7F && unit != u'"' && unit != u'\\') {
      json += static_cast<char>(unit);
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(unit));
      json += escape;
    }
  }
  return json + "\"";
}

std::string Hex(const void* bytes, std::size_t size) {
  std::string hex;
  for (std::size_t i = 0; i < size; ++i) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02x", static_cast<const unsigned char*>(bytes)[i]);
    hex += digits;
  }
  return hex;
}

ULONGLONG Ticks(const FILETIME& time) {
  return (ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

// The size and CRC-32 of a stream's data, in JSON.
std::string StreamSummary(IStream* stream) {
  ULONGLONG size = 0;
  DWORD crc = 0;
  std::vector<char> chunk(kClusterSize);
  ULONG read = 0;
  while (SUCCEEDED(stream->Read(chunk.data(), kClusterSize, &read)) && read) {
    crc = Crc32(crc, chunk.data(), read);
    size += read;
  }
  return ",\"size\":" + std::to_string(size) + ",\"crc32\":" + std::to_string(crc);
}

// The tree below a storage, as the engine's own interfaces report it, in table order.
std::string Describe(IStorage* storage) {
  ComPtr<IEnumSTATSTG> elements;
  Require(storage->EnumElements(0, nullptr, 0, ComPtrOut<IEnumSTATSTG>::Bind(elements)),
          "EnumElements");
  std::string json = "[";
  STATSTG status;
  ULONG fetched = 0;
  while (elements->Next(1, &status, &fetched) == S_OK) {
    const std::u16string name = status.pwcsName;
    CoTaskMemFree(status.pwcsName);
    if (json.size() > 1) json += ",";
    json += "{\"name\":" + JsonText(name) + ",\"type\":" + std::to_string(status.type) +
            ",\"clsid\":\"" + Hex(&status.clsid, sizeof status.clsid) + "\",\"times\":[" +
            std::to_string(Ticks(status.mtime)) + "," + std::to_string(Ticks(status.ctime)) + "," +
            std::to_string(Ticks(status.atime)) + "]";
    if (status.type == STGTY_STREAM) {
      json += StreamSummary(OpenStream(storage, name.c_str()).Get());
    } else {
      json += ",\"children\":" + Describe(OpenStorage(storage, name.c_str()).Get());
    }
    json += "}";
  }
  return json + "]";
}

void WriteText(const std::string& path, const std::string& text) {
  FILE* file = std::fopen(path.c_str(), "w");
  if (!file || std::fwrite(text.data(), 1, text.size(), file) != text.size())
    Require(E_FAIL, path.c_str());
  std::fclose(file);
}

// Zero blocks are left as holes: the big commits stay small on the disk.
void WriteSparse(const std::string& path, const std::vector<BYTE>& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) Require(E_FAIL, path.c_str());
  constexpr std::size_t kBlock = 4096;
  for (std::size_t at = 0; at < bytes.size(); at += kBlock) {
    const std::size_t n = std::min(kBlock, bytes.size() - at);
    const auto block = bytes.begin() + static_cast<std::ptrdiff_t>(at);
    if (std::all_of(block, block + static_cast<std::ptrdiff_t>(n), [](BYTE b) { return b == 0; }))
      continue;
    if (std::fseek(file, static_cast<long>(at), SEEK_SET) != 0 ||
        std::fwrite(bytes.data() + at, 1, n, file) != n) {
      Require(E_FAIL, path.c_str());
    }
  }
  if (std::fflush(file) != 0 || ftruncate(fileno(file), static_cast<off_t>(bytes.size())) != 0) {
    Require(E_FAIL, path.c_str());
  }
  std::fclose(file);
}

// Runs the whole scenario; returns the number of changes each commit made.
std::vector<unsigned> WriteCommits(const std::string& folder) {
  std::vector<unsigned> changes(kCommits + 1);
  ComPtr<MemoryLockBytes> bytes;
  bytes.Attach(new MemoryLockBytes);
  Scenario scenario(bytes.Get());
  for (int step = 1; step <= kCommits; ++step) {
    scenario.Change(step);
    const unsigned before = bytes->Changes();
    Require(scenario.Commit(), "Commit");
    changes[step] = bytes->Changes() - before;
    const std::string name = folder + "/commit-" + std::to_string(step);
    WriteSparse(name + ".bin", bytes->Bytes());
    WriteText(name + ".json", "{\"children\":" + Describe(scenario.Root()) + "}\n");
  }
  return changes;
}

void WriteCrash(const std::string& folder, int step, unsigned change) {
  ComPtr<MemoryLockBytes> bytes;
  bytes.Attach(new MemoryLockBytes);
  {
    Scenario scenario(bytes.Get());
    for (int s = 1; s < step; ++s) {
      scenario.Change(s);
      Require(scenario.Commit(), "Commit");
    }
    scenario.Change(step);
    bytes->CrashAtChange(bytes->Changes() + change);
    if (SUCCEEDED(scenario.Commit())) Require(E_FAIL, "a commit through a crash");
  }
  const std::string name = folder + "/crash-" + std::to_string(step) + "-" + std::to_string(change);
  WriteSparse(name + ".bin", bytes->Bytes());

  ComPtr<MemoryLockBytes> left;
  left.Attach(new MemoryLockBytes);
  left->MutableBytes() = bytes->Bytes();
  ComPtr<IStorage> root;
  Require(StgOpenStorageOnILockBytes(left.Get(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE,
                                     nullptr, 0, ComPtrOut<IStorage>::Bind(root)),
          "StgOpenStorageOnILockBytes of a crashed file");
  WriteText(name + ".json", "{\"children\":" + Describe(root.Get()) + "}\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 1;
  }
  const std::string folder = argv[1];
  const std::vector<unsigned> changes = WriteCommits(folder);
  for (int step : kCrashedCommits) {
    for (unsigned change = 1; change <= changes[step]; ++change) WriteCrash(folder, step, change);
  }
  return 0;
}
