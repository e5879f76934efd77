// The RR interval export as the host's save-as drives it: the bytes of the file, every failure
// shown once and leaving the target as it was, the names it takes, and what the class object
// tells the host about itself.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "analysis/document/document_ids.h"
#include "analysis/rhyth_guids.h"
#include "analysis/settings/change_flags.h"
#include "analysis/tests/beat_list_source.h"
#include "analysis/tests/document/analysis_host.h"
#include "analysis/tests/held_settings.h"
#include "core/xquor.h"
#include "host/app/host_application.h"
#include "host/app/main_window.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/saveas/host_document_object.h"
#include "host/saveas/save_as.h"
#include "plotengine/browser_control/any_string.h"
#include "platform/win32/message_box.h"
#include "views/export/rr_interval_save_class.h"
#include "views/tests/export/export_folder.h"

namespace ExportTest {
namespace {

using Rhyth::RRIntervalSaveClassObject;

constexpr const char16_t* kCaption = u"Rhyth RR Interval Text File";
constexpr const char16_t* kNeedsAnalysis =
    u"Rhyth Export RR Interval requires a valid Rhyth analysis. No data will be saved.";

// A host document that holds no analysis document.
class EmptyHostDocument final : public SimpleUnknownImp1<IPendrelModuleDocuments> {
 public:
  HRESULT GetModuleDocument(DWORD, IUnknown** document) override {
    *document = nullptr;
    return S_FALSE;
  }
};

// Fails the first write, or the close, with "no space left".
ssize_t FailingWrite(int, const void*, std::size_t) {
  errno = ENOSPC;
  return -1;
}
int FailingClose(int descriptor) {
  ::close(descriptor);
  errno = EIO;
  return -1;
}
const Rhyth::FileCalls kFailingWrite{&FailingWrite, &::close};
const Rhyth::FileCalls kFailingClose{&::write, &FailingClose};

class RRExport : public AnalysisDocumentTest::AnalysisHost {
 protected:
  void SetUp() override {
    AnalysisHost::SetUp();
    mainWindow = std::make_unique<PendrelHost::HostMainWindow>();
    Open(AnalysisDocumentTest::SyntheticRecording(5.0));
    hostDocument.Attach(new PendrelHost::HostDocumentObject(*hosted));
  }
  void TearDown() override {
    hostDocument.Clear();
    mainWindow.reset();
    AnalysisHost::TearDown();
  }

  // Puts these intervals into the analysis document's engine, as an analysis would.
  void SetIntervals(const std::vector<double>& rr) {
    Quor::ComPtr<RhythTest::BeatListSource> source = RhythTest::BeatListSource::Create();
    source->AddRecord(RhythTest::BeatsWithIntervals(rr));
    RhythTest::HeldSettings settings;
    settings->analysis.region = {0, 0, kRecordEndOffset, 0};
    Analysis().Engine().AnalyseRange(Rhyth::kChangeEverything, source.Get(), *settings,
                                     RhythTest::kBeatChannel);
  }

  HRESULT Save(const std::string& path, const Rhyth::FileCalls& calls = Rhyth::SystemFileCalls(),
               IUnknown* document = nullptr) {
    Quor::ComPtr<RRIntervalSaveClassObject> exporter(new RRIntervalSaveClassObject(calls));
    const Quor::String name = Quor::String::FromUtf8(path);
    Quor::ComPtr<IQuorString> nameObject;
    nameObject.Attach(name.GetInterface());
    return exporter->SaveAs(&PendrelHost::HostApplication::Instance(), nameObject.Get(), nullptr,
                            document ? document : static_cast<IUnknown*>(hostDocument.Get()));
  }

  std::unique_ptr<PendrelHost::HostMainWindow> mainWindow;
  Quor::ComPtr<PendrelHost::HostDocumentObject> hostDocument;
  ExportFolder folder;
};

TEST_F(RRExport, WritesEachIntervalWithSixDigitsAndCrLf) {
  const struct {
    std::vector<double> rr;
    std::string bytes;
    HRESULT result;
  } cases[] = {
      {{0.8, 0.8125, 1.234567}, "0.8\r\n0.8125\r\n1.23457\r\n", S_OK},
      {{1e-05, 0.1, 2.0}, "1e-05\r\n0.1\r\n2\r\n", S_OK},
      {{}, "", S_FALSE},
  };
  for (const auto& c : cases) {
    SetIntervals(c.rr);
    const std::string path = folder.Path("rr.txt");
    EXPECT_EQ(Save(path), c.result) << c.bytes;
    EXPECT_EQ(ExportFolder::Read(path), c.bytes);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"rr.txt"}) << "nothing left beside it";
  }
  EXPECT_TRUE(win32::ShownMessageBoxes().empty());
}

