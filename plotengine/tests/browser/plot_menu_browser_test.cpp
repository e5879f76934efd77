// The scale menu of the real plot window over a document that keeps its state messages: the
// menu under a scale's button with its items, its commands in the page and with the document,
// the scale range dialog once the menu has closed, the browser's own popups, and a document
// without the store.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/locale_info.h"
#include "hostframework/this_module.h"
#include "platform/win32/menus.h"
#include "platform/win32/message_box.h"
#include "platform/win32/message_queue.h"
#include "platform/win32/monitors.h"
#include "plotengine/plot_window/etch_plot_win.h"
#include "plotengine/tasks/persist_records.h"
#include "plotengine/tests/browser/plot_call_reading.h"
#include "plotengine/tests/browser/plot_script_fixture.h"
#include "plotengine/tests/fake_float_series.h"
#include "plotengine/tests/fake_plot_document.h"

HMODULE PlotBrowserTestModuleResources();

namespace Quor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Scales from 0 to 100 over a series from 20 to 60.
const char kMenuPlotMarkup[] =
    "topmargin: 10, rightmargin: 10, xscalemin: 0, xscalemax: 100, yscalemin: 0, yscalemax: 100, "
    "tplot: {ydata: '$rising' [0:1:end], xdata: [10:1:end], colour: #ff0000ff}";

constexpr UINT kGrey = MF_GRAYED | MF_DISABLED;

std::string Text(const std::u16string& text) { return String(text).ToUtf8String(); }

class PlotMenuInBrowser : public PlotScriptsInBrowser {
 protected:
  using FakePlotDocumentPtr = std::unique_ptr<plotengine_test::FakePlotDocument>;
  static FakePlotDocumentPtr Keeping() { return std::make_unique<plotengine_test::FakePlotDocument>(true); }

  void SetUp() override {
    PlotScriptsInBrowser::SetUp();
    if (IsSkipped()) return;
    ExtLib::SetThisModule(PlotBrowserTestModuleResources());
    LocaleInfo::Instance();  // may tell of the machine's locale once
    win32::ClearShownMenusAndShellRequests();
    win32::ClearShownMessageBoxes();
    win32::ClearQueuedMessageBoxAnswers();
  }
  void TearDown() override {
    page = nullptr;
    window.reset();
    win32::ClearShownMenusAndShellRequests();
    win32::ClearQueuedMessageBoxAnswers();
    ExtLib::SetThisModule(nullptr);
    PlotScriptsInBrowser::TearDown();
  }

  // The plot window over `document`, bound to it, showing the rising series.
  void Open(FakePlotDocumentPtr made) {
    document = std::move(made);
    window = std::make_unique<EtchPlotWin>(document.get());
    window->CreatePersistTask(u"rhyth_tachogram_view");
    ASSERT_TRUE(window->Create(parent, RECT{0, 0, 640, 480}));
    page = window->Browser();
    ASSERT_EQ(page->RegisterScriptObject(reporter), S_OK);
    InstallProbe();
    std::vector<double> rising;
    for (int i = 0; i <= 40; ++i) rising.push_back(20 + i);
    IEnumFloatEx* series = plotengine_test::FakeFloatSeries::Make(rising);
    window->GetProxy()->SetData(u"$rising", series);
    series->Release();
    ASSERT_TRUE(window->SetMarkup(String::FromUtf8(kMenuPlotMarkup)));
    WaitForPaint();
    // From here on the page tells of each markup and each closed menu, in order.
    ASSERT_TRUE(Script(
        "(function () {"
        "  var plot = etch.get_plot('local'), setMarkup = plot.set_markup;"
        "  plot.set_markup = function (m) { test.report('markup ' + m); return setMarkup.call(plot, m); };"
        "  var scale = plot.get_scales()[2], menuClosed = scale.menu_closed;"
        "  scale.menu_closed = function (x, y) { test.report('closed'); return menuClosed.call(scale, x, y); };"
        "})();"));
  }
  HWND BrowserWindow() const { return window->GetBrowserWindow(); }

