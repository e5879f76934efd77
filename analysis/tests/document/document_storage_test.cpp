// A hosted document written into a compound file and read back from it: what comes back, what
// a part that cannot be read does, and how a write that fails part of the way is reported.
#include <gtest/gtest.h>

#include "analysis/tests/document/analysis_host.h"
#include "core/storage/quor_storage.h"
#include "core/storage_bin_streams.h"
#include "core/tests/memory_lock_bytes.h"
#include "host/documentfile/document_file_error.h"
#include "host/documentfile/document_file_layout.h"
#include "host/documentfile/document_storage.h"

namespace AnalysisDocumentTest {
namespace {

using PendrelHost::DocumentFileError;
using Strings = std::vector<std::string>;

constexpr DWORD kMode = STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE;

Quor::ComPtr<IStorage> Child(IStorage* storage, const std::u16string& name) {
  Quor::ComPtr<IStorage> child;
  storage->OpenStorage(name.c_str(), nullptr, STGM_READWRITE | STGM_SHARE_EXCLUSIVE, nullptr, 0,
                       Quor::ComPtrOut<IStorage>::Bind(child));
  return child;
}

// Puts `write`'s bytes in place of a stream of the analysis document's storage.
void RewritePart(IStorage* root, const std::u16string& part,
                 const std::function<void(Quor::BinOStream&)>& write) {
  Quor::ComPtr<IStorage> module = Child(Child(root, u"Modules").Get(), u"Rhyth2 Document");
  ASSERT_TRUE(module);
  Quor::ComPtr<IStream> stream;
  ASSERT_EQ(module->CreateStream(part.c_str(), kMode, 0, 0,
                                 Quor::ComPtrOut<IStream>::Bind(stream)),
            S_OK);
  Quor::StorageBinOStreamLite out(stream.Get());
  write(out);
  ASSERT_EQ(out.Close(), S_OK);
}

class DocumentStorage : public AnalysisHost {
 public:
  // A new compound file in memory.
  Quor::ComPtr<IStorage> NewRoot(MemoryLockBytes** bytes = nullptr) {
    Quor::ComPtr<MemoryLockBytes> memory;
    memory.Attach(new MemoryLockBytes);
    if (bytes) *bytes = memory.Get();
    Quor::ComPtr<IStorage> root;
    root.Attach(QuorStorage::CreateRoot(memory.Get()));
    return root;
  }
  // Reads the root as the host's current document; the problems it reported.
  Strings Read(IStorage* root) {
    hosted.reset();
    PendrelHost::OpenedDocument opened = PendrelHost::ReadDocument(root);
    hosted = std::move(opened.document);
    return opened.problems;
  }
};

TEST_F(DocumentStorage, TheAnalysisComesBackAsItWasWritten) {
  const KeptState kept = AnalyseAndEdit();
  Quor::ComPtr<IStorage> root = NewRoot();
  PendrelHost::WriteDocument(*hosted, root.Get());
  // Written, not saved: the parts are still changed.
  EXPECT_EQ(Settings().IsDirty(), S_OK);
  EXPECT_TRUE(Read(root.Get()).empty());
  ExpectKept(kept);
}

TEST_F(DocumentStorage, ADocumentWrittenWithDefaultsReadsWithDefaults) {
  Open(SyntheticRecording(5.0));
  Quor::ComPtr<IStorage> root = NewRoot();
  PendrelHost::WriteDocument(*hosted, root.Get());
  EXPECT_TRUE(Read(root.Get()).empty());
  Quor::ComPtr<Rhyth::Settings> defaults(new Rhyth::Settings);
  EXPECT_EQ(Settings().Compare(defaults.Get()), 0u);
  EXPECT_FALSE(Analysis().RegionIsSet());
  EXPECT_EQ(Settings().source.markersShown, 1);
  EXPECT_EQ(Analysis().GetData().UserEvents()->IsEmpty(nullptr), S_OK);
  EXPECT_TRUE(Notices().empty());
}

TEST_F(DocumentStorage, APartThatCannotBeReadStartsNewAndTheRestOpens) {
  struct Case {
    const char* what;
    std::function<void(IStorage*)> damage;
    const char* problem;
    bool settingsKept, editsKept;
  } cases[] = {
      {"a missing part",
       [](IStorage* root) {
         Child(Child(root, u"Modules").Get(), u"Rhyth2 Document")->DestroyElement(u"Part1");
       },
       "Part 1 of Rhyth2 Document is missing: it starts new.", true, false},
      {"a part of a newer version",
       [](IStorage* root) { RewritePart(root, u"Part0", [](auto& out) { out.WriteInt32(7); }); },
       "Part 0 of Rhyth2 Document was written by a newer version: it starts new.", false, true},
      {"a part that ends early",
       [](IStorage* root) {
         RewritePart(root, u"Part1", [](auto& out) {
           out.WriteInt32(6);
           out.WriteInt32(3);
         });
       },
       "Part 1 of Rhyth2 Document ends too early: it starts new.", true, false},
      {"no storage for the module",
       [](IStorage* root) { Child(root, u"Modules")->DestroyElement(u"Rhyth2 Document"); },
       "The document holds nothing of Rhyth2 Document: it starts new.", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Open(SyntheticRecording(5.0));
    Settings().analysis.binWidth = 0.02;
    const Rhyth::BeatPosition added{1234, 0};
    Analysis().GetData().UserEvents()->Add(&added, FALSE);
    Quor::ComPtr<IStorage> root = NewRoot();
    PendrelHost::WriteDocument(*hosted, root.Get());
    c.damage(root.Get());
    EXPECT_EQ(Read(root.Get()), Strings{c.problem});
    EXPECT_EQ(Settings().analysis.binWidth == 0.02, c.settingsKept);
    EXPECT_EQ(Analysis().GetData().UserEvents()->Added().size(), c.editsKept ? 1u : 0u);
  }
}

TEST_F(DocumentStorage, WhatIsNoDocumentOrOfANewerFormatIsRefused) {
  Open(SyntheticRecording(5.0));
  struct Case {
    const char* what;
    std::function<void(IStorage*)> damage;
    const char* message;
  } cases[] = {
      {"no header", [](IStorage* root) { root->DestroyElement(u"Document"); },
       "it has no document header"},
      {"a newer format",
       [](IStorage* root) {
         Quor::ComPtr<IStream> stream;
         root->CreateStream(u"Document", kMode, 0, 0, Quor::ComPtrOut<IStream>::Bind(stream));
         Quor::StorageBinOStreamLite out(stream.Get());
         out.WriteInt32(LONG(PendrelHost::DocumentFile::kMark));
         out.WriteInt32(2);
         out.Close();
       },
       "written by a newer version"},
      {"no recording", [](IStorage* root) { root->DestroyElement(u"Recording"); },
       "the recording it keeps is missing"},
      {"a recording cut short",
       [](IStorage* root) {
         Quor::ComPtr<IStream> stream;
         root->OpenStream(u"Recording", nullptr, STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                          Quor::ComPtrOut<IStream>::Bind(stream));
         ULARGE_INTEGER size{};
         size.QuadPart = 200;
         stream->SetSize(size);
       },
       "ends early"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Quor::ComPtr<IStorage> root = NewRoot();
    PendrelHost::WriteDocument(*hosted, root.Get());
    c.damage(root.Get());
    try {
      PendrelHost::ReadDocument(root.Get());
      ADD_FAILURE() << "read";
    } catch (const DocumentFileError& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
    }
  }
}

// A write that fails part of the way is reported, wherever it stops; the parts stay changed.
TEST_F(DocumentStorage, AWriteThatFailsIsReportedWhereverItStops) {
  Open(SyntheticRecording(5.0));
  Settings().dirty = 1;
  unsigned changes = 0;
  {
    MemoryLockBytes* bytes = nullptr;
    Quor::ComPtr<IStorage> root = NewRoot(&bytes);
    PendrelHost::WriteDocument(*hosted, root.Get());
    changes = bytes->Changes();
  }
  ASSERT_GT(changes, 3u);
  for (unsigned crash = 1; crash < changes; crash += std::max(1u, changes / 16)) {
    SCOPED_TRACE(crash);
    MemoryLockBytes* bytes = nullptr;
    Quor::ComPtr<IStorage> root = NewRoot(&bytes);
    bytes->CrashAtChange(crash);
    EXPECT_THROW(PendrelHost::WriteDocument(*hosted, root.Get()), DocumentFileError);
  }
  EXPECT_EQ(Settings().IsDirty(), S_OK);
}

}  // namespace
}  // namespace AnalysisDocumentTest
