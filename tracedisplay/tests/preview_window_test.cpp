#include <algorithm>
#include <memory>

#include "tracedisplay/preview/preview_control_win.h"
#include "tracedisplay/preview/preview_data_win.h"
#include "tracedisplay/tests/data_window_test.h"
#include "tracedisplay/tests/preview_sample.h"
#include "tracedisplay/tests/recording_drawer.h"
#include "tracedisplay/windows/gadget_strip.h"

using namespace PendrelDraw;

namespace {

// A trace drawer of the first (1) or second (2) trace.
class TraceKindDrawer final : public RecordingDrawer {
 public:
  TraceKindDrawer(DWORD id, DWORD kind) : RecordingDrawer(id), m_kind(kind) {}
  HRESULT GetChannel(DWORD* kind) override {
    *kind = m_kind;
    return S_OK;
  }

 private:
  DWORD m_kind;
};

class PreviewWindowTest : public DataWindowTest {
 protected:
  void SetUp() override {
    DataWindowTest::SetUp();
    sample = std::make_unique<PreviewSample>();
  }

  // Channel flags with bit 30 clear give the sampling control a stop button.
  std::unique_ptr<PreviewDataWinWButtons> MakePreview(bool withDevice,
                                                      DWORD channelFlags = 0xC0000000) {
    auto window = std::make_unique<PreviewDataWinWButtons>(&host, sample->shownDocument.get());
    window->Pane().SetChannelFlags(channelFlags);
    window->Attr.W = 402;
    window->Attr.H = 200;
    if (!window->Create()) return nullptr;
    if (withDevice) window->Pane().AttachSamplingController(sample->device);
    return window;
  }
  static PreviewControlWin& SamplingControl(PreviewDataWinWButtons& window) {
    return *dynamic_cast<PreviewControlWin*>(window.Pane().SamplingControl());
  }
  static bool Draws(PreviewDataWinWButtons& window, IPendrelRecordDrawer* drawer) {
    const auto& drawers = window.Pane().ChannelPaneAt(0)->Drawers();
    return std::find(drawers.begin(), drawers.end(), drawer) != drawers.end();
  }

  std::unique_ptr<PreviewSample> sample;
};

TEST_F(PreviewWindowTest, ASecondTraceDrawerAddedWhileHiddenIsListedButDrawnOnlyWhenShown) {
  auto window = MakePreview(false);
  ASSERT_NE(window, nullptr);
  ASSERT_NE(window->Pane().TraceControl(), nullptr) << "a preview with buttons has a trace control";
  window->SetShowSecondTrace(false);
  Quor::ComPtr<TraceKindDrawer> source(new TraceKindDrawer(0x201, 1));
  Quor::ComPtr<TraceKindDrawer> second(new TraceKindDrawer(0x202, 2));
  window->AddDrawer(source.Get());
  window->AddDrawer(second.Get());
  ASSERT_EQ(window->Drawers().size(), 2u);
  EXPECT_FALSE(window->Drawers()[0].secondTrace);
  EXPECT_TRUE(window->Drawers()[1].secondTrace);
  EXPECT_TRUE(Draws(*window, source.Get()));
  EXPECT_FALSE(Draws(*window, second.Get()));

  window->SetShowSecondTrace(true);
  EXPECT_TRUE(Draws(*window, source.Get()));
  EXPECT_TRUE(Draws(*window, second.Get()));
  // The trace control's source-only button hides it again through the pane.
  window->Pane().SetTraceMode(kTraceModeSourceOnly, 1);
  EXPECT_FALSE(window->ShowsSecondTrace());
  EXPECT_FALSE(Draws(*window, second.Get()));
  EXPECT_EQ(window->Pane().ChannelPaneAt(0)->Drawers().size(), 1u);
}

TEST_F(PreviewWindowTest, StartIsDisabledWithoutASamplingDevice) {
  const struct {
    bool device;
    DWORD channelFlags;
    bool startEnabled;
    bool pauseEnabled;  // not while the stop button shows pressed
    std::u16string startTip;
  } cases[] = {{false, 0xC0000000, false, false, u"No Plexlo available - sampling is disabled"},
               {true, 0xC0000000, true, true, u"Start Sampling"},
               {true, 0x80000000, true, false, u"Start Sampling"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.channelFlags);
    auto window = MakePreview(c.device, c.channelFlags);
    ASSERT_NE(window, nullptr);
    PreviewControlWin& control = SamplingControl(*window);
    EXPECT_EQ(control.StopButton() != nullptr, !(c.channelFlags & 0x40000000));
    EnableGadgetCommands(control);
    EXPECT_EQ(control.StartButton().IsEnabled(), c.startEnabled);
    EXPECT_EQ(CommandHint(control, kSamplingStartCommand), c.startTip);
    EXPECT_EQ(control.PauseButton().IsEnabled(), c.pauseEnabled);
    EXPECT_EQ(CommandHint(control, kSamplingPauseCommand), u"Pause Sampling");
    EXPECT_EQ(CommandHint(control, kSamplingStopCommand), u"Pendrel View");
  }
}

TEST_F(PreviewWindowTest, TheButtonsDriveThePaneAndShowItsState) {
  auto window = MakePreview(true, 0x80000000);
  ASSERT_NE(window, nullptr);
  PreviewControlWin& control = SamplingControl(*window);
  ASSERT_NE(control.StopButton(), nullptr);
  EXPECT_EQ(control.StopButton()->GetButtonState(), OWL::TButtonGadget::Down);
  control.HandleMessage(WM_COMMAND, kSamplingStartCommand);
  EXPECT_EQ(window->Pane().SamplingState(), kPreviewSampling);
  EXPECT_EQ(control.StartButton().GetButtonState(), OWL::TButtonGadget::Down);
  EnableGadgetCommands(control);
  EXPECT_TRUE(control.PauseButton().IsEnabled());
  control.HandleMessage(WM_COMMAND, kSamplingStopCommand);
  EXPECT_EQ(window->Pane().SamplingState(), kPreviewStopped);
  EXPECT_EQ(control.StopButton()->GetButtonState(), OWL::TButtonGadget::Down);

  // A start that fails shows the preview stopped again.
  sample->device->SetStartFailure(PendrelHost::StartFailure{HRESULT(0xA004820F), u""});
  control.HandleMessage(WM_COMMAND, kSamplingStartCommand);
  EXPECT_EQ(window->Pane().SamplingState(), kPreviewStopped);
  EXPECT_EQ(control.StopButton()->GetButtonState(), OWL::TButtonGadget::Down);
  EXPECT_EQ(control.StartButton().GetButtonState(), OWL::TButtonGadget::Up);
}

TEST_F(PreviewWindowTest, ClosingThePreviewStopsSamplingAndLetsGoOfTheWindow) {
  auto window = MakePreview(true);
  ASSERT_NE(window, nullptr);
  window->Pane().Start();
  ASSERT_TRUE(sample->device->Sampling());
  ASSERT_NE(window->Pane().Window(), nullptr);
  window->Destroy();
  EXPECT_FALSE(sample->device->Sampling());
  EXPECT_EQ(window->Pane().Window(), nullptr);
}

}  // namespace
