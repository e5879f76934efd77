// The analysis menu as a person sees it in the host: its items in their places, each enabled,
// checked and named as the document's state rules answer, and the commands they run.
#include <gtest/gtest.h>

#include <map>

#include "analysis/document/document_ids.h"
#include "analysis/messages/document_messages.h"
#include "analysis/tests/document/analysis_host.h"
#include "host/framework/menu_commands.h"
#include "host/framework/menu_tree_text.h"

namespace AnalysisDocumentTest {
namespace {

using Strings = std::vector<std::string>;

class DocumentMenu : public AnalysisHost {
 protected:
  void SetUp() override {
    AnalysisHost::SetUp();
    Open(SyntheticRecording(20.0));
    AcceptSyntheticBeats(Analysis().GetSettings());
  }

  // The states of the items, in menu order: "+" enabled, "-" disabled, "v" checked.
  std::string States() {
    std::string states;
    for (const char* name : {"Settings", "ClassifierView", "Report", "AddMarker",
                             "RemoveMarker", "ShowMarkers", "AllBeatsNormal", "OnlineMode",
                             "Reselect", "ClearAnalysis", "Analyse"}) {
      const std::u16string path = u"Rhyth|" + std::u16string(name, name + strlen(name));
      for (const Tarn::MenuCommandState& state : Tarn::MenuCommandStates()) {
        if (state.path != path) continue;
        states += state.enabled ? "+" : "-";
        if (state.check) states += "v";
      }
      states += " ";
    }
    states.pop_back();
    return states;
  }
};

TEST_F(DocumentMenu, TheMenuHoldsItsItemsInTheirPlaces) {
  // Command words read by their number: the GUID's id is the host's business.
  Strings lines;
  for (std::string line : Tarn::MenuTreeLines()) {
    const std::size_t word = line.find("command=0x");
    if (word != std::string::npos) line.erase(word + 8, 6);
    lines.push_back(line);
  }
  EXPECT_EQ(lines, (Strings{
      R"(menu "Rhyth" parent="Rhyth" order=0:10000)",
      R"(item "Rhyth^EXTENSION|" command=0000 p1=0x0000001B text="Rhyth" order=0:2)",
      R"(item "Rhyth|Settings" command=0001 p1=0x0000001E text="&Settings..." anchor="settings")"
      R"( order=1003:10)",
      R"(separator "Rhyth|-" order=0:4)",
      R"(item "Rhyth|ClassifierView" command=0002 p1=0x00000021 text="&Beat Classifier View")"
      R"( anchor="views_analysis" order=1006:10)",
      R"(item "Rhyth|Report" command=0003 p1=0x00000024 text="&Report View")"
      R"( anchor="views_report" order=1007:10)",
      R"(item "Rhyth|AnalysisPlots|" command=0004 p1=0x00000027 text="Analysis Plots")"
      R"( anchor="windows_graphsmenu" order=1005:522)",
      R"(item "Rhyth|AnalysisPlots|Tachogram" command=0005 p1=0x0000002D)"
      R"( text="Tachogram Plot" order=0:8)",
      R"(item "Rhyth|AnalysisPlots|RRHistogram" command=0006 p1=0x00000030)"
      R"( text="RR Histogram Plot" order=0:9)",
      R"(item "Rhyth|AnalysisPlots|DeltaRRHistogram" command=0007 p1=0x00000033)"
      R"( text="Delta RR Histogram Plot" order=0:10)",
      R"(item "Rhyth|AnalysisPlots|Poincare" command=0008 p1=0x00000036)"
      R"( text="Poincaré Plot" order=0:11)",
      R"(item "Rhyth|AnalysisPlots|Spectrum" command=0009 p1=0x00000039)"
      R"( text="Power Spectrum Plot" order=0:12)",
      R"(separator "Rhyth|-" order=0:13)",
      R"(item "Rhyth|AddMarker" command=000A p1=0x0000003C text="&Add Beat Marker" order=0:14)",
      R"(item "Rhyth|RemoveMarker" command=000B p1=0x0000003F text="&Delete Beat Marker")"
      R"( order=0:15)",
      R"(item "Rhyth|ShowMarkers" command=000C p1=0x00000042 text="&Show Beat Markers")"
      R"( order=0:16)",
      R"(item "Rhyth|AllBeatsNormal" command=000D p1=0x00000045)"
      R"( text="Classify all Beats as Normal" order=0:17)",
      R"(separator "Rhyth|-" order=0:18)",
      R"(item "Rhyth|OnlineMode" command=000F p1=0x0000004A text="Analyze &while Sampling")"
      R"( order=0:19)",
      R"(separator "Rhyth|-" order=0:20)",
      R"(item "Rhyth|Reselect" command=0010 p1=0x0000004D text="Reselect Analyzed Data")"
      R"( order=0:21)",
      R"(item "Rhyth|ClearAnalysis" command=0011 p1=0x00000050 text="Clear Analysis")"
      R"( order=0:22)",
      R"(item "Rhyth|Analyse" command=0012 p1=0x0000002A text="Analyze" anchor="analyse")"
      R"( order=1004:10)",
  }));
}

// Settings, views, markers (add, delete, shown, all normal), sampling, reselect, clear, analyse.
TEST_F(DocumentMenu, EachItemIsEnabledByItsRule) {
  struct Case {
    const char* what;
    bool busy, analysed, canSample;
    const char* selection;  // "none", "range", "tick", "point", "channels"
    const char* states;
  } cases[] = {
      {"nothing analysed", false, false, false, "none", "+ + + - - +v - - - - +"},
      {"analysed, nothing selected", false, true, false, "none", "+ + + - - +v + - + + +"},
      {"a range selected", false, true, false, "range", "+ + + - + +v + - + + +"},
      {"one tick selected", false, true, false, "tick", "+ + + + + +v + - + + +"},
      {"a point selected", false, true, false, "point", "+ + + + - +v + - + + +"},
      {"whole channels selected", false, true, false, "channels", "+ + + - - +v + - + + +"},
      {"a recording that can sample", false, false, true, "none", "+ + + - - +v - + - - +"},
      {"the host busy", true, true, true, "range", "- + + - - -v - + - - -"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Open(SyntheticRecording(20.0));
    if (c.analysed) {
      ASSERT_EQ(Tarn::FireMenuCommand(u"Analyze Channel"), S_OK);
    }
    const std::string selection = c.selection;
    if (selection == "range" || selection == "channels") {
      Data().Selected().SelectRange({100, 0}, {200, 0});
    } else if (selection == "tick") {
      Data().Selected().SelectRange({100, 0}, {101, 0});
    } else if (selection == "point") {
      Data().Selected().SelectRange({100, 0}, {100, 0});
    }
    Data().Selected().SetChannelsOnly(selection == "channels");
    Data().Sampling().SetCanSample(c.canSample);
    Data().Sampling().SetBusy(c.busy);
    EXPECT_EQ(States(), c.states);
  }
}

TEST_F(DocumentMenu, TheAnalyseItemNamesWhatItAnalyses) {
  EXPECT_EQ(Tarn::FireMenuCommand(u"Analyze Selection"), E_INVALIDARG);
  Analysis().GetSettings().source.selectionOnly = 1;
  Data().Selected().SelectRange({0, 0}, {1000, 0});
  EXPECT_EQ(Tarn::FireMenuCommand(u"Analyze Selection"), S_OK);
  EXPECT_EQ(Analysis().GetSettings().analysis.region.endOffset, 1000);
  // The command never enabled has no item, and its id runs nothing.
  EXPECT_EQ(Tarn::FireMenuCommandId(Rhyth::CommandWord(14)), E_ACCESSDENIED);
}

TEST_F(DocumentMenu, ThePlotsPopupHoldsTheFivePlotsHoweverOftenItOpens) {
  const DWORD popup = Rhyth::CommandWord(4);
  Tarn::OpenPopup(popup);
  const std::vector<Tarn::PopupItem> items = Tarn::OpenPopup(popup);
  ASSERT_EQ(items.size(), 5u);
  const char16_t* texts[] = {u"Tachogram Plot", u"RR Histogram Plot", u"Delta RR Histogram Plot",
                             u"Poincaré Plot", u"Power Spectrum Plot"};
  for (DWORD i = 0; i < 5; ++i) {
    EXPECT_EQ(items[i].id, 5 + i);
    EXPECT_EQ(items[i].text, texts[i]);
  }
  EXPECT_EQ(Tarn::FirePopupItem(popup, 7), S_OK);
  // An item the popup never held: the document refuses it, and so the host's menu does.
  EXPECT_NE(Tarn::FirePopupItem(popup, 10), S_OK);
  EXPECT_EQ(Analysis().OnCommandNotify(popup, kCommandNotifyPopupItem, 10, 0), E_FAIL);
  EXPECT_EQ(Data().Log().ViewRequests(), std::vector<DWORD>{Rhyth::ViewTypeWord(4)});
}

TEST_F(DocumentMenu, ViewItemsAskTheHostForTheirViews) {
  for (const char16_t* item : {u"Beat Classifier View", u"Report View", u"Tachogram Plot",
                               u"RR Histogram Plot", u"Delta RR Histogram Plot",
                               u"Poincaré Plot", u"Power Spectrum Plot"}) {
    EXPECT_EQ(Tarn::FireMenuCommand(item), S_OK);
  }
  EXPECT_EQ(Data().Log().ViewRequests(),
            (std::vector<DWORD>{Rhyth::ViewTypeWord(5), Rhyth::ViewTypeWord(0),
                                Rhyth::ViewTypeWord(1), Rhyth::ViewTypeWord(3),
                                Rhyth::ViewTypeWord(4), Rhyth::ViewTypeWord(6),
                                Rhyth::ViewTypeWord(2)}));
}

TEST_F(DocumentMenu, TheToggleItemsFlipTheirSettingsThroughTheirMessages) {
  Data().Sampling().SetCanSample(true);
  EXPECT_EQ(Tarn::FireMenuCommand(u"Show Beat Markers"), S_OK);
  EXPECT_EQ(Tarn::FireMenuCommand(u"Analyze while Sampling"), S_OK);
  EXPECT_EQ(States(), "+ + + - - + - +v - - +");
  EXPECT_EQ(Data().Sinks().size(), 1u);
  EXPECT_EQ(Tarn::FireMenuCommand(u"Analyze while Sampling"), S_OK);
  EXPECT_TRUE(Data().Sinks().empty());
}

}  // namespace
}  // namespace AnalysisDocumentTest
