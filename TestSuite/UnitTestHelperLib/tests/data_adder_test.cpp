// The formula data adder as a device filling a document: what it describes to the document's
// sampling interface (sample periods, ranges), what the host records from its formulas, and
// how it adds ticks and answers for its length.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "TestSuite/UnitTestHelperLib/test_data_adder.h"
#include "TestSuite/UnitTestHelperLib/tests/self_test_host.h"
#include "TestSuite/UnitTestHelperLib/unit_test_exception.h"
#include "host/document/data_document.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A document that only keeps what a device describes to it and lets every record start.
class DescribedChannels final : public SimpleUnknownImp1<IPendrelSamplingSink, 0> {
 public:
  struct Description {
    DWORD channel;
    bool enabled;
    LONGLONG periodNumerator;
    LONGLONG periodDenominator;
    double high;
    double low;
  };

  HRESULT DescribeChannel(DWORD channel, VARIANT_BOOL enabled, LONGLONG periodNumerator,
                          LONGLONG periodDenominator, IUnitName*, double, double,
                          double rangeHigh, double rangeLow, IUnknown*,
                          IQuorChannelDataSource*) override {
    descriptions.push_back({channel, enabled != VARIANT_FALSE, periodNumerator,
                            periodDenominator, rangeHigh, rangeLow});
    return S_OK;
  }
  HRESULT CanSample(VARIANT_BOOL* canSample, IQuorString** text) override {
    *canSample = VARIANT_TRUE;
    *text = nullptr;
    return S_OK;
  }
  HRESULT PrepareSampling(DWORD) override { return S_OK; }
  HRESULT StartSampling(IQuorChannelDataSource*, double, double, DWORD, VARIANT_BOOL) override {
    return S_OK;
  }
  HRESULT TicksAvailable(LONG) override { return S_OK; }
  HRESULT EndSampling(DWORD, DWORD* result) override {
    *result = 0;
    return S_OK;
  }
  HRESULT StopSampling(VARIANT_BOOL) override { return S_OK; }

  std::vector<Description> descriptions;
};

// The failure text of what `action` throws; empty when it throws nothing.
template <class Action>
std::string FailureOf(Action action) {
  try {
    action();
  } catch (const UnitTestException& failure) {
    return failure.Text().ToUtf8String();
  }
  return {};
}

const PendrelHost::Recording& RecordingOf(FormulaDataAdder& adder) {
  PendrelHost::DataDocument* document = PendrelHost::AsDataDocument(adder.Document());
  EXPECT_NE(document, nullptr);
  return document->Source();
}

bool AllSamplesAre(const PendrelHost::Recording& recording, std::size_t channel, float value) {
  for (float sample : recording.Samples(0, channel)) {
    if (sample != value) return false;
  }
  return true;
}

TEST(DataAdder, DescribesEachChannelsPeriodAsTheRationalOfItsRateAndItsRange) {
  struct Case {
    double rate;
    DWORD flags;
    LONGLONG numerator;
    LONGLONG denominator;
    double high;
  };
  // A fractional rate keeps its fraction; a rate below 1 gives a period above a second.
  const Case cases[] = {
      {1000.0, DataAdderBase::kTenVoltRange, 1, 1000, 10.0},
      {250.5, 0, 2, 501, kInfinity},
      {0.5, DataAdderBase::kTenVoltRange | 1u, 2, 1, 10.0},
      {3.0, 0x7FFFFFFFu, 1, 3, kInfinity},
  };
  Quor::ComPtr<DescribedChannels> document(new DescribedChannels);
  Quor::ComPtr<FormulaDataAdder> adder(new FormulaDataAdder(document.Get()));
  std::vector<Quor::String> formulas;
  std::vector<double> rates;
  std::vector<DWORD> flags;
  for (const Case& c : cases) {
    formulas.emplace_back(u"1");
    rates.push_back(c.rate);
    flags.push_back(c.flags);
  }
  adder->SetChannelFlags(flags);
  adder->StartRecord(formulas, 100, rates, 1.0);
  ASSERT_EQ(document->descriptions.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& described = document->descriptions[i];
    EXPECT_EQ(described.channel, i);
    EXPECT_TRUE(described.enabled) << i;
    EXPECT_EQ(described.periodNumerator, cases[i].numerator) << cases[i].rate;
    EXPECT_EQ(described.periodDenominator, cases[i].denominator) << cases[i].rate;
    EXPECT_EQ(described.high, cases[i].high) << i;
    EXPECT_EQ(described.low, -cases[i].high) << i;
  }
  adder->StopSampling();
}

