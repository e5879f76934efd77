// The classifier limits drawn on channels that the module's channel calculation computes: the
// channel display messages for each beat measure, as the display reads them back from the
// host's property service, and how they follow the limits, the channel's calculation and the
// document.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/markers/calc_channel_display.h"
#include "analysis/messages/document_messages.h"
#include "analysis/tests/document/analysis_host.h"
#include "host/framework/call_log.h"
#include "hostframework/display/graticule_limits.h"
#include "platform/win32/com_object.h"

namespace AnalysisDocumentTest {
namespace {

// A channel calculation of the module as the document sees it: it tells what it shows.
class ShownMeasure final : public SimpleUnknownImp2<IPendrelCalculation, Rhyth::ICalcChannelDisplay, 1> {
 public:
  ShownMeasure(LONG measure, BYTE showLimits, HRESULT answer = S_OK)
      : m_measure(measure), m_show(showLimits), m_answer(answer) {}
  HRESULT TakeSettings(IUnknown*, LONG) override { return S_OK; }
  HRESULT Reset() override { return S_OK; }
  HRESULT GetTypeId(DWORD* type) override {
    *type = 0x7FFF0000;
    return S_OK;
  }
  HRESULT GetShownMeasure(LONG* measure, BYTE* showLimits) override {
    *measure = m_measure;
    *showLimits = m_show;
    return m_answer;
  }

 private:
  LONG m_measure;
  BYTE m_show;
  HRESULT m_answer;
};

constexpr DWORD kAllShown = 0x20 | 0x40 | 0x01 | 0x02 | 0x04 | 0x08;
constexpr COLORREF kBand = 254 | 194 << 8 | 194 << 16;

class ChannelLimits : public AnalysisHost {
 protected:
  void SetUp() override {
    AnalysisHost::SetUp();
    Open(SyntheticRecording(20.0));
    AcceptSyntheticBeats(Settings());
    Settings().classifier = {0.8, 1.25, 0.5, 1.5};
    Send(Rhyth::AnalyzeMsg::Id());
    channel = AddChannel(u"Beats");
  }

 public:
  template <class I>
  Quor::ComPtr<I> Face() {
    Quor::ComPtr<I> face;
    Data().Identity()->QueryInterface(I::iid, Quor::ComPtrOut<I>::Bind(face));
    return face;
  }
  DWORD AddChannel(const char16_t* name) {
    IQuorString* text = Quor::String(name).GetInterface();
    IQuorString* actual = nullptr;
    PendrelChannelRef added{};
    Face<IPendrelArithmeticChannels>()->AddChannel(0, VARIANT_FALSE, text, &actual, &added);
    text->Release();
    if (actual) actual->Release();
    return added.index;
  }
  void Compute(DWORD index, IUnknown* calculation) {
    Face<IPendrelChannelData>()->SetCalculation(index, 0xC0000000, calculation);
  }
  void ComputeShowing(DWORD index, LONG measure, BYTE show, HRESULT answer = S_OK) {
    Quor::ComPtr<ShownMeasure> calculation;
    calculation.Attach(new ShownMeasure(measure, show, answer));
    Compute(index, static_cast<IPendrelCalculation*>(calculation.Get()));
  }
  GraticuleLimits ReadBack(DWORD index) {
    GraticuleLimits limits;
    FetchGraticuleLabelTexts(limits, Face<IPendrelPropertyService>().Get(), index);
    return limits;
  }
  std::size_t DisplayMessages() {
    std::size_t count = 0;
    for (const Tarn::CallRecord& call : Tarn::RecordedCalls()) {
      if (call.service == "DocumentSite" && call.arguments.find("0x800C008") != std::string::npos) {
        ++count;
      }
    }
    return count;
  }