  // The page box of the vertical scale's menu button: [left, top, right, bottom].
  std::vector<double> MenuButton() {
    return ReadNumbers(Ask("var b = etch.get_plot('local').get_scales()[2].buttons.menu.box();"
                           "test.report('box [' + b + ']');",
                           "box "));
  }
  // A click on the vertical scale's menu button; then what the menu posted is handled.
  void ClickMenuButton() {
    const std::vector<double> box = MenuButton();
    Click((box[0] + box[2]) / 2, (box[1] + box[3]) / 2);
    DispatchPosted();
  }
  // Handles the messages posted to this thread (the menu's command, the dialog's opening).
  void DispatchPosted() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    RunInPage("0");
  }
  std::vector<double> Range(int scale) {
    return ReadNumbers(Ask("var s = etch.get_plot('local').get_scales()[" + std::to_string(scale) +
                               "]; test.report('range [' + [s.min, s.max] + ']');",
                           "range "));
  }
  // The page's reports of markup and closed menus since the last look.
  std::vector<std::string> Told() {
    RunInPage("0");
    std::vector<std::string> told;
    for (const std::string& report : TakeReports()) {
      if (report.rfind("markup ", 0) == 0 || report == "closed") told.push_back(report);
    }
    return told;
  }
  static std::vector<double> RangeOf(const plotengine_test::SentRange& sent) {
    return {sent.min, sent.max};
  }

  FakePlotDocumentPtr document;
  std::unique_ptr<EtchPlotWin> window;
};

TEST_F(PlotMenuInBrowser, TheMenuButtonShowsTheScaleMenuUnderItself) {
  Open(Keeping());
  const std::vector<double> box = MenuButton();
  ClickMenuButton();
  const auto shown = win32::ShownPopupMenus();
  ASSERT_EQ(shown.size(), 1u);
  const win32::ShownPopupMenu& menu = shown[0];
  EXPECT_EQ(menu.flags, 0x48u);
  EXPECT_EQ(menu.owner, BrowserWindow());
  POINT topLeft{int(box[0]), int(box[1])}, bottomRight{int(box[2]), int(box[3])};
  ClientToScreen(BrowserWindow(), &topLeft);
  ClientToScreen(BrowserWindow(), &bottomRight);
  EXPECT_EQ(menu.point.x, bottomRight.x);
  EXPECT_EQ(menu.point.y, bottomRight.y);
  EXPECT_EQ(menu.exclude.left, topLeft.x);
  EXPECT_EQ(menu.exclude.top, topLeft.y);
  EXPECT_EQ(menu.exclude.right, bottomRight.x);
  EXPECT_EQ(menu.exclude.bottom, bottomRight.y);

  struct Item {
    UINT id;
    std::u16string text;
    UINT state;
  };
  const Item expected[] = {{113, u"Auto Scale", 0}, {127, u"Unipolar", 0}, {131, u"Bipolar", 0},
                           {137, u"Invert Scale and Data", kGrey}, {139, u"Set Scale...", 0}};
  ASSERT_EQ(menu.items.size(), std::size(expected));
  for (std::size_t i = 0; i < menu.items.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(menu.items[i].id, expected[i].id);
    EXPECT_EQ(menu.items[i].text, expected[i].text);
    EXPECT_EQ(menu.items[i].flags & (kGrey | MF_CHECKED), expected[i].state);
  }
  // The menu closed: the page let go of the button.
  EXPECT_THAT(Told(), ElementsAre("closed"));
}

TEST_F(PlotMenuInBrowser, AFirstRequestSeedsTheStoredRangeAndASecondLeavesIt) {
  Open(Keeping());
  ClickMenuButton();
  ASSERT_EQ(document->ranges.size(), 1u);
  EXPECT_EQ(document->ranges[0].type, EtchYScalingMsgType::Id());
  // The page auto-scaled to the data, as nothing was stored.
  EXPECT_EQ(RangeOf(document->ranges[0]), (std::vector<double>{20, 60}));

  // The page's range moves; the stored one stays.
  ASSERT_TRUE(Script("etch.get_plot('local').get_scales()[2].zoom(0.5);"));
  EXPECT_TRUE(NumbersNear(Range(2), {30, 50}, 1e-9));
  document->ranges.clear();
  ClickMenuButton();
  EXPECT_EQ(window->YScale()->GetMin(), 20);
  EXPECT_EQ(window->YScale()->GetMax(), 60);
  EXPECT_THAT(document->ranges, IsEmpty());
}