TEST(DataAdder, RefusesARateThatIsNotPositiveAndFinite) {
  for (double rate : {0.0, -1000.0, std::nan(""), kInfinity, -kInfinity}) {
    // Alone it cannot set the record's tick rate; beside a good channel it is not described.
    Quor::ComPtr<DescribedChannels> document(new DescribedChannels);
    Quor::ComPtr<FormulaDataAdder> adder(new FormulaDataAdder(document.Get()));
    EXPECT_NE(FailureOf([&] { adder->StartRecord({u"1"}, 100, rate, 1.0); }), "") << rate;
    EXPECT_TRUE(document->descriptions.empty()) << rate;

    document = Quor::ComPtr<DescribedChannels>(new DescribedChannels);
    adder = Quor::ComPtr<FormulaDataAdder>(new FormulaDataAdder(document.Get()));
    const std::string failure =
        FailureOf([&] { adder->StartRecord({u"1", u"2"}, 100, {1000.0, rate}, 1.0); });
    EXPECT_NE(failure.find("[rate>0]"), std::string::npos) << rate << ": " << failure;
    EXPECT_EQ(document->descriptions.size(), 1u) << rate;
  }
}

TEST(DataAdder, WithoutExpressionsRecordsOneChannelOfOneAtAThousand) {
  SelfTestHost::Start();
  Quor::ComPtr<FormulaDataAdder> adder(new FormulaDataAdder);
  adder->AddRecord({}, 300, std::vector<double>{}, 0.0);
  const PendrelHost::Recording& recording = RecordingOf(*adder.Get());
  EXPECT_EQ(recording.SampleRate(), 1000.0);
  ASSERT_EQ(recording.ChannelCount(), 1u);
  ASSERT_EQ(recording.RecordCount(), 1u);
  EXPECT_EQ(recording.TickCount(0), 300);
  EXPECT_TRUE(AllSamplesAre(recording, 0, 1.0f));
}

TEST(DataAdder, AChannelBeyondTheFormulasReadsZero) {
  SelfTestHost::Start();
  Quor::ComPtr<FormulaDataAdder> adder(new FormulaDataAdder);
  adder->SetChannels({u"2", u"3"}, 200, {1000.0, 1000.0});
  // Only a refused set of channels leaves fewer formulas than rates.
  EXPECT_NE(FailureOf([&] { adder->SetChannels({u"2"}, 200, {1000.0, 1000.0}); })
                .find("[mExpressions.size() == mSampleRates.size()]"),
            std::string::npos);
  adder->StartSampling(0.0);
  adder->AddTicks(200);
  adder->StopSampling();
  const PendrelHost::Recording& recording = RecordingOf(*adder.Get());
  ASSERT_EQ(recording.ChannelCount(), 2u);
  EXPECT_EQ(recording.TickCount(0), 200);
  EXPECT_TRUE(AllSamplesAre(recording, 0, 2.0f));
  EXPECT_TRUE(AllSamplesAre(recording, 1, 0.0f));
}

TEST(DataAdder, AddsTicksOnlyWhileARecordIsOpenAndNoMoreThanItHolds) {
  SelfTestHost::Start();
  Quor::ComPtr<FormulaDataAdder> adder(new FormulaDataAdder);
  LONGLONG length = 0;
  EXPECT_EQ(adder->GetLength(nullptr), E_POINTER);
  EXPECT_EQ(adder->GetLength(&length), S_OK);
  EXPECT_EQ(length, 10240);
  EXPECT_NE(FailureOf([&] { adder->AddTicks(10); }).find("[mSink]"), std::string::npos);

  adder->StartRecord({u"1"}, 100, 1000.0, 0.0);
  EXPECT_EQ(adder->GetLength(&length), S_OK);
  EXPECT_EQ(length, 100);
  // Each step says how far the record has come.
  const std::pair<LONG, LONG> steps[] = {{60, 60}, {100, 100}, {5, 100}, {-3, 100}};
  for (const auto& [ticks, added] : steps) {
    adder->AddTicks(ticks);
    EXPECT_EQ(adder->TicksAdded(), added) << ticks;
  }
  adder->StopSampling();
  EXPECT_EQ(RecordingOf(*adder.Get()).TickCount(0), 100);
  EXPECT_NE(FailureOf([&] { adder->AddTicks(1); }).find("[mSink]"), std::string::npos);
}

}  // namespace
