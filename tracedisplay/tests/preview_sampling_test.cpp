// Sampling sessions of a preview pane on the built-in sample: the stand-in host's simulated
// device replays the sample into a scratch document that a temporary compound file backs.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hostframework/this_module.h"
#include "tracedisplay/tests/preview_sample.h"
#include "tracedisplay/tests/preview_test_pane.h"

HMODULE TraceDisplayTestResources();

using namespace PendrelDraw;

namespace {

enum class Press { Start, Pause, Stop, Repeat };
// What a step leaves of the scratch document.
enum class Scratch { None, New, Same };

struct SessionStep {
  Press press;
  LONG state;
  Scratch scratch;
};

struct Session {
  const char* name;
  bool device = true;
  std::optional<PendrelHost::StartFailure> failure;
  bool confirm = false;
  std::vector<SessionStep> steps;
  // The device operations asked for, in order, over the whole session.
  std::vector<std::string> deviceCalls;
  // The message box's text; empty when none is shown.
  std::string message;
};

const Session kSessions[] = {
    {"start, pause, start, stop", true, std::nullopt, false,
     {{Press::Start, kPreviewSampling, Scratch::New},
      {Press::Pause, kPreviewPaused, Scratch::Same},
      {Press::Start, kPreviewSampling, Scratch::Same},
      {Press::Stop, kPreviewStopped, Scratch::None}},
     {"AttachTarget", "SetUp", "RequestStart", "Stop", "SetUp", "RequestStart", "Stop",
      "DetachTarget"},
     ""},
    {"103 repeats the current state's action once", true, std::nullopt, false,
     {{Press::Start, kPreviewSampling, Scratch::New},
      {Press::Pause, kPreviewPaused, Scratch::Same},
      {Press::Repeat, kPreviewPaused, Scratch::Same}},
     {"AttachTarget", "SetUp", "RequestStart", "Stop", "Stop"},
     ""},
    {"the current state does nothing", true, std::nullopt, false,
     {{Press::Stop, kPreviewStopped, Scratch::None},
      {Press::Start, kPreviewSampling, Scratch::New},
      {Press::Start, kPreviewSampling, Scratch::Same}},
     {"AttachTarget", "SetUp", "RequestStart"},
     ""},
    {"without a device every request is ignored", false, std::nullopt, false,
     {{Press::Start, kPreviewStopped, Scratch::None},
      {Press::Pause, kPreviewStopped, Scratch::None},
      {Press::Repeat, kPreviewStopped, Scratch::None}},
     {},
     ""},
    {"a failure with a text shows it", true, PendrelHost::StartFailure{E_FAIL, u"Plexlo unplugged"},
     false,
     {{Press::Start, kPreviewStopped, Scratch::None}},
     {"AttachTarget", "SetUp", "RequestStart", "Stop", "DetachTarget"},
     "Plexlo unplugged"},
    {"a failure without a text", true, PendrelHost::StartFailure{E_FAIL, u""}, false,
     {{Press::Start, kPreviewStopped, Scratch::None}},
     {"AttachTarget", "SetUp", "RequestStart", "Stop", "DetachTarget"},
     "Cannot start sampling"},
    {"a failure already reported", true, PendrelHost::StartFailure{HRESULT(0xA004820F), u"Shown"},
     false,
     {{Press::Start, kPreviewStopped, Scratch::None}},
     {"AttachTarget", "SetUp", "RequestStart", "Stop", "DetachTarget"},
     ""},
    {"a start that needs confirmation", true, std::nullopt, true,
     {{Press::Start, kPreviewSampling, Scratch::New},
      {Press::Stop, kPreviewStopped, Scratch::None}},
     {"AttachTarget", "SetUp", "RequestStart", "ConfirmStart", "Stop", "DetachTarget"},
     ""},
};

// The temporary folder of one test, so that the scratch files can be counted.
class ScratchFolder {
 public:
  ScratchFolder()
      : m_folder(std::filesystem::path(testing::TempDir()) /
                 ("preview-scratch-" + std::to_string(getpid()))) {
    std::filesystem::remove_all(m_folder);
    std::filesystem::create_directories(m_folder);
    if (const char* saved = std::getenv("TMPDIR")) m_saved = saved;
    setenv("TMPDIR", m_folder.c_str(), 1);
  }
  ~ScratchFolder() {
    if (m_saved) {
      setenv("TMPDIR", m_saved->c_str(), 1);
    } else {
      unsetenv("TMPDIR");
    }
    std::filesystem::remove_all(m_folder);
  }
  std::size_t Files() const {
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
      count += entry.is_regular_file();
    }
    return count;
  }

 private:
  std::filesystem::path m_folder;
  std::optional<std::string> m_saved;
};

class PreviewSamplingTest : public TraceDisplayTest {
 protected:
  void SetUp() override {
    TraceDisplayTest::SetUp();
    ExtLib::SetThisModule(TraceDisplayTestResources());
    sample = std::make_unique<PreviewSample>();
    ASSERT_TRUE(sample->shownDocument);
    device = sample->device;
    shownDocument = sample->shownDocument.get();
  }
  void TearDown() override { ExtLib::SetThisModule(nullptr); }