TEST_F(RRExport, FailuresAreShownOnceAndLeaveTheTargetAsItWas) {
  SetIntervals({0.8, 0.9});
  Quor::ComPtr<EmptyHostDocument> noAnalysis(new EmptyHostDocument);
  const std::string systemNoSuchFolder = Quor::String(
      Quor::FormatHResultText(Rhyth::HResultFromErrno(ENOENT))).ToUtf8String();
  const struct {
    const char* what;
    std::string target;  // relative to the folder
    bool existing;       // a file stands at the target before
    const Rhyth::FileCalls* calls;
    IUnknown* document;
    HRESULT result;
    std::string systemText;  // after the message and a line break; "-" for no message at all
  } cases[] = {
      {"no analysis document", "rr.txt", true, &Rhyth::SystemFileCalls(), noAnalysis.Get(),
       kXQuorSilent, ""},
      {"a missing folder", "missing/rr.txt", false, &Rhyth::SystemFileCalls(), nullptr,
       kXQuorSilent, systemNoSuchFolder},
      {"a failed write", "rr.txt", true, &kFailingWrite, nullptr, kXQuorSilent,
       Quor::FormatHResultText(Rhyth::HResultFromErrno(ENOSPC)).ToUtf8String()},
      {"a failed close", "rr.txt", true, &kFailingClose, nullptr, kXQuorSilent,
       Quor::FormatHResultText(Rhyth::HResultFromErrno(EIO)).ToUtf8String()},
  };
  for (const auto& c : cases) {
    win32::ClearShownMessageBoxes();
    folder.Clear();
    const std::string path = folder.Path(c.target);
    if (c.existing) ExportFolder::Write(path, "earlier\r\n");
    EXPECT_EQ(Save(path, *c.calls, c.document), c.result) << c.what;
    EXPECT_EQ(ExportFolder::Exists(path) ? ExportFolder::Read(path) : "(none)",
              c.existing ? "earlier\r\n" : "(none)")
        << c.what;
    EXPECT_EQ(folder.Entries().size(), c.existing ? 1u : 0u) << c.what << ": no partial file";
    const auto boxes = win32::ShownMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u) << c.what;
    const std::u16string expected =
        c.systemText.empty() ? std::u16string(kNeedsAnalysis)
                             : kNeedsAnalysis + (u"\n" + Quor::String::FromUtf8(c.systemText).ToStdWString());
    EXPECT_EQ(boxes[0].text, expected) << c.what;
    EXPECT_EQ(boxes[0].caption, kCaption) << c.what;
    EXPECT_EQ(boxes[0].style, UINT(MB_OK | MB_ICONERROR)) << c.what;
    EXPECT_EQ(boxes[0].owner, mainWindow->Handle()) << c.what << ": over the host's main window";
  }

  // Not a host document at all: nothing is shown and nothing written.
  win32::ClearShownMessageBoxes();
  folder.Clear();
  Quor::ComPtr<IQuorString> notAHostDocument;
  notAHostDocument.Attach(Quor::String(u"a text").GetInterface());
  EXPECT_EQ(Save(folder.Path("rr.txt"), Rhyth::SystemFileCalls(), notAHostDocument.Get()), E_FAIL);
  EXPECT_TRUE(folder.Entries().empty());
  EXPECT_TRUE(win32::ShownMessageBoxes().empty());
}

TEST_F(RRExport, ATargetThatIsAFolderStaysAFolder) {
  SetIntervals({0.8});
  const std::string target = folder.Path("taken");
  folder.MakeFolder("taken");
  EXPECT_EQ(Save(target), kXQuorSilent);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"taken"});
  ASSERT_EQ(win32::ShownMessageBoxes().size(), 1u);
  EXPECT_TRUE(win32::ShownMessageBoxes()[0].text.starts_with(std::u16string(kNeedsAnalysis) + u"\n"));
}

TEST_F(RRExport, TakesNonAsciiNamesAndAnyStringObject) {
  SetIntervals({0.8, 0.9});
  EXPECT_EQ(Save(folder.Path("Herzschl\xC3\xA4ge \xE2\x99\xA5.txt")), S_OK);
  EXPECT_EQ(ExportFolder::Read(folder.Path("Herzschl\xC3\xA4ge \xE2\x99\xA5.txt")), "0.8\r\n0.9\r\n");

  // A name in another string implementation is copied.
  const std::string path = folder.Path("other.txt");
  Quor::COMString::detail::AnyString<std::string> foreign(path);
  Quor::ComPtr<RRIntervalSaveClassObject> exporter(new RRIntervalSaveClassObject);
  EXPECT_EQ(exporter->SaveAs(&PendrelHost::HostApplication::Instance(), &foreign, nullptr,
                             hostDocument.Get()),
            S_OK);
  EXPECT_EQ(ExportFolder::Read(path), "0.8\r\n0.9\r\n");
}

