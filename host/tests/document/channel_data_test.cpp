// What channels hold, as extensions ask: records, data, sample intervals, value ranges, titles
// and units, alike for the recording's channels and computed ones.
#include <gtest/gtest.h>

#include "host/tests/document/document_test_support.h"
#include "host/tests/document/test_recordings.h"

namespace DocumentTest {
namespace {

class ChannelData : public HostTest {
 protected:
  ChannelData() { computed.SetFormula(computed.Add("Half"), "ECG / 2", "uV"); }

  HeldReference<IUnknown> document = PendrelHost::OpenDocument(SmallRecording());
  HeldReference<IPendrelChannelData> data = Face<IPendrelChannelData>(document.get());
  PendrelHost::ComputedChannels& computed = PendrelHost::AsDataDocument(document.get())->Channels();
};

TEST_F(ChannelData, EveryChannelTellsItsTitleUnitRangeAndTickRate) {
  const struct {
    DWORD index;
    std::u16string title, unit;
    double minimum, maximum;
  } channels[] = {
      {0, u"ECG", u"mV", 0.0, 0.49},
      {1, u"Resp", u"l", 1.0, 1.0},
      {2, u"Marks", u"mV", 1.0, 3.0},  // the events' values
      {3, u"Half", u"uV", 0.0, 0.245},
  };
  LONG records = 0;
  EXPECT_EQ(data->GetRecordCount(0xC0000000, &records), S_OK);
  EXPECT_EQ(records, 1);
  for (const auto& channel : channels) {
    SCOPED_TRACE(Tarn::Utf8(channel.title));
    IQuorString* text = nullptr;
    EXPECT_EQ(data->GetChannelTitle(channel.index, &text), S_OK);
    EXPECT_EQ(Adopt(text), channel.title);
    EXPECT_EQ(data->GetChannelUnit(channel.index, &text), S_OK);
    EXPECT_EQ(Adopt(text), channel.unit);
    for (LONG record : {0, -2}) {
      double minimum = 0, maximum = 0;
      EXPECT_EQ(data->GetValueRange(channel.index, 0x40001000, record, &minimum, &maximum), S_OK);
      EXPECT_NEAR(minimum, channel.minimum, 1e-6);
      EXPECT_NEAR(maximum, channel.maximum, 1e-6);
    }
    double offset = 1, scale = 0;
    EXPECT_EQ(data->GetOffsetAndScale(channel.index, &offset, &scale), S_OK);
    EXPECT_EQ(offset, 0.0);
    EXPECT_EQ(scale, 1.0);
    double interval = 0;
    EXPECT_EQ(data->GetSampleInterval(0x40000000, 0, channel.index, &interval), S_OK);
    EXPECT_DOUBLE_EQ(interval, 0.01);
    EXPECT_EQ(data->HasData(0xC0000000, 0, channel.index), S_OK);
  }
}

TEST_F(ChannelData, ChannelsAndRecordsThatDoNotExistAreRefused) {
  double interval = 5, minimum = 7, maximum = 8, offset = 0, scale = 0;
  IQuorString* text = nullptr;
  // The detector asks for record 0x7FFFFFFE when no record has data.
  EXPECT_EQ(data->GetSampleInterval(0x40000000, 0x7FFFFFFE, 0, &interval), E_INVALIDARG);
  EXPECT_EQ(interval, 0.0);
  EXPECT_EQ(data->HasData(0xC0000000, 1, 0), E_INVALIDARG);
  EXPECT_EQ(data->HasData(0xC0000000, 0, 4), E_INVALIDARG);
  EXPECT_EQ(data->GetValueRange(4, 0, 0, &minimum, &maximum), E_INVALIDARG);
  EXPECT_EQ(data->GetValueRange(0, 0, 1, &minimum, &maximum), E_INVALIDARG);
  EXPECT_EQ(minimum, 7.0);
  EXPECT_EQ(data->GetOffsetAndScale(4, &offset, &scale), E_INVALIDARG);
  EXPECT_EQ(data->GetChannelTitle(4, &text), E_INVALIDARG);
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(data->GetChannelUnit(0, nullptr), E_POINTER);

  // A computed channel that fails has no range to give.
  computed.SetFormula(0, "Nothing * 2");
  EXPECT_EQ(data->GetValueRange(3, 0, 0, &minimum, &maximum), E_FAIL);
  EXPECT_EQ(computed.Failure(0), "unknown channel 'Nothing'");
}

TEST_F(ChannelData, ARecordWithoutSamplesHasNoDataAndNoRange) {
  auto recording = EmptyOpenRecording();
  auto empty = PendrelHost::OpenDocument(recording);
  auto emptyData = Face<IPendrelChannelData>(empty.get());
  EXPECT_EQ(emptyData->HasData(0xC0000000, 0, 0), S_FALSE);
  double minimum = 7, maximum = 8;
  EXPECT_EQ(emptyData->GetValueRange(0, 0, 0, &minimum, &maximum), S_FALSE);
  EXPECT_EQ(minimum, 7.0);
  AppendSmallRecording(*recording, 0, 10);
  EXPECT_EQ(emptyData->HasData(0xC0000000, 0, 0), S_OK);
  EXPECT_EQ(emptyData->GetValueRange(0, 0, 0, &minimum, &maximum), S_OK);
  EXPECT_NEAR(maximum, 0.09, 1e-6);
}

}  // namespace
}  // namespace DocumentTest
