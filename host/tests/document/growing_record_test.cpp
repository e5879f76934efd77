// A record that grows while it is sampled, read through the document: a call that finds nothing
// yet answers S_OK with nothing fetched, and only the end of the closed record ends the events,
// for the recording's own channels and for channels a module's enumerator computes.
#include <gtest/gtest.h>

#include <cstring>

#include "host/tests/document/document_test_support.h"
#include "host/tests/document/reference_maxima_enumerator.h"
#include "host/tests/document/test_recordings.h"
#include "hostframework/host_services.h"

namespace DocumentTest {
namespace {

struct Step {
  std::vector<LONG> ticks;
  HRESULT result;
  LONG next;
};

Step ReadOn(IEnumEventEx* events) {
  DWORD size = 0;
  events->GetEventSize(&size);
  std::vector<BYTE> buffer(size * 8);
  Step step{{}, E_FAIL, -1};
  int fetched = 0;
  do {
    step.result =
        events->Next(int(buffer.size()), kRecordEndOffset, buffer.data(), &fetched, &step.next);
    for (int i = 0; i < fetched; ++i) {
      LONG tick;
      std::memcpy(&tick, buffer.data() + std::size_t(i) * size, sizeof tick);
      step.ticks.push_back(tick);
    }
  } while (step.result == S_OK && fetched > 0);
  return step;
}

class GrowingRecord : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    ASSERT_EQ(GetTarnClassRegistry()->RegisterClassObject(ClassObjectOf(TheReferenceMaximaClass())),
              S_OK);
    auto* data = PendrelHost::AsDataDocument(document.get());
    data->Channels().SetFormula(data->Channels().Add("Max"), "RefMax(ECG, Marks, 0.1)");
  }
  HeldReference<IEnumEventEx> Events(DWORD channel) {
    IUnknown* opened = nullptr;
    EXPECT_EQ(Face<IPendrelDataSource>(document.get())
                  ->OpenEventEnumerator({channel, 0xC0000000}, 0, 0, kRecordEndOffset,
                                        kEventKindExtended, &opened),
              S_OK);
    HeldReference<IUnknown> held(opened);
    return Face<IEnumEventEx>(opened);
  }

  std::shared_ptr<PendrelHost::Recording> recording = EmptyOpenRecording();
  HeldReference<IUnknown> document = PendrelHost::OpenDocument(recording);
};

TEST_F(GrowingRecord, EventsComeAsTheDataDoesAndEndOnlyWithTheClosedRecord) {
  auto marks = Events(2);
  auto maxima = Events(3);
  const auto expect = [](Step step, std::vector<LONG> ticks, HRESULT result, LONG next) {
    EXPECT_EQ(step.ticks, ticks);
    EXPECT_EQ(step.result, result);
    EXPECT_EQ(step.next, next);
  };
  {
    SCOPED_TRACE("no data yet");
    expect(ReadOn(marks.get()), {}, S_OK, 0);
    expect(ReadOn(maxima.get()), {}, S_OK, 0);
  }
  {
    // The first maximum's window, ticks 40 to 50, reaches past the data.
    SCOPED_TRACE("ticks 0 to 50");
    AppendSmallRecording(*recording, 0, 50);
    expect(ReadOn(marks.get()), {45}, S_OK, 50);
    expect(ReadOn(maxima.get()), {}, S_OK, 40);
  }
  {
    SCOPED_TRACE("ticks 50 to 120");
    AppendSmallRecording(*recording, 50, 120);
    expect(ReadOn(marks.get()), {95}, S_OK, 120);
    expect(ReadOn(maxima.get()), {49, 99}, S_OK, 120);
  }
  {
    SCOPED_TRACE("the record closed");
    AppendSmallRecording(*recording, 120, 200);
    recording->CloseRecord(0);
    expect(ReadOn(marks.get()), {145}, S_FALSE, kRecordEndOffset);
    expect(ReadOn(maxima.get()), {149}, S_FALSE, kRecordEndOffset);
    expect(ReadOn(maxima.get()), {}, S_FALSE, kRecordEndOffset);
  }
}

TEST_F(GrowingRecord, SamplesComeAsTheDataDoes) {
  IEnumFloatEx* opened = nullptr;
  ASSERT_EQ(
      Face<IPendrelDataSource>(document.get())->OpenFloatEnumerator({0, 0xC0000000}, 0, 0, &opened),
      S_OK);
  HeldReference<IEnumFloatEx> samples(opened);
  float values[10];
  int fetched = -1;
  EXPECT_EQ(samples->Next(10, values, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0);
  AppendSmallRecording(*recording, 0, 4);
  EXPECT_EQ(samples->Next(10, values, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 4);
  AppendSmallRecording(*recording, 4, 20);
  EXPECT_EQ(samples->Next(10, values, &fetched), S_OK);
  EXPECT_FLOAT_EQ(values[0], 0.04f);
}

}  // namespace
}  // namespace DocumentTest