TEST_F(RRExport, TheHostsSaveAsListsTheFormatAndSavesThroughIt) {
  Quor::ComPtr<ITarnClassObject> registered;
  registered.Attach(Rhyth::NewRRIntervalSaveClassObject());
  ASSERT_EQ(GetTarnClassRegistry()->RegisterClassObject(registered.Get()), S_OK);
  SetIntervals({0.75});
  const auto formats = PendrelHost::SaveAsFormats(*hosted);
  ASSERT_EQ(formats.size(), 1u);
  EXPECT_EQ(formats[0].fileTypeName, kCaption);
  EXPECT_EQ(formats[0].extension, u"txt");
  EXPECT_EQ(formats[0].typeWord & 0xFFFF, 4u) << "the low half is shown, not matched";
  const std::string path = folder.Path("saved.txt");
  EXPECT_EQ(PendrelHost::SaveDocumentAs(*hosted, formats[0],
                                        Quor::String::FromUtf8(path).ToStdWString()),
            S_OK);
  EXPECT_EQ(ExportFolder::Read(path), "0.75\r\n");
}

TEST_F(RRExport, TheClassObjectDescribesItsFormat) {
  Tarn::ClearRecordedCalls();
  {
    Quor::ComPtr<RRIntervalSaveClassObject> exporter(new RRIntervalSaveClassObject);
    const DWORD typeWord = (Rhyth::DocumentTypeId::Id() & 0xFFFF0000u) | 4;
    DWORD word = 0;
    EXPECT_EQ(exporter->GetTypeId(&word), S_OK);
    EXPECT_EQ(word, typeWord);
    EXPECT_EQ(exporter->GetDocTypeId(&word), S_OK);
    EXPECT_EQ(word, typeWord);
    exporter->GetFormatWord(&word);
    EXPECT_EQ(word, 2u);
    exporter->GetVersionWord(&word);
    EXPECT_EQ(word, 1u);
    IQuorString* text = nullptr;
    exporter->GetClassName(&text);
    EXPECT_EQ(Quor::String().Adopt(text).ToUtf8String(), "class Rhyth::RRIntervalSaveClassObject");
    exporter->GetExtension(&text);
    EXPECT_EQ(Quor::String().Adopt(text).ToUtf8String(), "txt");
    exporter->GetFileTypeName(&text);
    EXPECT_EQ(Quor::String().Adopt(text), Quor::String(kCaption));
    GUID category{};
    EXPECT_EQ(exporter->GetCategoryId(&category), S_OK);
    EXPECT_EQ(category, CATID_TarnFileSaveAsClass);
    EXPECT_EQ(exporter->IsCategory(CATID_TarnFileSaveAsClass), S_OK);
    const GUID copy = CATID_TarnFileSaveAsClass;
    EXPECT_EQ(exporter->IsCategory(copy), S_OK) << "equal in all 16 bytes";
    EXPECT_EQ(exporter->IsCategory(Rhyth::GUID_RhythDocumentObj), S_FALSE);
    for (const IID* iid : {&IFileSaveAsClass::iid, &IFileSaveAsClass2::iid, &IDocFileDescr::iid}) {
      Quor::ComPtr<IUnknown> face;
      EXPECT_EQ(exporter->QueryInterface(*iid, Quor::ComPtrOut<IUnknown>::Bind(face)), S_OK);
    }
  }
  std::vector<std::string> tracked;
  for (const std::string& call : Tarn::RecordedCallTexts()) {
    if (call.starts_with("FrameworkService.TrackObject(")) tracked.push_back(call);
  }
  EXPECT_EQ(tracked, (std::vector<std::string>{
                         "FrameworkService.TrackObject(object=set, code=0x80030000)",
                         "FrameworkService.TrackObject(object=set, code=0x80030003)"}));
}

// SaveAs is SaveAs2 with no options.
class OptionsHeard final : public FileSaveAsBase {
 public:
  OptionsHeard() : FileSaveAsBase(7, u"x", u"X") {}
  HRESULT SaveAs2(IUnknown* application, IAutoQuorString* name, IUnknown* reserved, DWORD options,
                  IUnknown* document) override {
    heard = {application, name, reserved, options, document};
    return S_FALSE;
  }
  struct {
    IUnknown* application;
    IAutoQuorString* name;
    IUnknown* reserved;
    DWORD options;
    IUnknown* document;
  } heard{};

 protected:
  Quor::String ClassName() const override { return u"class OptionsHeard"; }
};

TEST(FileSaveAsBase, SaveAsForwardsToSaveAs2WithNoOptions) {
  Quor::ComPtr<OptionsHeard> object(new OptionsHeard);
  int a = 0, b = 0, c = 0, d = 0;
  auto* application = reinterpret_cast<IUnknown*>(&a);
  auto* name = reinterpret_cast<IAutoQuorString*>(&b);
  auto* reserved = reinterpret_cast<IUnknown*>(&c);
  auto* document = reinterpret_cast<IUnknown*>(&d);
  object->heard.options = 99;
  EXPECT_EQ(object->SaveAs(application, name, reserved, document), S_FALSE);
  EXPECT_EQ(object->heard.application, application);
  EXPECT_EQ(object->heard.name, name);
  EXPECT_EQ(object->heard.reserved, reserved);
  EXPECT_EQ(object->heard.options, 0u);
  EXPECT_EQ(object->heard.document, document);
}

}  // namespace
}  // namespace ExportTest
