// The arithmetic calculation and its settings: made by the class registry, bound to one channel
// by the document, and the channel computing what their formula says.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "host/tests/document/document_test_support.h"
#include "host/tests/document/test_recordings.h"
#include "hostframework/extlib/host_queries.h"
#include "hostframework/host_services.h"
#include "platform/pendrel/framework_ids.h"

namespace DocumentTest {
namespace {

using ::testing::FloatNear;
using ::testing::Pointwise;

template <class I>
HeldReference<I> Create(DWORD type, HRESULT expected = S_OK) {
  void* object = nullptr;
  EXPECT_EQ(GetTarnClassRegistry()->CreateObject(type, I::iid, &object), expected);
  return HeldReference<I>(static_cast<I*>(object));
}

HeldReference<IPendrelArithmeticSettings> Settings(const std::u16string& formula,
                                                   const std::u16string& unit) {
  auto settings = Create<IPendrelArithmeticSettings>(ExtLib::GetArithmeticSettingsTypeId());
  EXPECT_EQ(settings->SetTexts(Text(formula).get(), Text(unit).get(), 0), S_OK);
  return settings;
}

class Calculations : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    IQuorString* name = nullptr;
    channels->AddChannel(0, VARIANT_FALSE, Text(u"Doubled").get(), &name, &doubled);
    Adopt(name);
  }

  HRESULT Bind(IPendrelCalculation* calculation, DWORD index) {
    return data->SetCalculation(index, 0xC0000000, calculation);
  }
  // The first samples of the channel, or nothing when it cannot be read.
  std::vector<float> Samples(PendrelChannelRef channel, int count = 3) {
    IEnumFloatEx* opened = nullptr;
    if (FAILED(
            Face<IPendrelDataSource>(document.get())->OpenFloatEnumerator(channel, 0, 1, &opened)))
      return {};
    HeldReference<IEnumFloatEx> samples(opened);
    std::vector<float> values(std::size_t(count), 0.0f);
    int fetched = 0;
    samples->Next(count, values.data(), &fetched);
    values.resize(std::size_t(fetched));
    return values;
  }

  HeldReference<IUnknown> document = PendrelHost::OpenDocument(SmallRecording());
  HeldReference<IPendrelArithmeticChannels> channels =
      Face<IPendrelArithmeticChannels>(document.get());
  HeldReference<IPendrelChannelData> data = Face<IPendrelChannelData>(document.get());
  PendrelChannelRef doubled = kNoChannel;
};

TEST_F(Calculations, TheClassRegistryMakesTheCalculationAndItsSettingsByTheirTypeWords) {
  const DWORD type = ExtLib::GetArithmeticCalcTypeId();
  EXPECT_EQ(type & 0xFFFF, 0u);
  EXPECT_EQ(type >> 16, GetTarnGuidId(GUID_TarnArithmetic));
  auto calculation = Create<IPendrelCalculation>(type);
  DWORD answered = 0;
  EXPECT_EQ(calculation->GetTypeId(&answered), S_OK);
  EXPECT_EQ(answered, type);

  auto settings = Settings(u"Ch1 * 2", u"mV");
  IQuorString* text = nullptr;
  EXPECT_EQ(settings->GetFormula(&text), S_OK);
  EXPECT_EQ(Adopt(text), u"Ch1 * 2");
  EXPECT_EQ(settings->GetUnit(&text), S_OK);
  EXPECT_EQ(Adopt(text), u"mV");

  Create<IUnknown>(type | 2, REGDB_E_CLASSNOTREG);
  void* aggregated = nullptr;
  EXPECT_EQ(GetTarnClassRegistry()->CreateAggregatedObject(document.get(), type, IID_IUnknown,
                                                           &aggregated),
            CLASS_E_NOAGGREGATION);
}

TEST_F(Calculations, ABoundCalculationGivesItsChannelTheFormulaItTakes) {
  IUnknown* none = document.get();
  EXPECT_EQ(data->GetCalculation(doubled.index, doubled.kind, &none), S_FALSE);
  EXPECT_EQ(none, nullptr);

  // Settings taken before the channel is known are the channel's once it is bound.
  auto calculation = Create<IPendrelCalculation>(ExtLib::GetArithmeticCalcTypeId());
  EXPECT_EQ(calculation->TakeSettings(Settings(u"ECG * 2", u"mV").get(), -1), S_OK);
  EXPECT_EQ(Samples(doubled), std::vector<float>{});
  EXPECT_EQ(Bind(calculation.get(), doubled.index), S_OK);
  EXPECT_THAT(Samples(doubled),
              Pointwise(FloatNear(1e-6f), std::vector<float>{0.02f, 0.04f, 0.06f}));
  IUnknown* held = nullptr;
  EXPECT_EQ(data->GetCalculation(doubled.index, doubled.kind, &held), S_OK);
  EXPECT_EQ(HeldReference<IUnknown>(held).get(), Face<IUnknown>(calculation.get()).get());

  EXPECT_EQ(calculation->TakeSettings(Settings(u"ECG * 3", u"V").get(), -1), S_OK);
  EXPECT_THAT(Samples(doubled),
              Pointwise(FloatNear(1e-6f), std::vector<float>{0.03f, 0.06f, 0.09f}));
  IQuorString* unit = nullptr;
  EXPECT_EQ(data->GetChannelUnit(doubled.index, &unit), S_OK);
  EXPECT_EQ(Adopt(unit), u"V");

  // A formula that does not parse is refused and the channel keeps the one it had.
  EXPECT_EQ(calculation->TakeSettings(Settings(u"ECG * (3", u"V").get(), -1), E_INVALIDARG);
  EXPECT_THAT(Samples(doubled),
              Pointwise(FloatNear(1e-6f), std::vector<float>{0.03f, 0.06f, 0.09f}));
  EXPECT_EQ(calculation->TakeSettings(Face<IUnknown>(document.get()).get(), -1), E_NOINTERFACE);
  EXPECT_EQ(calculation->TakeSettings(nullptr, -1), E_POINTER);
}

