#include "core/storage/quor_storage.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "core/xquor.h"
#include "platform/win32/global_memory.h"
#include "storage_test_support.h"

namespace {

using namespace storage_test;
using namespace QuorCompoundFile;

const DWORD kMode = STGM_READWRITE | STGM_SHARE_EXCLUSIVE;

std::vector<std::u16string> Names(IStorage* storage) {
  ComPtr<IEnumSTATSTG> elements;
  EXPECT_EQ(storage->EnumElements(0, nullptr, 0, ComPtrOut<IEnumSTATSTG>::Bind(elements)), S_OK);
  std::vector<std::u16string> names;
  STATSTG status;
  ULONG fetched = 0;
  while (elements->Next(1, &status, &fetched) == S_OK) {
    names.emplace_back(status.pwcsName);
    CoTaskMemFree(status.pwcsName);
  }
  return names;
}

HRESULT OpenStreamResult(IStorage* storage, const std::u16string& name) {
  ComPtr<IStream> stream;
  return storage->OpenStream(name.c_str(), nullptr, kMode, 0, ComPtrOut<IStream>::Bind(stream));
}

HRESULT OpenStorageResult(IStorage* storage, const std::u16string& name) {
  ComPtr<IStorage> child;
  return storage->OpenStorage(name.c_str(), nullptr, kMode, nullptr, 0,
                              ComPtrOut<IStorage>::Bind(child));
}

TEST(QuorStorage, NamesMatchWithOnlyLettersAToZFolded) {
  MemoryFile file = NewMemoryFile();
  const std::u16string stored[] = {u"Data", u"a b 7", u"Ärger ü", u"@[", u"1"};
  for (const auto& name : stored) WriteAll(CreateStream(file.root.Get(), name).Get(), "x");
  struct Case {
    std::u16string name;
    HRESULT result;
  } lookups[] = {
      {u"Data", S_OK},
      {u"DATA", S_OK},
      {u"A B 7", S_OK},
      {u"A", STG_E_FILENOTFOUND},        // a space does not end a name
      {u"Ärger Ü", STG_E_FILENOTFOUND},  // only a to z fold
      {u"`{", STG_E_FILENOTFOUND},
      {u"\x11", STG_E_FILENOTFOUND},  // a digit is not a control character
      {u"Dat", STG_E_FILENOTFOUND},
  };
  for (const Case& c : lookups) {
    EXPECT_EQ(OpenStreamResult(file.root.Get(), c.name), c.result)
        << std::string(c.name.begin(), c.name.end());
  }
  EXPECT_EQ(Names(file.root.Get()),
            std::vector<std::u16string>(std::begin(stored), std::end(stored)));

  const std::u16string longest(31, u'n');
  ComPtr<IStream> stream;
  EXPECT_EQ(file.root->CreateStream(longest.c_str(), kMode, 0, 0, ComPtrOut<IStream>::Bind(stream)),
            S_OK);
  const std::u16string tooLong(32, u'n');
  EXPECT_EQ(file.root->CreateStream(tooLong.c_str(), kMode, 0, 0, ComPtrOut<IStream>::Bind(stream)),
            STG_E_INVALIDNAME);
  EXPECT_EQ(file.root->CreateStream(u"", kMode, 0, 0, ComPtrOut<IStream>::Bind(stream)),
            STG_E_INVALIDNAME);
  EXPECT_EQ(file.root->CreateStream(nullptr, kMode, 0, 0, ComPtrOut<IStream>::Bind(stream)),
            STG_E_INVALIDPOINTER);
}

TEST(QuorStorage, CreatingUnderAnExistingNameNeedsCreateMode) {
  MemoryFile file = NewMemoryFile();
  WriteAll(CreateStream(file.root.Get(), u"Data").Get(), "old contents");
  ComPtr<IStream> stream;
  EXPECT_EQ(file.root->CreateStream(u"data", kMode, 0, 0, ComPtrOut<IStream>::Bind(stream)),
            STG_E_FILEALREADYEXISTS);
  ASSERT_EQ(
      file.root->CreateStream(u"data", kMode | STGM_CREATE, 0, 0, ComPtrOut<IStream>::Bind(stream)),
      S_OK);
  EXPECT_EQ(StreamSize(stream.Get()), 0u);
  stream.Clear();
  // A storage and a stream may share a name.
  CreateStorage(file.root.Get(), u"Data");
  EXPECT_EQ(Names(file.root.Get()), (std::vector<std::u16string>{u"data", u"Data"}));
  EXPECT_EQ(OpenStorageResult(file.root.Get(), u"DATA"), S_OK);
  EXPECT_EQ(OpenStorageResult(file.root.Get(), u"Other"), STG_E_FILENOTFOUND);
}

TEST(QuorStorage, DestroyingAnOpenElementIsRefused) {
  MemoryFile file = NewMemoryFile();
  ComPtr<IStream> stream = CreateStream(file.root.Get(), u"Data");
  WriteAll(stream.Get(), Pattern(40000, 1));
  ComPtr<IStorage> child = CreateStorage(file.root.Get(), u"Child");
  EXPECT_EQ(file.root->DestroyElement(u"Data"), STG_E_ACCESSDENIED);
  EXPECT_EQ(file.root->DestroyElement(u"Child"), STG_E_ACCESSDENIED);
  ComPtr<IStream> replacement;
  EXPECT_EQ(file.root->CreateStream(u"Data", kMode | STGM_CREATE, 0, 0,
                                    ComPtrOut<IStream>::Bind(replacement)),
            STG_E_ACCESSDENIED);
  // The stream still owns its clusters: another stream does not get them.
  WriteAll(CreateStream(file.root.Get(), u"Other").Get(), Pattern(40000, 2));
  EXPECT_EQ(ReadAll(stream.Get()), Pattern(40000, 1));

  stream.Clear();
  child.Clear();
  EXPECT_EQ(file.root->DestroyElement(u"Data"), S_OK);
  EXPECT_EQ(file.root->DestroyElement(u"CHILD"), S_OK);
  EXPECT_EQ(file.root->DestroyElement(u"Data"), STG_E_FILENOTFOUND);
  EXPECT_EQ(Names(file.root.Get()), std::vector<std::u16string>{u"Other"});
}

TEST(QuorStorage, DestroyingAStorageFreesEverythingBelowIt) {
  MemoryFile file = NewMemoryFile();
  {
    ComPtr<IStorage> child = CreateStorage(file.root.Get(), u"Child");
    ComPtr<IStorage> grandchild = CreateStorage(child.Get(), u"Grandchild");
    WriteAll(CreateStream(grandchild.Get(), u"Deep").Get(), Pattern(3 * kClusterSize, 3));
    WriteAll(CreateStream(child.Get(), u"Shallow").Get(), Pattern(kClusterSize, 4));
  }
  ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
  std::vector<DWORD> below;
  const CommittedFile before(file.bytes->Bytes());
  std::vector<ElementRecord> pending = {before.Child(u"Child")};
  while (!pending.empty()) {
    const ElementRecord record = pending.back();
    pending.pop_back();
    for (DWORD cluster : before.Chain(record.firstCluster)) below.push_back(cluster);
    if (record.type == STGTY_STORAGE) {
      for (const ElementRecord& child : before.Table(record)) pending.push_back(child);
    }
  }
  ASSERT_EQ(below.size(), 6u);  // two tables, four data clusters

  ASSERT_EQ(file.root->DestroyElement(u"Child"), S_OK);
  ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
  ASSERT_EQ(file.root->SetClass(GUID{7, 0, 0, {}}), S_OK);  // the commit after frees them
  ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
  const CommittedFile after(file.bytes->Bytes());
  for (DWORD cluster : below) EXPECT_NE(after.Map()[cluster].prev & kFreeMark, 0u) << cluster;
}

TEST(QuorStorage, RenameKeepsTheElementAndRefusesNamesInUse) {
  MemoryFile file = NewMemoryFile();
  ComPtr<IStream> stream = CreateStream(file.root.Get(), u"Old name");
  WriteAll(stream.Get(), "contents");
  CreateStorage(file.root.Get(), u"Taken");
  EXPECT_EQ(file.root->RenameElement(u"Old name", u"taken"), STG_E_FILEALREADYEXISTS);
  EXPECT_EQ(file.root->RenameElement(u"Absent", u"New"), STG_E_FILENOTFOUND);
  EXPECT_EQ(file.root->RenameElement(u"Old name", std::u16string(32, u'x').c_str()),
            STG_E_INVALIDNAME);
  ASSERT_EQ(file.root->RenameElement(u"OLD NAME", u"Neuer Name 2"), S_OK);
  WriteAll(stream.Get(), " and more");  // the open stream carries on
  EXPECT_EQ(OpenStreamResult(file.root.Get(), u"Old name"), STG_E_FILENOTFOUND);
  EXPECT_EQ(ReadAll(OpenStream(file.root.Get(), u"Neuer Name 2").Get()), "contents and more");
}

TEST(QuorStorage, EnumeratorReportsElementsInTableOrder) {
  MemoryFile file = NewMemoryFile();
  WriteAll(CreateStream(file.root.Get(), u"First").Get(), Pattern(100, 1));
  CreateStorage(file.root.Get(), u"Second");
  CreateStream(file.root.Get(), u"Third");
  ComPtr<IEnumSTATSTG> elements;
  ASSERT_EQ(file.root->EnumElements(0, nullptr, 0, ComPtrOut<IEnumSTATSTG>::Bind(elements)), S_OK);

  ComPtr<IUnknown> unknown;
  EXPECT_EQ(elements->QueryInterface(IID_IUnknown, ComPtrOut<IUnknown>::Bind(unknown)), S_OK);
  EXPECT_EQ(elements->Reset(), E_NOTIMPL);

  STATSTG status[4];
  ULONG fetched = 0;
  ASSERT_EQ(elements->Next(2, status, &fetched), S_OK);
  ASSERT_EQ(fetched, 2u);
  EXPECT_EQ(std::u16string(status[0].pwcsName), u"First");
  EXPECT_EQ(status[0].type, static_cast<DWORD>(STGTY_STREAM));
  EXPECT_EQ(status[0].cbSize.QuadPart, 100u);
  EXPECT_EQ(std::u16string(status[1].pwcsName), u"Second");
  EXPECT_EQ(status[1].type, static_cast<DWORD>(STGTY_STORAGE));
  for (ULONG i = 0; i < fetched; ++i) CoTaskMemFree(status[i].pwcsName);

  ASSERT_EQ(file.root->DestroyElement(u"Third"), S_OK);  // while enumerating
  EXPECT_EQ(elements->Next(4, status, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);
  EXPECT_EQ(elements->Skip(1), S_FALSE);
}

TEST(QuorStorage, StatReportsTheRecordAndNoNameWhenAskedSo) {
  MemoryFile file = NewMemoryFile();
  ComPtr<IStorage> child = CreateStorage(file.root.Get(), u"Child");
  const CLSID clsid = {0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
  ASSERT_EQ(child->SetClass(clsid), S_OK);
  CreateStream(child.Get(), u"Timed");
  const FILETIME created{1, 2}, changed{5, 6};
  ASSERT_EQ(child->SetElementTimes(u"Timed", &created, nullptr, &changed), S_OK);
  EXPECT_EQ(child->SetElementTimes(u"Absent", &created, nullptr, nullptr), STG_E_FILENOTFOUND);

  STATSTG status;
  ASSERT_EQ(child->Stat(&status, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(status.pwcsName, nullptr);
  EXPECT_EQ(status.type, static_cast<DWORD>(STGTY_STORAGE));
  EXPECT_EQ(status.grfMode, kMode);
  EXPECT_EQ(status.clsid, clsid);

  ComPtr<IStream> timed = OpenStream(child.Get(), u"Timed");
  ASSERT_EQ(timed->Stat(&status, STATFLAG_DEFAULT), S_OK);
  EXPECT_EQ(std::u16string(status.pwcsName), u"Timed");
  CoTaskMemFree(status.pwcsName);
  EXPECT_EQ(status.ctime.dwLowDateTime, 1u);
  EXPECT_EQ(status.mtime.dwHighDateTime, 6u);
  EXPECT_EQ(status.atime.dwLowDateTime, 0u);

  ASSERT_EQ(file.root->Stat(&status, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(status.type, static_cast<DWORD>(STGTY_STORAGE));
}

// A table holds 1024 elements; the 1025th is refused with an error code, not an exception.
TEST(QuorStorage, TableOfExactly1024EntriesWritesAndReadsBack) {
  MemoryFile file = NewMemoryFile();
  {
    ComPtr<IStorage> many = CreateStorage(file.root.Get(), u"Many");
    for (int i = 0; i < 1024; ++i) {
      std::u16string name(u"s");
      name += Quor::String(std::to_string(i)).ToStdWString();
      ComPtr<IStream> stream;
      ASSERT_EQ(many->CreateStream(name.c_str(), kMode, 0, 0, ComPtrOut<IStream>::Bind(stream)),
                S_OK);
    }
    ComPtr<IStream> stream;
    EXPECT_EQ(many->CreateStream(u"one more", kMode, 0, 0, ComPtrOut<IStream>::Bind(stream)),
              kXQuorMessageIsReport);
    EXPECT_EQ(stream.Get(), nullptr);
  }
  ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
  ComPtr<IStorage> many;
  ASSERT_EQ(
      file.root->OpenStorage(u"Many", nullptr, kMode, nullptr, 0, ComPtrOut<IStorage>::Bind(many)),
      S_OK);
  const std::vector<std::u16string> names = Names(many.Get());
  ASSERT_EQ(names.size(), 1024u);
  EXPECT_EQ(names[1023], u"s1023");
  EXPECT_EQ(OpenStreamResult(many.Get(), u"S517"), S_OK);
}

// The table of a closed storage is read again from the file at the next open, so it is
// checked: counts equal and opposite and within 0 to 1024, records naming clusters of the map.
TEST(QuorStorage, DamagedTablesAreRefused) {
  constexpr DWORD kFirstRecordCluster = kTableCountBytes + offsetof(ElementRecord, firstCluster);
  struct Case {
    const char* what;
    DWORD offset;
    std::int32_t values[2];
    bool opens;
  } cases[] = {
      {"as written", 0, {1, -1}, true},
      {"no entries", 0, {0, 0}, true},
      {"counts that do not cancel", 0, {2, -1}, false},
      {"a negative count", 0, {-5, 5}, false},
      {"the count that cancels itself", 0, {INT32_MIN, INT32_MIN}, false},
      {"more than 1024", 0, {1025, -1025}, false},
      {"a cluster beyond the map", kFirstRecordCluster, {0x7FFF0000, 0}, false},
  };
  for (const Case& c : cases) {
    MemoryFile file = NewMemoryFile();
    {
      ComPtr<IStorage> child = CreateStorage(file.root.Get(), u"Child");
      WriteAll(CreateStream(child.Get(), u"Only").Get(), "x");
    }
    ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
    const ElementRecord record = CommittedFile(file.bytes->Bytes()).Child(u"Child");
    BYTE* table = file.bytes->MutableBytes().data() + ClusterFileOffset(record.firstCluster);
    std::memcpy(table + c.offset, c.values, sizeof c.values);
    EXPECT_EQ(SUCCEEDED(OpenStorageResult(file.root.Get(), u"Child")), c.opens) << c.what;
  }
}

TEST(QuorStorage, ReleasingTheLastReferenceCommits) {
  ComPtr<MemoryLockBytes> bytes;
  bytes.Attach(new MemoryLockBytes);
  IStorage* root = QuorStorage::CreateRoot(bytes.Get());
  ComPtr<IStream> stream = CreateStream(root, u"Data");
  EXPECT_EQ(root->Release(), 1u);  // the stream still holds its storage
  WriteAll(stream.Get(), "kept");
  EXPECT_EQ(bytes->Bytes().size(), ClusterFileOffset(2) + 4);  // nothing committed yet
  stream.Clear();
  const CommittedFile committed(bytes->Bytes());
  EXPECT_EQ(committed.Data(committed.Child(u"Data")), "kept");
}

TEST(QuorStorage, FailuresInsideComeBackAsResults) {
  MemoryFile file = NewMemoryFile();
  WriteAll(CreateStream(file.root.Get(), u"Data").Get(), "x");
  file.bytes->CrashAtChange(file.bytes->Changes() + 1);
  EXPECT_EQ(file.root->Commit(STGC_DEFAULT), STG_E_WRITEFAULT);
  EXPECT_EQ(file.root->Commit(STGC_DEFAULT), STG_E_WRITEFAULT);

  EXPECT_EQ(file.root->CopyTo(1, nullptr, nullptr, file.root.Get()), STG_E_INVALIDPARAMETER);
  EXPECT_EQ(file.root->CopyTo(0, nullptr, nullptr, nullptr), STG_E_INVALIDPOINTER);
  EXPECT_EQ(file.root->MoveElementTo(u"Data", file.root.Get(), u"Moved", STGMOVE_MOVE), E_NOTIMPL);
  EXPECT_EQ(file.root->Revert(), E_NOTIMPL);
}

TEST(QuorStorage, CopyToCopiesTheTreeExceptExcludedNames) {
  MemoryFile source = NewMemoryFile();
  const CLSID clsid = {0xC0FFEE, 1, 2, {3}};
  {
    WriteAll(CreateStream(source.root.Get(), u"Top").Get(), Pattern(50000, 1));
    CreateStream(source.root.Get(), u"Skipped");
    ComPtr<IStorage> child = CreateStorage(source.root.Get(), u"Child");
    child->SetClass(clsid);
    WriteAll(CreateStream(child.Get(), u"Inner").Get(), Pattern(10, 2));
  }
  MemoryFile target = NewMemoryFile();
  CreateStorage(target.root.Get(), u"Child");  // exists already: opened, not replaced
  OLECHAR skipped[] = u"SKIPPED";
  OLECHAR* excluded[] = {skipped, nullptr};
  ASSERT_EQ(source.root->CopyTo(0, nullptr, excluded, target.root.Get()), S_OK);

  EXPECT_EQ(Names(target.root.Get()), (std::vector<std::u16string>{u"Child", u"Top"}));
  EXPECT_EQ(ReadAll(OpenStream(target.root.Get(), u"Top").Get()), Pattern(50000, 1));
  ComPtr<IStorage> child;
  ASSERT_EQ(target.root->OpenStorage(u"Child", nullptr, kMode, nullptr, 0,
                                     ComPtrOut<IStorage>::Bind(child)),
            S_OK);
  EXPECT_EQ(ReadAll(OpenStream(child.Get(), u"Inner").Get()), Pattern(10, 2));
  STATSTG status;
  ASSERT_EQ(child->Stat(&status, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(status.clsid, clsid);
}

TEST(QuorStorage, AStorageOpenedTwiceIsOneTable) {
  MemoryFile file = NewMemoryFile();
  ComPtr<IStorage> first = CreateStorage(file.root.Get(), u"Child");
  ComPtr<IStorage> second;
  ASSERT_EQ(file.root->OpenStorage(u"Child", nullptr, kMode, nullptr, 0,
                                   ComPtrOut<IStorage>::Bind(second)),
            S_OK);
  WriteAll(CreateStream(first.Get(), u"Made here").Get(), "a");
  EXPECT_EQ(Names(second.Get()), std::vector<std::u16string>{u"Made here"});
}

// Streams of one file written from several threads while another commits: the file's mutex
// keeps the map, the tables and the chains whole.
TEST(QuorStorage, ObjectsOfOneFileMayBeUsedFromSeveralThreads) {
  MemoryFile file = NewMemoryFile();
  const std::u16string names[] = {u"T0", u"T1", u"T2", u"T3"};
  std::atomic<int> running = 4;
  std::vector<std::thread> writers;
  for (unsigned i = 0; i < 4; ++i) {
    writers.emplace_back([&, i] {
      ComPtr<IStream> stream = CreateStream(file.root.Get(), names[i]);
      const std::string contents = Pattern(100 * 997, i);
      for (std::size_t at = 0; at < contents.size(); at += 997) {
        ULONG written = 0;
        stream->Write(contents.data() + at, 997, &written);
      }
      --running;
    });
  }
  while (running > 0) EXPECT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
  for (std::thread& writer : writers) writer.join();
  ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
  const CommittedFile committed(file.bytes->Bytes());
  for (unsigned i = 0; i < 4; ++i) {
    EXPECT_EQ(committed.Data(committed.Child(names[i])), Pattern(100 * 997, i)) << i;
  }
}

TEST(QuorStorage, AnswersItsInterfacesAndTheLockBytes) {
  MemoryFile file = NewMemoryFile();
  for (const IID* iid : {&IID_IUnknown, &IStorage::iid, &IQuorStorage::iid}) {
    ComPtr<IUnknown> face;
    EXPECT_EQ(file.root->QueryInterface(*iid, ComPtrOut<IUnknown>::Bind(face)), S_OK);
  }
  ComPtr<IQuorStorage> quor;
  ASSERT_EQ(file.root->QueryInterface(IQuorStorage::iid, ComPtrOut<IQuorStorage>::Bind(quor)),
            S_OK);
  ComPtr<ILockBytes> lockBytes;
  ASSERT_EQ(quor->GetLockBytes(ComPtrOut<ILockBytes>::Bind(lockBytes)), S_OK);
  EXPECT_EQ(static_cast<void*>(lockBytes.Get()), static_cast<ILockBytes*>(file.bytes.Get()));
  ULONG_PTR data = 0;
  EXPECT_EQ(quor->GetLockBytesUserData(&data), S_OK);
  EXPECT_EQ(data, 0x5EEDu);
  EXPECT_EQ(quor->SetLockBytesAccessHint(3), S_OK);
}

}  // namespace
