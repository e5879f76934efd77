// The simulated device a preview samples with: start, pause, start and stop replay the previewed
// recording into the attached scratch document while its sinks follow; scripted failures (with
// a text, without one, already reported) and a start that waits for confirmation sample nothing
// until confirmed.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/com_ptr.h"
#include "core/xquor.h"
#include "host/framework/host_text.h"
#include "host/sampling/simulated_sampling_device.h"
#include "host/tests/document/document_test_support.h"
#include "host/tests/document/test_recordings.h"
#include "platform/pendrel/device_sampling.h"
#include "platform/pendrel/document_provider.h"
#include "platform/pendrel/preview_document.h"

namespace {

using Calls = std::vector<std::string>;

// Writes down the session's steps: starts, records, ticks added and stops.
class SessionSink final : public SimpleUnknownImp1<IOnlineDataSink, 1> {
 public:
  HRESULT OnSamplingStarting(DWORD, VARIANT_BOOL* proceed) override {
    calls.push_back("starting");
    *proceed = VARIANT_TRUE;
    return S_OK;
  }
  HRESULT OnRecordStart(LONG record) override {
    calls.push_back("record " + std::to_string(record));
    return S_OK;
  }
  HRESULT OnDataAdded(LONG, LONG, LONG count, VARIANT_BOOL) override {
    if (count > 0) calls.push_back("+" + std::to_string(count));
    return S_OK;
  }
  HRESULT OnRecordEnd(LONG) override { return S_OK; }
  HRESULT OnSamplingStopped(DWORD, DWORD) override {
    calls.push_back("stopped");
    return S_OK;
  }
  HRESULT OnDataChanged(DWORD) override { return S_OK; }
  HRESULT OnChannelChanged(DWORD) override { return S_OK; }
  HRESULT Reserved10() override { return E_NOTIMPL; }
  HRESULT Reserved11() override { return E_NOTIMPL; }
  HRESULT Notify12() override { return S_OK; }
  HRESULT GetUpdateInterval(DWORD* value) override {
    *value = 250;  // 25 ticks at 100 Hz
    return S_OK;
  }
  HRESULT GetDataInterest(DWORD* value) override {
    *value = 0;
    return S_OK;
  }

  Calls calls;
};

struct SamplingDeviceSession : DocumentTest::HostTest {
  void SetUp() override {
    DocumentTest::HostTest::SetUp();
    IUnknown* provided = nullptr;
    ASSERT_EQ(DocumentTest::Face<IPendrelDocumentProvider>(previewed.get())
                  ->GetDocument(kProvideNewDocument, &provided),
              S_OK);
    scratch.reset(provided);
    target = DocumentTest::Face<IPendrelSamplingSink>(scratch.get());
    sink.Attach(new SessionSink);
    ASSERT_EQ(Scratch().AddSink(sink.Get()), S_OK);
    device.SetTicksPerStart(50);
  }
  PendrelHost::DataDocument& Scratch() { return *PendrelHost::AsDataDocument(scratch.get()); }
  const PendrelHost::Recording& Sampled() { return Scratch().Source(); }
  bool IsSampling() {
    VARIANT_BOOL sampling = VARIANT_FALSE;
    EXPECT_EQ(device.IsSampling(0, &sampling), S_OK);
    return sampling != VARIANT_FALSE;
  }
  // The start request's result, confirmation flag and text.
  struct Answer {
    HRESULT result;
    WORD confirm;
    std::optional<std::u16string> text;
  };
  Answer RequestStart() {
    Answer answer{E_FAIL, 7, std::nullopt};
    IQuorString* text = nullptr;
    answer.result = device.RequestStart(0, &answer.confirm, &text);
    if (text) answer.text = DocumentTest::Adopt(text);
    return answer;
  }