  // A preview of the sample, scrolled away from its start.
  std::unique_ptr<TestPreviewPane> MakePane(bool withDevice) {
    auto pane = std::make_unique<TestPreviewPane>(shownDocument);
    pane->SetLaneCount(1);
    pane->AttachWindow(nullptr, nullptr);
    pane->SetPaneSize({402, 200});
    pane->ScrollToPosition(3000, 0);
    if (withDevice) pane->AttachSamplingController(device);
    return pane;
  }

  static void Press(TestPreviewPane& pane, enum Press press) {
    switch (press) {
      case Press::Start: return pane.Start();
      case Press::Pause: return pane.Pause();
      case Press::Stop: return pane.Stop();
      case Press::Repeat: return pane.SetSamplingState(kPreviewRepeat);
    }
  }

  static std::vector<std::string> DeviceCalls() {
    std::vector<std::string> names;
    for (const std::string& call : CallsStartingWith("SamplingDevice.")) {
      const std::string name = call.substr(call.find('.') + 1);
      if (name.rfind("IsSampling", 0) != 0) names.push_back(name.substr(0, name.find('(')));
    }
    return names;
  }

  ScratchFolder scratchFolder;
  std::unique_ptr<PreviewSample> sample;
  PendrelHost::SimulatedSamplingDevice* device = nullptr;
  IUnknown* shownDocument = nullptr;
};

TEST_F(PreviewSamplingTest, SessionsOnTheBuiltInSample) {
  for (const Session& session : kSessions) {
    SCOPED_TRACE(session.name);
    device->SetStartFailure(session.failure);
    device->SetConfirmationNeeded(session.confirm);
    auto pane = MakePane(session.device);
    const LONGLONG shownBefore = pane->GetScrollPosition();
    ASSERT_GT(shownBefore, pane->DataWidth());
    EXPECT_EQ(pane->Sampling()->IsEnabled(), session.device);
    Tarn::ClearRecordedCalls();
    IUnknown* scratch = nullptr;
    for (const SessionStep& step : session.steps) {
      Press(*pane, step.press);
      EXPECT_EQ(pane->SamplingState(), step.state);
      switch (step.scratch) {
        case Scratch::None:
          EXPECT_EQ(pane->SamplingDocument(), nullptr);
          EXPECT_EQ(scratchFolder.Files(), 0u);
          EXPECT_EQ(pane->SourceDocument(), shownDocument);
          EXPECT_EQ(pane->GetScrollPosition(), shownBefore) << "the view is back where it was";
          break;
        case Scratch::New:
          ASSERT_NE(pane->SamplingDocument(), nullptr);
          scratch = pane->SamplingDocument();
          EXPECT_EQ(scratchFolder.Files(), 1u) << "the scratch document's temporary file";
          break;
        case Scratch::Same:
          EXPECT_EQ(pane->SamplingDocument(), scratch);
          EXPECT_EQ(scratchFolder.Files(), 1u);
          break;
      }
    }
    EXPECT_EQ(CallsStartingWith("DocumentProvider.GetDocument(flags=0x00000000").size(),
              session.deviceCalls.empty() ? 0u : 1u)
        << "one scratch document a session";
    EXPECT_EQ(DeviceCalls(), session.deviceCalls);
    const std::vector<std::string> boxes = CallsStartingWith("HostApp.ShowMessageBox");
    if (session.message.empty()) {
      EXPECT_TRUE(boxes.empty());
    } else {
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_NE(boxes[0].find("text=\"" + session.message + "\""), std::string::npos) << boxes[0];
      EXPECT_NE(boxes[0].find("caption=\"Pendrel\""), std::string::npos) << boxes[0];
      EXPECT_NE(boxes[0].find("style=0x00002010"), std::string::npos) << boxes[0];
    }
    pane.reset();
    device->Stop(0);
    EXPECT_EQ(scratchFolder.Files(), 0u) << "no temporary file is left";
  }
}

TEST_F(PreviewSamplingTest, TheSourceRestartsAndTheDeviceGoesWithAStop) {
  auto pane = MakePane(true);
  EXPECT_EQ(pane->AttachSource(), E_FAIL) << "no scratch document yet";
  Tarn::ClearRecordedCalls();
  pane->Start();
  pane->Pause();
  ASSERT_FALSE(device->Sampling());
  EXPECT_EQ(pane->AttachSource(), S_OK);
  EXPECT_TRUE(device->Sampling()) << "sampling goes on into the same scratch document";
  EXPECT_EQ(pane->AttachSource(), S_FALSE);
  // The observers hear which document the preview shows after each press.
  char event[16];
  std::snprintf(event, sizeof event, "0x%08X", PreviewDocumentChanged::Id());
  EXPECT_EQ(CallsStartingWith(std::string("EventManager.Notify(event=") + event).size(), 2u);

  // Without the device the preview stops first and shows its document again.
  pane->AttachSamplingController(nullptr);
  EXPECT_EQ(pane->Sampling()->stopsPressed, 1);
  EXPECT_EQ(pane->SamplingState(), kPreviewStopped);
  EXPECT_EQ(pane->SamplingDocument(), nullptr);
  EXPECT_FALSE(device->Sampling());
  EXPECT_FALSE(pane->Sampling()->IsEnabled());
  EXPECT_EQ(scratchFolder.Files(), 0u);
}

}  // namespace