  DWORD channel = 0;
};

}  // namespace

TEST_F(ChannelLimits, EachMeasureShowsItsLimits) {
  struct Case {
    const char* what;
    LONG measure;
    BYTE show;
    HRESULT answer;
    DWORD flags;
    double lower, upper;
    const char16_t* unit;
  } cases[] = {
      {"beat period in s", 0, 1, S_OK, kAllShown, 0.8, 1.25, u"s"},
      {"beat rate in BPM", 2, 1, S_OK, kAllShown, 75.0, 48.0, u"BPM"},
      {"complexity (FF)", 5, 1, S_OK, kAllShown, 0.5, 1.5, u""},
      {"limits switched off", 0, 0, S_OK, 0, NAN, NAN, u""},
      {"a measure without limits", 1, 1, S_OK, 0, NAN, NAN, u""},
      {"settings it cannot read", 0, 1, S_FALSE, 0, NAN, NAN, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const DWORD index = AddChannel(Quor::String(c.what).c_str());
    ComputeShowing(index, c.measure, c.show, c.answer);
    const GraticuleLimits limits = ReadBack(index);
    EXPECT_EQ(limits.flags, c.flags);
    if (c.flags) {
      EXPECT_DOUBLE_EQ(limits.line1Value, c.lower);
      EXPECT_DOUBLE_EQ(limits.line2Value, c.upper);
      EXPECT_EQ(limits.line1Unit, c.unit);
      EXPECT_EQ(limits.line2Unit, c.unit);
      EXPECT_TRUE(limits.line2Prefix.IsEmpty());
      EXPECT_EQ(limits.firstBandColour, kBand);
      EXPECT_EQ(limits.middleBandColour, 0u);
      EXPECT_EQ(limits.lastBandColour, kBand);
    } else {
      // Hidden: lines and band cleared, band colours 0, no value ever sent.
      EXPECT_TRUE(std::isnan(limits.line1Value));
      EXPECT_EQ(limits.firstBandColour, 0u);
    }
    EXPECT_TRUE(Analysis().CalcChannels().contains(index));
  }
}

TEST_F(ChannelLimits, AChannelNeverGivenLimitsKeepsTheDefaults) {
  GraticuleLimits limits;
  // Nothing stored: the band's query, the last, finds nothing.
  EXPECT_EQ(FetchGraticuleLabelTexts(limits, Face<IPendrelPropertyService>().Get(), channel),
            S_FALSE);
  EXPECT_EQ(limits.flags, 0u);
  EXPECT_TRUE(std::isnan(limits.line1Value));
  EXPECT_TRUE(limits.line1Unit.IsEmpty());
  EXPECT_EQ(limits.middleBandColour, COLORREF(177 | 254 << 8 | 197 << 16));
}

TEST_F(ChannelLimits, ARateLineForAZeroPeriodStopsAt6000BPM) {
  Settings().classifier.rrLow = 0.0;
  ComputeShowing(channel, 2, 1);
  EXPECT_DOUBLE_EQ(ReadBack(channel).line1Value, 6000.0);
}

TEST_F(ChannelLimits, LimitsFollowEveryAnalysisAndAllBeatsNormal) {
  ComputeShowing(channel, 0, 1);
  Settings().classifier.rrHigh = 1.4;
  Send(Rhyth::AnalyzeMsg::Id());
  EXPECT_DOUBLE_EQ(ReadBack(channel).line2Value, 1.4);
  Analysis().SetAllBeatsNormal();
  EXPECT_DOUBLE_EQ(ReadBack(channel).line2Value, Settings().classifier.rrHigh);
  EXPECT_NE(Settings().classifier.rrHigh, 1.4);
}

TEST_F(ChannelLimits, TheMapFollowsTheChannelsCalculation) {
  ComputeShowing(channel, 0, 1);
  ASSERT_TRUE(Analysis().CalcChannels().contains(channel));
  // Without a calculation the lines go.
  Compute(channel, nullptr);
  EXPECT_FALSE(Analysis().CalcChannels().contains(channel));
  EXPECT_EQ(ReadBack(channel).flags, 0u);
  // A channel that was never in the map gets nothing.
  const DWORD other = AddChannel(u"Other");
  Tarn::ClearRecordedCalls();
  Compute(other, nullptr);
  EXPECT_EQ(DisplayMessages(), 0u);
  // Rebuilt from the host's channels, as when the document is attached.
  ComputeShowing(other, 5, 1);
  Analysis().RebuildCalcChannelMap();
  EXPECT_EQ(Analysis().CalcChannels(), (std::set<DWORD>{other}));
}

TEST_F(ChannelLimits, LabelsScaleByTheirPrefixAndCopyForeignTexts) {
  struct Case {
    const char16_t* prefix;
    double shown;
  } cases[] = {{u"", 2.0}, {u"m", 2000.0}, {u"k", 0.002}, {u"q", 2.0}};
  for (const Case& c : cases) {
    const Quor::String unit(u"s"), prefix(c.prefix);
    const PendrelLimitValueBlock block{kLimitValueKind, channel, 1, 2.0, unit.GetInterface(),
                                       prefix.GetInterface()};
    Analysis().SendToHost(kChannelLimitValueMsg, &block, sizeof block, 1);
    block.unit->Release();
    block.prefix->Release();
    const GraticuleLimits limits = ReadBack(channel);
    EXPECT_DOUBLE_EQ(limits.ShownValue(1), c.shown) << Quor::String(c.prefix).ToUtf8String();
    EXPECT_EQ(limits.line1Prefix, Quor::String(c.prefix));
    // The host kept its own copy: the label is not the sender's string.
    EXPECT_NE(limits.line1Unit.c_str(), unit.c_str());
  }
}

}  // namespace AnalysisDocumentTest