TEST_F(PlotMenuInBrowser, ScaleCommandsChangeThePagesRangeAndTheStoredOne) {
  struct Case {
    UINT command;
    std::vector<double> range;
    DWORD mode;
  };
  const Case cases[] = {{127, {0, 60}, kEtchStateMode},
                        {131, {-60, 60}, kEtchStateMode},
                        {113, {20, 60}, kEtchAutoScaleMode}};
  Open(Keeping());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    document->ranges.clear();
    win32::QueuePopupMenuChoice(c.command);
    ClickMenuButton();
    EXPECT_TRUE(NumbersNear(Range(2), c.range, 1e-9));
    ASSERT_FALSE(document->ranges.empty());
    const plotengine_test::SentRange& sent = document->ranges.back();
    EXPECT_EQ(sent.type, EtchYScalingMsgType::Id());
    EXPECT_TRUE(NumbersNear(RangeOf(sent), c.range, 1e-9));
    EXPECT_EQ(sent.flags & (kEtchStateMode | kEtchAutoScaleMode), c.mode);
  }
}

TEST_F(PlotMenuInBrowser, AnInvertedStoredRangeIsCheckedAndInvertingResendsTheMarkup) {
  Open(Keeping());
  ClickMenuButton();  // stores the page's range
  window->YScale()->SetRange(2, 8);
  Told();
  ClickMenuButton();
  const auto shown = win32::ShownPopupMenus();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].items[3].id, 137u);
  EXPECT_EQ(shown[1].items[3].flags & (kGrey | MF_CHECKED), kGrey | MF_CHECKED);
  EXPECT_EQ(shown[0].items[3].flags & MF_CHECKED, 0u);

  // Sent although grey, the command inverts the stored range and the page gets it.
  Told();
  SendMessageW(BrowserWindow(), WM_COMMAND, 137, 0);
  EXPECT_EQ(window->YScale()->GetMin(), 2);
  EXPECT_EQ(window->YScale()->GetMax(), 8);
  const std::vector<std::string> told = Told();
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find("yscalemin: 2,yscalemax: 8, do_initial_autoscale_y: false"), std::string::npos)
      << told[0];
}

TEST_F(PlotMenuInBrowser, SetScaleOpensTheDialogAfterTheMenuHasClosed) {
  Open(Keeping());
  Told();
  win32::QueuePopupMenuChoice(139);
  win32::QueueModalDialogAnswer(IDOK, {u"Top=8", u"Bottom=2"});
  ClickMenuButton();
  const auto dialogs = win32::ShownDialogs();
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].name, u"Vertical Scale");
  EXPECT_EQ(dialogs[0].answer, IDOK) << Text(dialogs[0].refusal);
  const std::vector<std::string> told = Told();
  ASSERT_EQ(told.size(), 2u);
  EXPECT_EQ(told[0], "closed");
  EXPECT_NE(told[1].find("yscalemin: 2,yscalemax: 8"), std::string::npos) << told[1];
  WaitForPaint();
  EXPECT_TRUE(NumbersNear(Range(2), {2, 8}, 1e-9));
  EXPECT_TRUE(NumbersNear(RangeOf(document->ranges.back()), {2, 8}, 0));

  // Cancel sends nothing.
  win32::QueuePopupMenuChoice(139);
  win32::QueueModalDialogAnswer(IDCANCEL, {});
  ClickMenuButton();
  EXPECT_THAT(Told(), ElementsAre("closed"));
  EXPECT_EQ(win32::ShownDialogs().size(), 2u);
}

