// A module's calculated event enumerator class called by a formula: found by its class object's
// name, given the formula's numbers as its parameter text, started on each record with the
// host's own enumerators over the channel arguments, and read through its IEnumEventEx.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "host/tests/document/document_test_support.h"
#include "host/tests/document/reference_maxima_enumerator.h"
#include "host/tests/document/test_recordings.h"
#include "hostframework/extlib/arithmetic_channel_manager.h"
#include "hostframework/host_services.h"

namespace DocumentTest {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class EnumeratorClass : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    ASSERT_EQ(GetTarnClassRegistry()->RegisterClassObject(ClassObjectOf(TheReferenceMaximaClass())),
              S_OK);
  }

  // The events of a channel defined through the module's channel manager.
  std::vector<ReferenceMaximum> Maxima(const std::u16string& formula) {
    EXPECT_TRUE(manager.SetChannel(u"Max", formula, u"mV"));
    PendrelChannelRef channel = kNoChannel;
    EXPECT_TRUE(manager.LookupChannel(u"Max", &channel));
    std::vector<ReferenceMaximum> maxima;
    IUnknown* opened = nullptr;
    if (FAILED(Face<IPendrelDataSource>(document.get())
                   ->OpenEventEnumerator(channel, 0, 0, kRecordEndOffset, kEventKindExtended,
                                         &opened))) {
      return maxima;
    }
    HeldReference<IUnknown> held(opened);
    auto events = Face<IEnumEventEx>(opened);
    DWORD size = 0;
    EXPECT_EQ(events->GetEventSize(&size), S_OK);
    EXPECT_EQ(size, sizeof(ReferenceMaximum));
    ReferenceMaximum buffer[2];
    for (int fetched = 0;;) {
      LONG next = 0;
      const HRESULT hr = events->Next(sizeof buffer, kRecordEndOffset, buffer, &fetched, &next);
      maxima.insert(maxima.end(), buffer, buffer + fetched);
      if (hr != S_OK) return maxima;
    }
  }
  static std::vector<LONG> Ticks(const std::vector<ReferenceMaximum>& maxima) {
    std::vector<LONG> ticks;
    for (const ReferenceMaximum& maximum : maxima) ticks.push_back(maximum.tick);
    return ticks;
  }
  std::string Failure() {
    auto* data = PendrelHost::AsDataDocument(document.get());
    return data->Channels().Failure(*data->Channels().Find("Max")).value_or("(no failure)");
  }

  HeldReference<IUnknown> document = PendrelHost::OpenDocument(SmallRecording());
  ExtLib::ArithmeticChannelManager manager{document.get()};
};

TEST_F(EnumeratorClass, AFormulaCallsTheClassByItsNameInAnyCase) {
  const std::vector<ReferenceMaximum> maxima = Maxima(u"refmax(ECG, Marks, 0.1)");
  EXPECT_THAT(Ticks(maxima), ElementsAre(49, 99, 149));
  for (const ReferenceMaximum& maximum : maxima) EXPECT_NEAR(maximum.value, 0.49, 1e-6);
  EXPECT_EQ(maxima[1].reference, 95);
  EXPECT_EQ(LastCreationText(TheReferenceMaximaClass()), u"0 0.1");
}

TEST_F(EnumeratorClass, TheNumbersAfterTheChannelsAreItsParameterText) {
  const struct {
    std::u16string formula, text;
    std::vector<LONG> ticks;
  } cases[] = {
      {u"RefMax(ECG, Marks, 0.02)", u"0 0.02", {46, 96, 146}},
      // The limit range: events from tick 96 of record 0 on.
      {u"RefMax(ECG, Marks, 0.1, 0, 96, -1, -1)", u"0 0.1 0 96 -1 -1", {99, 149}},
      {u"RefMax(ECG, Marks, 0.1, 0, 0, 0, 2147483647)", u"0 0.1 0 0 0 2147483647", {49, 99, 149}},
      {u"RefMax(ECG * 2, Marks, 1 / 10, 0, 100 - 4, -1, -1)", u"0 0.1 0 96 -1 -1", {99, 149}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Tarn::Utf8(c.formula));
    EXPECT_THAT(Ticks(Maxima(c.formula)), ElementsAreArray(c.ticks));
    EXPECT_EQ(LastCreationText(TheReferenceMaximaClass()), c.text);
  }
}

TEST_F(EnumeratorClass, ItsSourcesLeadItToTheDocumentsChildData) {
  EXPECT_EQ(Maxima(u"RefMax(ECG, Marks, 0.1)").at(0).childDataSeen, 0u);
  HeldReference<IPendrelDataChildData> probe(new ProbeChildData);
  EXPECT_EQ(Face<IPendrelChildDataContainer>(document.get())
                ->SetChildData(kProbeChildDataType, probe.get()),
            S_OK);
  // The channel computes again when the module resets it.
  EXPECT_TRUE(manager.ResetChannel(u"Max", false));
  for (const ReferenceMaximum& maximum : Maxima(u"")) EXPECT_EQ(maximum.childDataSeen, 1u);
}

TEST_F(EnumeratorClass, AChannelThatCannotUseItFailsWithTheReason) {
  const struct {
    std::u16string formula;
    std::string failure;
  } cases[] = {
      {u"RefMax(ECG, Marks, -1)",
       "RefMax (RefMax): the enumerator refused the parameters \"0 -1\" (0x80070057)"},
      {u"RefMax(ECG, Marks, 0)",
       "RefMax (RefMax): the enumerator refused the parameters \"0 0\" (0x80070057)"},
      {u"RefMax(0.1, ECG)", "RefMax (RefMax): argument 2 must be a number, not a sampled channel"},
      {u"RefMaxima(ECG, Marks, 0.1)", "unknown function 'RefMaxima'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Tarn::Utf8(c.formula));
    EXPECT_TRUE(Maxima(c.formula).empty());
    EXPECT_EQ(Failure(), c.failure);
  }
  // Once the module revokes the class, formulas no longer find it.
  GetTarnClassRegistry()->RevokeClassObject(ClassObjectOf(TheReferenceMaximaClass()));
  EXPECT_TRUE(Maxima(u"RefMax(ECG, Marks, 0.1)").empty());
  EXPECT_EQ(Failure(), "unknown function 'RefMax'");
}

}  // namespace
}  // namespace DocumentTest
