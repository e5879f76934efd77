// What the host tells the analysis document about its data and its analysis manager, and what
// the document does with it: only a change that concerns the analysed data clears it.
#include <gtest/gtest.h>

#include "analysis/document/document_ids.h"
#include "analysis/messages/document_messages.h"
#include "analysis/tests/document/analysis_host.h"
#include "host/recording/synthetic_ecg.h"
#include "platform/pendrel/host_events.h"

namespace AnalysisDocumentTest {
namespace {

using Strings = std::vector<std::string>;

class DocumentNotifications : public AnalysisHost {
 protected:
  void SetUp() override {
    AnalysisHost::SetUp();
    AnalyseSecondRecord();
  }
  void AnalyseSecondRecord() {
    Open(TwoRecords());
    AcceptSyntheticBeats(Analysis().GetSettings());
    // The second record only.
    Analysis().GetSettings().source.selectionOnly = 1;
    Data().Selected().SelectRange({0, 1}, {5000, 1});
    Send(Rhyth::AnalyzeMsg::Id());
    ClearLog();
  }
  bool Analysed() { return Analysis().RegionIsSet(); }
};

TEST_F(DocumentNotifications, OnlyChangesOfTheAnalysedDataClearTheAnalysis) {
  struct Case {
    const char* what;
    DWORD event;
    std::initializer_list<DWORD> words;
    bool cleared;
  } cases[] = {
      {"the data changed, the region still valid", kDataEventChanged, {}, false},
      {"a range in an earlier record changed", kDataEventRangeChanged, {0, 0, 100, 0}, false},
      {"a range after the region changed", kDataEventRangeChanged, {4000, 1, 4500, 1}, true},
      {"a range in the region was deleted", kDataEventRangeDeleted, {100, 1, 200, 1}, true},
      {"another channel changed", kDataEventChannelChanged, {3}, false},
      {"the analysed channel was deleted", kDataEventChannelDeleted, {0}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AnalyseSecondRecord();
    Data().RaiseDataEvent(c.event, c.words);
    EXPECT_EQ(!Analysed(), c.cleared);
    EXPECT_EQ(Notices(), c.cleared ? (Strings{"start 5", "end 5"}) : Strings{});
  }
}

TEST_F(DocumentNotifications, ANewCalculationOfTheAnalysedChannelAnalysesAgain) {
  Data().RaiseDataEvent(kDataEventCalculationChanged, {0, 0xC0000000, 0, 0});
  EXPECT_EQ(Notices(), (Strings{"start 4", "end 4"}));
  ClearLog();
  Data().RaiseDataEvent(kDataEventCalculationChanged, {5, 0xC0000000, 0, 0});
  EXPECT_TRUE(Notices().empty());
}

TEST_F(DocumentNotifications, TheAnalysisManagerKnowsTheDocumentAndDrivesIt) {
  const auto& clients = hosted->Manager().Clients();
  ASSERT_EQ(clients.size(), 1u);
  const auto& [cookie, client] = *clients.begin();
  EXPECT_EQ(client.identifier, u"Rhyth");
  EXPECT_EQ(client.name, u"Rhyth");
  EXPECT_FALSE(client.stored);
  EXPECT_GE(client.changes, 1);  // the region it took

  hosted->AskClients(kManagerEventReportRegion);
  EXPECT_TRUE(client.hasRegion);
  EXPECT_EQ(client.startRecord, 1);
  EXPECT_EQ(client.endOffset, 5000);
  hosted->AskClients(kManagerEventAnalyse);
  EXPECT_EQ(Notices(), (Strings{"start 4", "end 4"}));
  hosted->AskClients(kManagerEventClear);
  EXPECT_FALSE(Analysed());

  // A document the manager no longer tracks is left alone.
  Send(Rhyth::AnalyzeMsg::Id());
  hosted->Manager().Forget(cookie);
  hosted->AskClients(kManagerEventClear);
  EXPECT_TRUE(Analysed());
}

}  // namespace
}  // namespace AnalysisDocumentTest