TEST_F(PlotMenuInBrowser, WithoutMarkupAnOkOfTheDialogSendsNone) {
  document = Keeping();
  window = std::make_unique<EtchPlotWin>(document.get());
  window->CreatePersistTask(u"rhyth_tachogram_view");
  ASSERT_TRUE(window->Create(parent, RECT{0, 0, 640, 480}));
  page = window->Browser();
  ASSERT_EQ(page->RegisterScriptObject(reporter), S_OK);
  // A page without markup has no scales: a stand-in takes the menu's closing.
  ASSERT_TRUE(Script("var p = etch.get_plot('local');"
                     "p.set_markup = function (m) { test.report('markup ' + m); };"
                     "p.scales = [null, {menu_closed: function () {}}];"));
  // The horizontal scale's menu, as the page would ask for it.
  window->MakeDropMenu(u"local", 1, 100, 400, 115, 415, true, false, 0, 10);
  SendMessageW(BrowserWindow(), WM_COMMAND, 139, 0);
  win32::QueueModalDialogAnswer(IDOK, {u"Right=8", u"Left=2"});
  DispatchPosted();
  ASSERT_EQ(win32::ShownDialogs().size(), 1u);
  EXPECT_EQ(win32::ShownDialogs()[0].name, u"Horizontal Scale");
  EXPECT_EQ(window->XScale()->GetMax(), 8);
  EXPECT_THAT(Told(), IsEmpty());
}

TEST_F(PlotMenuInBrowser, AnAnchorOnNoMonitorIsMovedIntoTheNearestWorkArea) {
  Open(Keeping());
  SetWindowPos(parent, nullptr, -2000, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  const std::vector<double> box = MenuButton();
  ClickMenuButton();
  const auto shown = win32::ShownPopupMenus();
  ASSERT_EQ(shown.size(), 1u);
  POINT bottomRight{int(box[2]), int(box[3])};
  ClientToScreen(BrowserWindow(), &bottomRight);
  ASSERT_EQ(MonitorFromPoint(bottomRight, MONITOR_DEFAULTTONULL), nullptr);
  MONITORINFO info{sizeof info, {}, {}, 0};
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromPoint(bottomRight, MONITOR_DEFAULTTONEAREST), &info));
  EXPECT_EQ(shown[0].point.x, info.rcWork.left);
  EXPECT_EQ(shown[0].point.y, bottomRight.y);
  EXPECT_EQ(shown[0].exclude.right, bottomRight.x);
}

TEST_F(PlotMenuInBrowser, TheBrowsersOwnPopupsShowNothingAndLeaveThePlotAlone) {
  Open(Keeping());
  Told();
  const HMENU own = CreatePopupMenu();
  AppendMenuW(own, MF_STRING, 1, u"Reload");
  AppendMenuW(own, MF_STRING, 2, u"Print...");
  ASSERT_TRUE(TrackPopupMenuEx(own, 0, 10, 10, BrowserWindow(), nullptr));
  DispatchPosted();
  const auto shown = win32::ShownPopupMenus();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_THAT(shown[0].items, IsEmpty());
  // Its closing is not the plot's: no menu-closed call with a stale request, and the popup is
  // the browser's to destroy.
  EXPECT_THAT(Told(), IsEmpty());
  EXPECT_EQ(GetMenuItemCount(own), 0);
  EXPECT_TRUE(DestroyMenu(own));

  // A plot menu after it works as before.
  ClickMenuButton();
  EXPECT_EQ(win32::ShownPopupMenus().back().items.size(), 5u);
  EXPECT_THAT(Told(), ElementsAre("closed"));
}

TEST_F(PlotMenuInBrowser, WithoutTheStoreThePlotHasNoTaskPlainMarkupAndNoScaleCommands) {
  Open(std::make_unique<plotengine_test::FakePlotDocument>(false));
  EXPECT_EQ(window->PersistTask(), nullptr);
  ASSERT_TRUE(window->SetMarkup(String::FromUtf8(kMenuPlotMarkup)));
  EXPECT_THAT(Told(), ElementsAre(std::string("markup ") + kMenuPlotMarkup));
  WaitForPaint();

  ClickMenuButton();
  const auto shown = win32::ShownPopupMenus();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].items[3].flags & (kGrey | MF_CHECKED), kGrey);
  SendMessageW(BrowserWindow(), WM_COMMAND, 137, 0);
  SendMessageW(BrowserWindow(), WM_COMMAND, 139, 0);
  win32::QueueModalDialogAnswer(IDOK, {u"Top=8", u"Bottom=2"});
  DispatchPosted();
  EXPECT_THAT(win32::ShownDialogs(), IsEmpty());
  EXPECT_THAT(Told(), ElementsAre("closed"));
  EXPECT_EQ(document->messageCount, 0);
}

}  // namespace
}  // namespace Quor
