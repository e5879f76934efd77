#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "controls/dialogs/dialog_base.h"
#include "controls/dialogs/tj_slider.h"
#include "controls/tests/control_test_resources.h"
#include "controls/tests/two_monitor_desktop.h"
#include "platform/owl/application.h"

namespace {

using controls_testing::TheFakeHostApp;
using controls_testing::TwoMonitorDesktop;

using DialogBaseTest = TwoMonitorDesktop;

TEST_F(DialogBaseTest, TheTemplateIsReadInTheApplicationsOrElseTheHostsLanguage) {
  OWL::TModule module(u"controls_tests", ControlTestResources(), false);
  OWL::TWindow parent(static_cast<OWL::TWindow*>(nullptr), nullptr, &module);
  struct Case {
    const char* name;
    bool withParent, withApplication;
    LANGID applicationLanguage, hostLanguage;
    const char16_t* caption;
    bool hostAsked;
  } cases[] = {
      {"the parent's application: German", true, true, 0x0407, 0x0409, u"Einstellungen", false},
      {"no parent: the host's German", false, true, 0x0409, 0x0407, u"Einstellungen", true},
      {"no application: the host's", true, false, 0, 0x0407, u"Einstellungen", true},
      {"a language without a template: neutral", false, false, 0, 0x040C, u"Settings", true},
  };
  for (const Case& c : cases) {
    TheFakeHostApp().language = c.hostLanguage;
    TheFakeHostApp().languageQueries = 0;
    std::optional<OWL::TApplication> application;
    if (c.withApplication) application.emplace(c.applicationLanguage);
    Quor::DialogBase dialog(c.withParent ? &parent : nullptr, u"TESTDLG", &module);
    ASSERT_TRUE(dialog.HasTemplate()) << c.name;
    EXPECT_EQ(dialog.GetDialogName(), c.caption) << c.name;
    EXPECT_EQ(TheFakeHostApp().languageQueries > 0, c.hostAsked) << c.name;
  }
}

class NotifiedDialog : public OWL::TWindow {
 public:
  NotifiedDialog() : OWL::TWindow(static_cast<OWL::TWindow*>(nullptr)) {}
  bool Find(OWL::TEventInfo& info) override {
    static const OWL::TResponseTable table{
        {WM_NOTIFY, 0, [](OWL::TWindow& window, WPARAM wParam, LPARAM lParam) -> LRESULT {
           auto& self = static_cast<NotifiedDialog&>(window);
           const auto* header = reinterpret_cast<const NMHDR*>(lParam);
           self.codes.push_back(header->code);
           self.positions.push_back(self.slider->GetTrackedPosition());
           EXPECT_EQ(wParam, header->idFrom);
           return 0;
         }},
    };
    return OWL::SearchResponseTable(table, info) || OWL::TWindow::Find(info);
  }
  TJSlider* slider = nullptr;
  std::vector<UINT> codes;
  std::vector<int> positions;
};

TEST(TJSliderTest, EachThumbTrackTellsTheDialogAtOnceAndKeepsThePosition) {
  NotifiedDialog dialog;
  dialog.Attr.Style = WS_POPUP;
  TJSlider slider(&dialog, 120);
  dialog.slider = &slider;
  ASSERT_TRUE(dialog.Create());
  for (int position : {10, 25, 40}) SendMessageW(slider, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, position), 0);
  EXPECT_EQ(dialog.codes, (std::vector<UINT>{768, 768, 768}));
  EXPECT_EQ(dialog.positions, (std::vector<int>{10, 25, 40})) << "read back while being told";
  EXPECT_EQ(slider.GetTrackedPosition(), 40);
  EXPECT_EQ(slider.GetPosition(), 0) << "the default handling does not run";
  // Letting go tells the dialog once more, and the thumb stays where it was let go.
  SendMessageW(slider, WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
  EXPECT_EQ(dialog.codes.back(), 769u);
  EXPECT_EQ(slider.GetPosition(), 40);

  TJSlider plain(nullptr, 121);
  plain.Attr.Style = WS_POPUP;
  ASSERT_TRUE(plain.Create());
  plain.SBThumbTrack(30);
  EXPECT_EQ(plain.GetPosition(), 30) << "without a dialog, a plain slider";
}

}  // namespace