TEST_F(Calculations, ACalculationServesOneChannelAndOnlyComputedOnes) {
  auto calculation = Create<IPendrelCalculation>(ExtLib::GetArithmeticCalcTypeId());
  EXPECT_EQ(Bind(calculation.get(), doubled.index), S_OK);
  EXPECT_EQ(Bind(calculation.get(), doubled.index), S_OK);
  IQuorString* name = nullptr;
  PendrelChannelRef other = kNoChannel;
  channels->AddChannel(0, VARIANT_FALSE, Text(u"Other").get(), &name, &other);
  Adopt(name);
  EXPECT_EQ(Bind(calculation.get(), other.index), E_INVALIDARG);
  EXPECT_EQ(Bind(calculation.get(), 0), E_INVALIDARG);
  EXPECT_EQ(Bind(calculation.get(), 99), E_INVALIDARG);
  EXPECT_EQ(data->SetCalculation(other.index, other.kind, Face<IUnknown>(document.get()).get()),
            E_NOINTERFACE);

  // Replaced, it no longer reaches the channel; a new one does.
  auto second = Create<IPendrelCalculation>(ExtLib::GetArithmeticCalcTypeId());
  second->TakeSettings(Settings(u"Resp + 1", u"").get(), -1);
  EXPECT_EQ(Bind(second.get(), doubled.index), S_OK);
  EXPECT_EQ(calculation->TakeSettings(Settings(u"ECG", u"").get(), -1), S_OK);
  EXPECT_THAT(Samples(doubled), Pointwise(FloatNear(1e-6f), std::vector<float>{2.0f, 2.0f, 2.0f}));
  EXPECT_EQ(Bind(calculation.get(), other.index), S_OK);
  EXPECT_THAT(Samples(other), Pointwise(FloatNear(1e-6f), std::vector<float>{0.01f, 0.02f, 0.03f}));
}

TEST_F(Calculations, ChannelNumbersNameEveryChannelOfTheDocument) {
  auto calculation = Create<IPendrelCalculation>(ExtLib::GetArithmeticCalcTypeId());
  EXPECT_EQ(calculation->TakeSettings(Settings(u"Ch1 * 2", u"").get(), -1), S_OK);
  EXPECT_EQ(Bind(calculation.get(), doubled.index), S_OK);
  // As the module writes a reference to a channel: Ch and its index + 1.
  IQuorString* name = nullptr;
  PendrelChannelRef quadrupled = kNoChannel;
  channels->AddChannel(0, VARIANT_FALSE, Text(u"Quadrupled").get(), &name, &quadrupled);
  Adopt(name);
  auto second = Create<IPendrelCalculation>(ExtLib::GetArithmeticCalcTypeId());
  ASSERT_EQ(doubled.index, 3u);
  EXPECT_EQ(second->TakeSettings(Settings(u"Ch4 * 2", u"").get(), -1), S_OK);
  EXPECT_EQ(Bind(second.get(), quadrupled.index), S_OK);
  EXPECT_THAT(Samples(quadrupled),
              Pointwise(FloatNear(1e-6f), std::vector<float>{0.04f, 0.08f, 0.12f}));

  // Ch3 is the event channel, which takes no part in arithmetic; there is no Ch9.
  auto* document = PendrelHost::AsDataDocument(this->document.get());
  for (const auto& [formula, failure] :
       {std::pair{u"Ch3 * 2", "an event channel cannot take part in arithmetic ('*')"},
        std::pair{u"RCh9", "RCh9: the document has no channel 9"}}) {
    EXPECT_EQ(second->TakeSettings(Settings(formula, u"").get(), -1), S_OK);
    EXPECT_EQ(document->Channels().Failure(1), failure);
  }
}

TEST_F(Calculations, ACalculationOutlivingItsDocumentReachesNothing) {
  auto calculation = Create<IPendrelCalculation>(ExtLib::GetArithmeticCalcTypeId());
  EXPECT_EQ(Bind(calculation.get(), doubled.index), S_OK);
  data.reset();
  channels.reset();
  document.reset();
  EXPECT_EQ(calculation->TakeSettings(Settings(u"ECG", u"").get(), -1), S_OK);
  EXPECT_EQ(calculation->Reset(), S_OK);
}

}  // namespace
}  // namespace DocumentTest
