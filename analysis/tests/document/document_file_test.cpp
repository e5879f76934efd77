// Document files as a user keeps them on disk: a recording with its analysis saved, closed and
// opened again; a save that fails; and files that are no document, damaged or cut short.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "analysis/tests/document/analysis_host.h"
#include "core/storage/storage_entry_points.h"
#include "host/documentfile/document_file.h"
#include "host/documentfile/document_file_error.h"
#include "host/recording/recording_file.h"

namespace AnalysisDocumentTest {
namespace {

namespace fs = std::filesystem;
using PendrelHost::DocumentFileError;
using Strings = std::vector<std::string>;

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class DocumentFiles : public AnalysisHost {
 protected:
  void SetUp() override {
    AnalysisHost::SetUp();
    folder = fs::temp_directory_path() /
             ("rhyth-document-files-" + std::to_string(::getpid()) + "-" +
              testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    file = folder / "analysis.pdoc";
  }
  void TearDown() override {
    AnalysisHost::TearDown();
    fs::remove_all(folder);
  }

 public:
  // Opens the file as the host's current document; the problems it reported.
  Strings Reopen() {
    hosted.reset();
    PendrelHost::OpenedDocument opened = PendrelHost::OpenDocumentFile(file);
    hosted = std::move(opened.document);
    return opened.problems;
  }

  fs::path folder;
  fs::path file;
};

TEST_F(DocumentFiles, TheAnalysisComesBackAsItWasSaved) {
  const KeptState kept = AnalyseAndEdit();
  PendrelHost::SaveDocumentFile(*hosted, file);
  EXPECT_EQ(Settings().IsDirty(), S_FALSE);
  EXPECT_FALSE(fs::exists(PendrelHost::SavingPath(file)));
  EXPECT_TRUE(Reopen().empty());
  ExpectKept(kept);
}

TEST_F(DocumentFiles, ARecordingReadFromAFileIsReadFromItAgain) {
  const fs::path csv = folder / "short.csv";
  std::string text = "time_s,ECG_mV\n";
  for (int i = 0; i < 500; ++i) {
    text += std::to_string(i / 250.0) + "," + std::to_string(i % 7) + "\n";
  }
  WriteBytes(csv, text);
  Open(PendrelHost::LoadRecordingFile(csv));
  hosted->SetRecordingFile(csv);
  PendrelHost::SaveDocumentFile(*hosted, file);
  {
    // The samples stay in their own file: the document names it and keeps none of them.
    Quor::ComPtr<IStorage> root;
    const std::u16string name = Quor::String(file.string()).ToStdWString();
    ASSERT_EQ(StgOpenStorage(name.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr,
                             0, Quor::ComPtrOut<IStorage>::Bind(root)),
              S_OK);
    Quor::ComPtr<IStream> samples;
    EXPECT_TRUE(FAILED(root->OpenStream(u"Recording", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0,
                                   Quor::ComPtrOut<IStream>::Bind(samples))));
  }
  EXPECT_TRUE(Reopen().empty());
  EXPECT_EQ(hosted->RecordingFile(), csv);
  EXPECT_EQ(Data().Source().TickCount(0), 500);
  fs::remove(csv);
  EXPECT_THROW(Reopen(), DocumentFileError);
}

// A save that fails half-way leaves the earlier file as it was, and the parts still changed.
TEST_F(DocumentFiles, ASaveThatFailsLeavesTheEarlierFile) {
  Open(SyntheticRecording(5.0));
  Settings().analysis.binWidth = 0.02;
  PendrelHost::SaveDocumentFile(*hosted, file);
  const std::string earlier = Bytes(file);

  Settings().analysis.binWidth = 0.03;
  Settings().dirty = 1;
  // A file write that fails: the name the save writes to first is taken.
  fs::create_directories(PendrelHost::SavingPath(file) / "in the way");
  EXPECT_THROW(PendrelHost::SaveDocumentFile(*hosted, file), DocumentFileError);
  EXPECT_EQ(Bytes(file), earlier);
  EXPECT_EQ(Settings().IsDirty(), S_OK);
  fs::remove_all(PendrelHost::SavingPath(file));

  EXPECT_EQ(Bytes(file), earlier);
  EXPECT_TRUE(Reopen().empty());
  EXPECT_EQ(Settings().analysis.binWidth, 0.02);
}

TEST_F(DocumentFiles, DamagedFilesAreRefusedWithAClearMessageAndLeftAlone) {
  Open(SyntheticRecording(5.0));
  PendrelHost::SaveDocumentFile(*hosted, file);
  const std::string saved = Bytes(file);
  struct Case {
    const char* what;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"a text file", "time,ECG\n0,1\n", "not a document the host can open"},
      {"an empty file", "", "not a document the host can open"},
      {"a file cut in half", saved.substr(0, saved.size() / 2), "damaged"},
      {"a damaged header", std::string(64, '\xA5') + saved.substr(64), "damaged"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(file, c.bytes);
    try {
      Reopen();
      ADD_FAILURE() << "opened";
    } catch (const DocumentFileError& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
      EXPECT_NE(std::string(error.what()).find(file.string()), std::string::npos);
    }
    EXPECT_EQ(Bytes(file), c.bytes);
  }
}

}  // namespace
}  // namespace AnalysisDocumentTest
