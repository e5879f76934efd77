#include <gtest/gtest.h>

#include "host/document/data_document.h"
#include "host/framework/call_log.h"
#include "host/framework/host_text.h"
#include "host/traces/axis_adjuster.h"
#include "host/traces/scale_factory.h"
#include "host/traces/trace_data_source.h"
#include "platform/win32/com_object.h"

using namespace PendrelHost;

namespace {

Recording TwoRecords() {
  Recording recording(1000.0);
  recording.AddChannel({"ECG", "mV"});
  recording.AddChannel({"Pressure", "mmHg"});
  for (std::size_t r = 0; r < 2; ++r) {
    recording.AddRecord(10.0 * double(r));
    std::vector<std::vector<float>> samples(2, std::vector<float>(r == 0 ? 2000 : 500, 0.5f));
    recording.AppendSamples(r, std::move(samples));
    recording.CloseRecord(r);
  }
  return recording;
}

class CountingSink final : public SimpleUnknownImp1<IOnlineDataSink, 1> {
 public:
  HRESULT OnSamplingStarting(DWORD, VARIANT_BOOL*) override { return S_OK; }
  HRESULT OnRecordStart(LONG) override { return S_OK; }
  HRESULT OnDataAdded(LONG, LONG, LONG, VARIANT_BOOL) override { return S_OK; }
  HRESULT OnRecordEnd(LONG) override { return S_OK; }
  HRESULT OnSamplingStopped(DWORD, DWORD) override { return S_OK; }
  HRESULT OnDataChanged(DWORD) override { return S_OK; }
  HRESULT OnChannelChanged(DWORD) override { return S_OK; }
  HRESULT Reserved10() override { return E_NOTIMPL; }
  HRESULT Reserved11() override { return E_NOTIMPL; }
  HRESULT Notify12() override { return S_OK; }
  HRESULT GetUpdateInterval(DWORD* interval) override {
    *interval = 100;
    return S_OK;
  }
  HRESULT GetDataInterest(DWORD* interest) override {
    *interest = 100;
    return S_OK;
  }
  LONG Count() const { return m_refCount; }
};

TEST(TraceDataSource, MakesViewsOverADocumentAndSubscribesSinks) {
  Tarn::ClearRecordedCalls();
  const Tarn::HeldReference<IUnknown> document = OpenDocument(TwoRecords());
  Tarn::HeldReference<IPendrelTraceDataSource> source(CreateTraceDataSource(document.get()));
  ASSERT_TRUE(source);

  IPendrelTraceDataView* view = nullptr;
  ASSERT_EQ(source->CreateDataView(&view), S_OK);
  Tarn::HeldReference<IPendrelTraceDataView> held(view);
  LONGLONG extent = 0;
  view->GetDataExtent(&extent);
  EXPECT_EQ(extent, 200 + 50);  // 10 ticks per pixel

  IPendrelTraceChannelInfo* info = nullptr;
  ASSERT_EQ(view->QueryInterface(IPendrelTraceChannelInfo::iid, reinterpret_cast<void**>(&info)),
            S_OK);
  IQuorString* title = nullptr;
  EXPECT_EQ(info->GetChannelTitle(1, &title), S_OK);
  EXPECT_EQ(Tarn::TextOf(title), u"Pressure");
  title->Release();
  EXPECT_EQ(info->GetChannelTitle(-1, &title), E_INVALIDARG);
  info->Release();

  CountingSink sink;
  EXPECT_EQ(source->SubscribeOnline(&sink, 0x80000000), S_OK);
  EXPECT_EQ(sink.Count(), 2);
  EXPECT_EQ(source->UnsubscribeOnline(&sink), S_OK);
  EXPECT_EQ(source->UnsubscribeOnline(&sink), S_FALSE);
  EXPECT_EQ(sink.Count(), 1);
  EXPECT_EQ(Tarn::CountCalls("TraceDataSource.SubscribeOnline"), 1u);
  const std::vector<std::string> calls = Tarn::RecordedCallTexts();
  EXPECT_NE(std::find(calls.begin(), calls.end(),
                      "TraceDataSource.SubscribeOnline(flags=0x80000000)"),
            calls.end());
}

TEST(ScaleFactory, MakesOneAdjusterPerAxisAndLogsIt) {
  Tarn::ClearRecordedCalls();
  IPendrelAxisAdjuster* adjuster = nullptr;
  ASSERT_EQ(ScaleFactory::Instance().CreateAdjuster(3, -2, -2, 0x4008, 2, &adjuster), S_OK);
  Tarn::HeldReference<IPendrelAxisAdjuster> held(adjuster);
  ScaleFactory::Instance().NoteMonochromeAxis(0, 0, 0x8);
  EXPECT_EQ(Tarn::RecordedCallTexts(),
            (std::vector<std::string>{
                "ScaleFactory.CreateAdjuster(channel=3, x=-2, y=-2, flags=0x00004008, axis=2)",
                "ScaleFactory.NoteMonochromeAxis(x=0, y=0, flags=0x00000008)"}));
}

TEST(AxisAdjuster, KeepsItsStateAndCopiesIt) {
  auto* held = new AxisAdjuster({1, 0, 0, 0, 1});
  held->AddRef();
  AxisAdjuster& adjuster = *held;
  const double range[2] = {-5.0, 20.0};
  adjuster.SetRange(range);
  const PendrelAxisUnit unit = {u'm', 1000.0, 7};
  adjuster.SetUnit(&unit);
  adjuster.SetUnitName(u"wib");
  adjuster.SetAutoScaling(VARIANT_TRUE);
  IPendrelAxisAdjuster* copy = nullptr;
  ASSERT_EQ(adjuster.Copy(0, &copy), S_OK);
  double copied[2] = {};
  copy->GetRange(copied);
  EXPECT_EQ(copied[0], -5.0);
  EXPECT_EQ(copied[1], 20.0);
  auto* twin = static_cast<AxisAdjuster*>(copy);
  EXPECT_EQ(twin->Unit().index, 7);
  EXPECT_EQ(twin->UnitName(), u"wib");
  EXPECT_TRUE(twin->AutoScaling());
  copy->Release();

  double values[8] = {};
  LONG count = 0;
  EXPECT_EQ(adjuster.GetTickRows(8, values, &count), S_OK);
  EXPECT_EQ(count, 6);  // -5, 0, 5, 10, 15, 20
  EXPECT_EQ(values[0], -5.0);
  EXPECT_EQ(values[5], 20.0);
  EXPECT_EQ(adjuster.GetTickRows(3, values, &count), S_OK);
  EXPECT_EQ(count, 3);  // 0, 10, 20
  // Placed on a lane 60 pixels high, the scale asks for no rows closer than 20 pixels.
  const RECT lane = {0, 0, 40, 60};
  EXPECT_EQ(adjuster.SetScaleRect(&lane), S_OK);
  EXPECT_EQ(adjuster.GetTickRows(8, values, &count), S_OK);
  EXPECT_EQ(count, 3);  // 0, 10, 20
  held->Release();
}

}  // namespace
