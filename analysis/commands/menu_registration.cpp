// The analysis menu: one menu under the module's top menu with eighteen commands, registered
// in a fixed order when the host initialises the document class. Each item is made through the
// host's menu service, its command routed through the class's command service entry, and the
// item let go.
#include "analysis/document/document.h"
#include "analysis/document/document_ids.h"
#include "analysis/module_strings.h"
#include "hostframework/menu_service.h"

namespace Rhyth {

namespace {

// Placements of the items inserted at host anchors, and their low order words.
constexpr WORD kPlaceSettings = 1003;
constexpr WORD kPlaceAnalyse = 1004;
constexpr WORD kPlacePlots = 1005;
constexpr WORD kPlaceClassifier = 1006;
constexpr WORD kPlaceReport = 1007;
constexpr WORD kItemFlags = 10;
constexpr WORD kPopupFlags = 522;

struct MenuRegistration {
  TarnCommandHolder& holder;

  void Item(const char16_t* path, DWORD n, UINT textId) {
    const DWORD command = CommandWord(n);
    Quor::ComPtr<ITarnMenuItem> item;
    TarnMenuService::AddCommand(item, textId, 0, &command, path, ModuleString(textId));
    holder.AddCommand(command);
  }
  void Inserted(const char16_t* path, DWORD n, UINT textId, const char16_t* anchor,
                WORD placement, WORD flags) {
    const DWORD command = CommandWord(n);
    Quor::ComPtr<ITarnMenuItem> item;
    TarnMenuService::InsertMenuItem(item, textId, &command, path, 2, 0, Quor::String(),
                                    ModuleString(textId), anchor, flags, placement);
    holder.AddCommand(command);
  }
  void Separator() {
    Quor::ComPtr<ITarnMenuItem> item;
    TarnMenuService::AddCommand(item, 0, 0, nullptr, u"Rhyth|-");
  }
};

}  // namespace

void Document::RegisterCommands(TarnCommandHolder& holder) {
  Quor::ComPtr<ITarnMenuItem> top;
  TarnMenuService::CreateTopMenu(top, u"Rhyth", u"Rhyth");
  top.Clear();
  MenuRegistration menu{holder};
  menu.Item(u"Rhyth^EXTENSION|", 0, 27);
  menu.Inserted(u"Rhyth|Settings", 1, 30, u"settings", kPlaceSettings, kItemFlags);
  menu.Separator();
  menu.Inserted(u"Rhyth|ClassifierView", 2, 33, u"views_analysis", kPlaceClassifier, kItemFlags);
  menu.Inserted(u"Rhyth|Report", 3, 36, u"views_report", kPlaceReport, kItemFlags);
  menu.Inserted(u"Rhyth|AnalysisPlots|", 4, 39, u"windows_graphsmenu", kPlacePlots, kPopupFlags);
  menu.Item(u"Rhyth|AnalysisPlots|Tachogram", 5, 45);
  menu.Item(u"Rhyth|AnalysisPlots|RRHistogram", 6, 48);
  menu.Item(u"Rhyth|AnalysisPlots|DeltaRRHistogram", 7, 51);
  menu.Item(u"Rhyth|AnalysisPlots|Poincare", 8, 54);
  menu.Item(u"Rhyth|AnalysisPlots|Spectrum", 9, 57);
  menu.Separator();
  menu.Item(u"Rhyth|AddMarker", 10, 60);
  menu.Item(u"Rhyth|RemoveMarker", 11, 63);
  menu.Item(u"Rhyth|ShowMarkers", 12, 66);
  menu.Item(u"Rhyth|AllBeatsNormal", 13, 69);
  menu.Separator();
  menu.Item(u"Rhyth|OnlineMode", 15, 74);
  menu.Separator();
  menu.Item(u"Rhyth|Reselect", 16, 77);
  menu.Item(u"Rhyth|ClearAnalysis", 17, 80);
  menu.Inserted(u"Rhyth|Analyse", 18, 42, u"analyse", kPlaceAnalyse, kItemFlags);
}

}  // namespace Rhyth
