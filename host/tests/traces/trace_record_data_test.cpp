#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/bitset.h"
#include "core/quor_string.h"
#include "host/document/data_document.h"
#include "host/framework/call_log.h"
#include "host/traces/channel_display_settings.h"
#include "host/traces/trace_data_source.h"

using namespace PendrelHost;

namespace {

// Two records of a channel in mV: 0 to 9 with a NaN at 5, and 0.5 throughout.
Recording TwoRecordsInMillivolts() {
  Recording recording(1000.0);
  recording.AddChannel({"ECG", "mV"});
  const std::vector<std::vector<float>> values = {{0, 1, 2, 3, 4, NAN, 6, 7, 8, 9}, {0.5f, 0.5f}};
  for (std::size_t r = 0; r < values.size(); ++r) {
    recording.AddRecord(10.0 * double(r));
    std::vector<std::vector<float>> channels = {values[r]};
    recording.AppendSamples(r, std::move(channels));
    recording.CloseRecord(r);
  }
  return recording;
}

class TraceRecordDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_document = OpenDocument(TwoRecordsInMillivolts());
    m_source.reset(CreateTraceDataSource(m_document.get()));
  }
  TraceRecordData& Data() { return static_cast<TraceDataSource*>(m_source.get())->RecordData(); }

 private:
  Tarn::HeldReference<IUnknown> m_document;
  Tarn::HeldReference<IPendrelTraceDataSource> m_source;
};

TEST_F(TraceRecordDataTest, ValueExtremesOverARangeOfARecord) {
  double low = 0, high = 0;
  EXPECT_EQ(Data().GetValueExtremes(0x1000, 0, 0, 0, kRecordEndOffset, &low, &high), S_OK);
  EXPECT_EQ(low, 0.0);
  EXPECT_EQ(high, 9.0);
  EXPECT_EQ(Data().GetValueExtremes(0x1000, 0, 0, 2, 6, &low, &high), S_OK);
  EXPECT_EQ(low, 2.0);
  EXPECT_EQ(high, 4.0);
  // Only a NaN, an empty range, a record that does not exist.
  EXPECT_EQ(Data().GetValueExtremes(0x1000, 0, 0, 5, 6, &low, &high), S_FALSE);
  EXPECT_EQ(Data().GetValueExtremes(0x1000, 0, 0, 7, 7, &low, &high), S_FALSE);
  EXPECT_EQ(Data().GetValueExtremes(0x1000, 0, 1, 0, 100, &low, &high), S_OK);
  EXPECT_EQ(low, 0.5);
  EXPECT_TRUE(FAILED(Data().GetValueExtremes(0x1000, 0, 2, 0, 100, &low, &high)));
}

TEST_F(TraceRecordDataTest, UnitsChannelObjectsGridsAndFlaggedChannels) {
  IQuorString* text = nullptr;
  ASSERT_EQ(Data().GetUnitText(0x1000, 0, 0, &text), S_OK);
  Quor::String unit;
  unit.Attach(text);
  EXPECT_EQ(unit, u"mV");
  VARIANT_BOOL flag = VARIANT_TRUE;
  Data().GetUnitFlag(0x1000, 0, &flag);
  EXPECT_EQ(flag, VARIANT_FALSE);
  Data().SetUnitFlag(0, true);
  Data().GetUnitFlag(0x1000, 0, &flag);
  EXPECT_EQ(flag, VARIANT_BOOL(0xFFFF));

  Data().SetValueMapping(0, 0.001, 2.0);
  IUnknown* object = nullptr;
  ASSERT_EQ(Data().GetChannelObject(0x2000, 1, 0, &object), S_OK);
  Tarn::HeldReference<IUnknown> held(object);
  IPendrelTraceChannel* channel = nullptr;
  ASSERT_EQ(object->QueryInterface(IPendrelTraceChannel::iid, reinterpret_cast<void**>(&channel)), S_OK);
  Tarn::HeldReference<IPendrelTraceChannel> heldChannel(channel);
  double mapping[2] = {};
  channel->GetMappingFor(0x1000, mapping);
  EXPECT_EQ(mapping[0], 0.001);
  EXPECT_EQ(mapping[1], 2.0);
  IUnitName* name = nullptr;
  ASSERT_EQ(channel->GetUnit(0x2000, &name), S_OK);
  Tarn::HeldReference<IUnitName> heldName(name);
  DWORD prefix = 0;
  name->GetPrefix(&prefix);
  EXPECT_EQ(prefix, 7u);  // m
  name->GetText(VARIANT_FALSE, &text);
  unit.Attach(text);
  EXPECT_EQ(unit, u"V");

  EXPECT_EQ(Data().ShowsGrid(0x1000, 0, 1), S_OK);
  Data().SetGridShown(0, 1, false);
  EXPECT_EQ(Data().ShowsGrid(0x1000, 0, 1), S_FALSE);
  EXPECT_EQ(Data().ShowsGrid(0x1000, 0, 0), S_OK);

  Data().SetChannelFlagged(1, 3, true);
  IQuorBitset* set = nullptr;
  ASSERT_EQ(Data().GetFlaggedChannels(1, &set), S_OK);
  const Quor::Bitset flagged = Quor::Bitset::FromInterface(set);
  set->Release();
  EXPECT_TRUE(flagged.TestBit(3));
  EXPECT_FALSE(flagged.TestBit(0));
  ASSERT_EQ(Data().GetFlaggedChannels(0, &set), S_OK);
  EXPECT_EQ(Quor::Bitset::FromInterface(set).LowestSetBit(), -1);
  set->Release();
}

TEST(ChannelDisplaySettingsTest, ChannelsKeepTheirOwnSettings) {
  Tarn::HeldReference<ChannelDisplaySettings> settings(new ChannelDisplaySettings);
  settings->AddRef();
  settings->Channel(2).traceMode = kTraceModeGreyPull;
  settings->Channel(2).gridStyle = kGridDots;
  settings->Channel(2).secondaryLabel = false;
  DWORD mode = 0;
  EXPECT_EQ(settings->GetTraceMode(2, kTraceModeQuery, &mode), S_OK);
  EXPECT_EQ(mode, kTraceModeGreyPull);
  EXPECT_EQ(settings->GetTraceMode(2, 1, &mode), E_INVALIDARG);
  VARIANT_BOOL shown = 0, secondary = VARIANT_TRUE;
  COLORREF colour = 0;
  LONG style = 0;
  settings->GetGridSettings(2, &shown, &colour, &style);
  EXPECT_EQ(shown, VARIANT_BOOL(0xFFFF));
  EXPECT_EQ(style, kGridDots);
  settings->GetSecondaryLabelFlag(2, &secondary);
  EXPECT_EQ(secondary, VARIANT_FALSE);
  settings->GetGridSettings(0, &shown, &colour, &style);
  EXPECT_EQ(style, kGridLines);
}

}  // namespace
