// The selection and the data end as a module document asks for them: positions as offset and
// record, whether a range or a point is selected, the extent across records, and which ranges
// lie within the data.
#include "host/tests/document/document_test_support.h"

#include "host/tests/document/test_recordings.h"
#include "platform/pendrel/recording_document.h"

namespace DocumentTest {
namespace {

using Selections = HostTest;

// Two records: 30 ticks, then 20 being sampled.
Tarn::HeldReference<IUnknown> TwoRecords() {
  auto recording = EmptyOpenRecording();
  AppendSmallRecording(*recording, 0, 30);
  recording->CloseRecord(0);
  recording->AddRecord(100.0);
  const std::vector<float> ecg(20, 0.5f), resp(20, 1.0f);
  recording->AppendSamples(1, std::vector<std::span<const float>>{ecg, resp});
  return PendrelHost::OpenDocument(recording);
}

TEST_F(Selections, TellTheirRangePointAndExtentAcrossRecords) {
  auto document = TwoRecords();
  Tarn::HeldReference<IPendrelSelection> selection;
  {
    IPendrelSelection* got = nullptr;
    ASSERT_EQ(Face<IPendrelRecordingDocument>(document.get())->GetSelection(&got), S_OK);
    selection.reset(got);
  }
  PendrelPosition start{}, end{};
  EXPECT_EQ(selection->GetRange(&start, &end), S_FALSE);
  EXPECT_EQ(start, (PendrelPosition{kRecordEndOffset, kRecordEndOffset}));

  struct Case {
    PendrelPosition start, end;
    HRESULT selected;
    VARIANT_BOOL range, point;
    LONGLONG extentStart, extentEnd;
  } cases[] = {
      {{10, 0}, {5, 1}, S_OK, VARIANT_TRUE, VARIANT_FALSE, 10, 35},
      {{12, 1}, {13, 1}, S_OK, VARIANT_TRUE, VARIANT_FALSE, 42, 43},
      {{7, 0}, {7, 0}, S_OK, VARIANT_FALSE, VARIANT_TRUE, 7, 7},
      // The end of a record named by its end word.
      {{0, 1}, {kRecordEndOffset, 1}, S_OK, VARIANT_TRUE, VARIANT_FALSE, 30, 50},
      {{5, 1}, {4, 1}, E_INVALIDARG, VARIANT_FALSE, VARIANT_FALSE, 0, 0},
      {{0, 0}, {21, 1}, E_INVALIDARG, VARIANT_FALSE, VARIANT_FALSE, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.start.offset) + "," + std::to_string(c.start.record));
    PendrelHost::AsDataDocument(document.get())->Selected().SetChannelsOnly(false);
    EXPECT_EQ(selection->SelectRange(c.start, c.end), c.selected);
    if (FAILED(c.selected)) continue;
    VARIANT_BOOL range = 9, point = 9;
    selection->IsRange(&range);
    selection->IsPoint(&point);
    EXPECT_EQ(range, c.range);
    EXPECT_EQ(point, c.point);
    LONGLONG from = -1, to = -1;
    EXPECT_EQ(selection->GetExtent(&from, &to), S_OK);
    EXPECT_EQ(from, c.extentStart);
    EXPECT_EQ(to, c.extentEnd);
  }
}

TEST_F(Selections, RangesAreValidOnlyWithinTheData) {
  auto document = TwoRecords();
  auto source = Face<IPendrelDataSource>(document.get());
  LONG endOffset = 0, endRecord = 0;
  EXPECT_EQ(source->GetDataEnd(0x80000000, &endOffset, &endRecord), S_OK);
  EXPECT_EQ(endOffset, 20);
  EXPECT_EQ(endRecord, 1);
  struct Case {
    LONG startOffset, startRecord, endOffset, endRecord;
    HRESULT valid;
  } cases[] = {
      {0, 0, 20, 1, S_OK},
      {0, 0, kRecordEndOffset, 0, S_OK},
      {0, 0, kRecordEndOffset, 0x7FFFFFFE, S_OK},  // the open end while sampling
      {5, 1, 4, 1, S_FALSE},
      {0, 0, 31, 0, S_FALSE},
      {0, 2, 5, 2, S_FALSE},
      {-1, 0, 5, 0, S_FALSE},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(source->IsValidRange(c.startOffset, c.startRecord, c.endOffset, c.endRecord),
              c.valid)
        << c.startOffset << "," << c.startRecord << " - " << c.endOffset << "," << c.endRecord;
  }
}

}  // namespace
}  // namespace DocumentTest