  Tarn::HeldReference<IUnknown> previewed = PendrelHost::OpenDocument(DocumentTest::SmallRecording());
  PendrelHost::SimulatedSamplingDevice& device =
      PendrelHost::AddSimulatedDevice(*PendrelHost::AsDataDocument(previewed.get()));
  Tarn::HeldReference<IUnknown> scratch;
  Tarn::HeldReference<IPendrelSamplingSink> target;
  Quor::ComPtr<SessionSink> sink;
};

TEST_F(SamplingDeviceSession, StartPauseStartAndStopReplayThePreviewedRecording) {
  const Answer noTarget = RequestStart();
  EXPECT_EQ(noTarget.result, E_UNEXPECTED);
  ASSERT_TRUE(noTarget.text);
  EXPECT_FALSE(IsSampling());

  ASSERT_EQ(device.AttachTarget(0, target.get()), S_OK);
  EXPECT_EQ(device.SetUp(0, 0x80000000, 1), S_OK);
  const Answer started = RequestStart();
  EXPECT_EQ(started.result, S_OK);
  EXPECT_EQ(started.confirm, 0);
  EXPECT_FALSE(started.text);
  EXPECT_TRUE(IsSampling());
  EXPECT_EQ(device.Advance(30), 30);
  ASSERT_EQ(Sampled().RecordCount(), 1u);
  EXPECT_EQ(Sampled().TickCount(0), 80);
  EXPECT_FALSE(Sampled().IsClosed(0));

  EXPECT_EQ(device.Stop(0), S_OK);  // pause
  EXPECT_FALSE(IsSampling());
  EXPECT_TRUE(Sampled().IsClosed(0));
  EXPECT_EQ(device.Advance(30), 0);

  EXPECT_EQ(RequestStart().result, S_OK);
  EXPECT_EQ(RequestStart().result, S_FALSE);  // already sampling
  ASSERT_EQ(Sampled().RecordCount(), 2u);
  EXPECT_EQ(Sampled().Samples(1, 0)[0], DocumentTest::SmallRecording().Samples(0, 0)[80]);
  EXPECT_EQ(device.Stop(0), S_OK);
  EXPECT_EQ(device.Stop(0), S_OK);  // idle: nothing more happens
  EXPECT_EQ(sink->calls, (Calls{"starting", "record 0", "+25", "+25", "+25", "+5", "stopped",
                                "starting", "record 1", "+25", "+25", "stopped"}));

  EXPECT_EQ(device.DetachTarget(0, target.get()), S_OK);
  EXPECT_EQ(device.DetachTarget(0, target.get()), S_FALSE);
  EXPECT_EQ(device.Target(), nullptr);
  EXPECT_EQ(device.AttachTarget(0, nullptr), E_INVALIDARG);
}

TEST_F(SamplingDeviceSession, ScriptedFailuresStartNothing) {
  ASSERT_EQ(device.AttachTarget(0, target.get()), S_OK);
  struct Case {
    HRESULT code;
    std::u16string text;
    std::optional<std::u16string> told;
  };
  for (const Case& c : {Case{E_FAIL, u"The amplifier is off.", u"The amplifier is off."},
                        Case{E_FAIL, u"", std::nullopt},
                        Case{kXQuorSilent, u"", std::nullopt}}) {
    device.SetStartFailure(PendrelHost::StartFailure{c.code, c.text});
    const Answer answer = RequestStart();
    EXPECT_EQ(answer.result, c.code);
    EXPECT_EQ(answer.confirm, 0);
    EXPECT_EQ(answer.text, c.told);
    EXPECT_FALSE(IsSampling());
  }
  EXPECT_EQ(Sampled().RecordCount(), 0u);
  EXPECT_TRUE(sink->calls.empty());

  device.SetStartFailure(std::nullopt);
  EXPECT_EQ(RequestStart().result, S_OK);
  EXPECT_EQ(Sampled().TickCount(0), 50);
}

TEST_F(SamplingDeviceSession, AStartThatAsksForConfirmationWaitsForIt) {
  ASSERT_EQ(device.AttachTarget(0, target.get()), S_OK);
  IQuorString* text = nullptr;
  EXPECT_EQ(device.ConfirmStart(0, 0.0, &text), E_UNEXPECTED);  // nothing asked
  device.SetConfirmationNeeded(true);
  const Answer asked = RequestStart();
  EXPECT_EQ(asked.result, S_OK);
  EXPECT_EQ(asked.confirm, 1);
  EXPECT_FALSE(IsSampling());
  EXPECT_EQ(Sampled().RecordCount(), 0u);

  EXPECT_EQ(device.ConfirmStart(0, 0.0, &text), S_OK);
  EXPECT_EQ(text, nullptr);
  EXPECT_TRUE(IsSampling());
  EXPECT_EQ(Sampled().TickCount(0), 50);
  EXPECT_EQ(device.ConfirmStart(0, 0.0, &text), E_UNEXPECTED);  // once only
  device.Stop(0);

  // A stop between request and confirmation drops the request.
  RequestStart();
  device.Stop(0);
  EXPECT_EQ(device.ConfirmStart(0, 0.0, &text), E_UNEXPECTED);
}

TEST_F(SamplingDeviceSession, AReplayedRecordingCannotStartAgainButANewTargetStartsOver) {
  ASSERT_EQ(device.AttachTarget(0, target.get()), S_OK);
  ASSERT_EQ(RequestStart().result, S_OK);
  EXPECT_EQ(device.Advance(1000), 150);  // the small recording has 200 ticks
  device.Stop(0);
  const Answer again = RequestStart();
  EXPECT_EQ(again.result, E_FAIL);
  EXPECT_TRUE(again.text);

  IUnknown* provided = nullptr;
  ASSERT_EQ(DocumentTest::Face<IPendrelDocumentProvider>(previewed.get())
                ->GetDocument(kProvideNewDocument, &provided),
            S_OK);
  Tarn::HeldReference<IUnknown> second(provided);
  ASSERT_EQ(device.AttachTarget(0, DocumentTest::Face<IPendrelSamplingSink>(second.get()).get()),
            S_OK);
  EXPECT_EQ(RequestStart().result, S_OK);
  EXPECT_EQ(PendrelHost::AsDataDocument(second.get())->Source().TickCount(0), 50);
}

TEST_F(SamplingDeviceSession, ThePreviewedDocumentListsTheDevice) {
  IPendrelSamplingDeviceList* list = nullptr;
  ASSERT_EQ(DocumentTest::Face<IPendrelPreviewDocument>(previewed.get())->GetSamplingDevices(&list),
            S_OK);
  Tarn::HeldReference<IPendrelSamplingDeviceList> held(list);
  LONG count = 0;
  EXPECT_EQ(list->GetCount(&count), S_OK);
  EXPECT_EQ(count, 1);
  IPendrelSamplingDevice* first = nullptr;
  ASSERT_EQ(list->GetDevice(0, &first), S_OK);
  Tarn::HeldReference<IPendrelSamplingDevice> heldDevice(first);
  EXPECT_EQ(first, static_cast<IPendrelSamplingDevice*>(&device));
  EXPECT_EQ(device.SelectChannels(0, 0x80000000), S_OK);
}

}  // namespace
