// The GUI framework subset: geometry, response tables, painting, dialogs with their templates
// and controls, menus, drawing objects, and the template library's window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/owl/application.h"
#include "platform/owl/atl_window.h"
#include "platform/owl/controls.h"
#include "platform/owl/dialog.h"
#include "platform/owl/gdi_objects.h"
#include "platform/owl/menu.h"
#include "platform/owl/module.h"
#include "platform/win32/message_queue.h"

HMODULE PlatformTestResources();

namespace {

using namespace OWL;

TEST(OwlGeometry, RectanglesJoinMeetAndHoldPoints) {
  const TRect a(0, 0, 10, 10), b(5, 5, 20, 15), apart(30, 30, 40, 40);
  EXPECT_EQ(a | b, TRect(0, 0, 20, 15));
  EXPECT_EQ(a & b, TRect(5, 5, 10, 10));
  EXPECT_TRUE((a & apart).IsEmpty());
  EXPECT_EQ(TRect() | b, b) << "an empty rectangle adds nothing";
  EXPECT_TRUE(a.Contains({0, 0}));
  EXPECT_FALSE(a.Contains({10, 5})) << "the right edge is outside";
  EXPECT_EQ(a.InflatedBy(7, 7).OffsetBy(9, 7), TRect(2, 0, 26, 24));
  EXPECT_EQ(TColor(137, 137, 137).Green(), 137);
}

// A base window answering a command and a user message, and a derived one answering the same
// user message itself.
class BaseWindow : public TWindow {
 public:
  explicit BaseWindow(TWindow* parent = nullptr) : TWindow(parent, u"base") { Attr.Style = WS_POPUP; }
  bool Find(TEventInfo& info) override { return SearchResponseTable(Table(), info) || TWindow::Find(info); }
  std::vector<std::string> heard;

 private:
  LRESULT OnCommand(WPARAM, LPARAM) { return heard.push_back("base command"), 1; }
  LRESULT OnUser(WPARAM, LPARAM) { return heard.push_back("base user"), 2; }
  static const TResponseTable& Table() {
    static const TResponseTable table{{WM_COMMAND, 10, Handler(&BaseWindow::OnCommand)},
                                      {WM_USER, 0, Handler(&BaseWindow::OnUser)}};
    return table;
  }
};

class DerivedWindow : public BaseWindow {
 public:
  bool Find(TEventInfo& info) override { return SearchResponseTable(Table(), info) || BaseWindow::Find(info); }
  void Paint(TDC& dc, bool, TRect&) override {
    painted = true;
    TBrush red(TColor(255, 0, 0));
    dc.FillRect(TRect(0, 0, 4, 4), red);
  }
  bool painted = false;

 private:
  LRESULT OnUser(WPARAM, LPARAM) { return heard.push_back("derived user"), 3; }
  static const TResponseTable& Table() {
    static const TResponseTable table{{WM_USER, 0, Handler(&DerivedWindow::OnUser)}};
    return table;
  }
};

TEST(OwlWindow, ADerivedTableAnswersBeforeItsBase) {
  DerivedWindow window;
  window.Attr.W = 50, window.Attr.H = 40;
  ASSERT_TRUE(window.Create());
  EXPECT_EQ(TWindow::FromHandle(window), &window);
  struct Case {
    UINT message;
    WPARAM wParam;
    LRESULT result;
    const char* heard;
  } cases[] = {{WM_USER, 0, 3, "derived user"}, {WM_COMMAND, 10, 1, "base command"}, {WM_COMMAND, 11, 0, nullptr}};
  for (const Case& c : cases) {
    window.heard.clear();
    EXPECT_EQ(window.SendMessage(c.message, c.wParam), c.result);
    EXPECT_EQ(window.heard, c.heard ? std::vector<std::string>{c.heard} : std::vector<std::string>{});
  }
  window.ShowWindow(SW_SHOW);
  window.Invalidate();
  window.UpdateWindow();
  EXPECT_TRUE(window.painted);
  const HWND handle = window;
  window.CloseWindow();
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_EQ(TWindow::FromHandle(handle), nullptr);
}

class RefusingValidator : public TValidator {
 public:
  explicit RefusingValidator(int& errors) : m_errors(errors) {}
  bool IsValid(const std::u16string& text) override { return text == u"ok"; }
  void Error(TWindow*) override { ++m_errors; }

 private:
  int& m_errors;
};

class SettingsDialog : public TDialog {
 public:
  explicit SettingsDialog(TModule& module) : TDialog(nullptr, 10, &module), label(this, 100), edit(this, 101), slider(this, 102) {}
  void SetupWindow() override {
    slider.SetRange(10, 20);
    slider.SetPosition(99);
    edit.SetText(editText);
  }
  TStatic label;
  TEdit edit;
  THSlider slider;
  std::u16string editText = u"ok";
};

class OwlDialog : public ::testing::Test {
 protected:
  void SetUp() override { win32::ClearShownMessageBoxes(); }
  void TearDown() override {
    win32::ClearQueuedMessageBoxAnswers();
    win32::ClearShownMessageBoxes();
  }
  TModule module{u"platform_tests", PlatformTestResources()};
};

TEST_F(OwlDialog, TheTemplateComesInTheApplicationsLanguageOrNeutral) {
  struct Case {
    LANGID language;
    const char16_t* caption;
  } cases[] = {{0x0407, u"Einstellungen"}, {0x040C, u"Settings"}};
  for (const Case& c : cases) {
    TApplication application(c.language);
    TDialog dialog(nullptr, 10, &module);
    EXPECT_EQ(dialog.GetDialogName(), c.caption);
  }
  TDialog missing(nullptr, 99, &module);
  EXPECT_FALSE(missing.HasTemplate());
  EXPECT_EQ(missing.GetDialogName(), u"#99");
}

TEST_F(OwlDialog, ExecuteTakesTheScriptedAnswerAndAsksCanCloseBeforeOk) {
  int errors = 0;
  struct Case {
    const char* what;
    int queued;  // 0: nothing queued
    std::u16string text;
    int result;
    int errors;
  } cases[] = {{"no answer", 0, u"ok", IDCANCEL, 0},
               {"OK with valid text", IDOK, u"ok", IDOK, 0},
               {"OK with refused text", IDOK, u"bad", IDCANCEL, 1},
               {"Cancel with refused text", IDCANCEL, u"bad", IDCANCEL, 1}};
  for (const Case& c : cases) {
    SettingsDialog dialog(module);
    dialog.edit.SetValidator(new RefusingValidator(errors));
    dialog.editText = c.text;
    if (c.queued) win32::QueueMessageBoxAnswer(c.queued);
    EXPECT_EQ(dialog.Execute(), c.result) << c.what;
    EXPECT_EQ(errors, c.errors) << c.what;
    EXPECT_FALSE(dialog.GetHandle() && IsWindow(dialog.GetHandle())) << c.what;
    // The controls the template places took their text and place.
    EXPECT_EQ(dialog.label.GetText(), u"&Window (s):");
    EXPECT_EQ(dialog.label.Attr.X, 11) << "7 dialog units, rounded";
    EXPECT_EQ(dialog.slider.GetPosition(), 20) << "clamped to the range";
  }
  const std::vector<win32::ShownDialog> shown = win32::ShownDialogs();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].name, u"Settings");
  EXPECT_FALSE(shown[2].refusal.empty()) << "the refused OK is recorded with its reason";
}

TEST(OwlControls, AButtonClickReachesItsParentsTable) {
  BaseWindow parent;
  parent.Attr.W = 100, parent.Attr.H = 50;
  TButton button(&parent, 10, u"Go", TRect(5, 5, 45, 20));
  ASSERT_TRUE(parent.Create());
  ASSERT_TRUE(IsWindow(button));
  EXPECT_EQ(GetParent(button), parent.GetHandle());
  button.Click();
  EXPECT_EQ(parent.heard, std::vector<std::string>{"base command"});
}

TEST(OwlMenus, ResourceMenusAndTrackedPopups) {
  TModule module(u"platform_tests", PlatformTestResources());
  TMenu bar(module, 20);
  ASSERT_TRUE(bar.IsOK());
  TPopupMenu analysis(bar, 0);
  EXPECT_EQ(analysis.GetMenuString(0, MF_BYPOSITION), u"&Settings...");
  BaseWindow owner;
  ASSERT_TRUE(owner.Create());
  win32::QueuePopupMenuChoice(100);
  EXPECT_EQ(analysis.TrackPopupMenu(TPM_RETURNCMD, {10, 10}, owner), 100);
  EXPECT_EQ(analysis.TrackPopupMenu(TPM_RETURNCMD, {10, 10}, owner), 0) << "no choice: dismissed";
  win32::ClearShownMenusAndShellRequests();
}

TEST(OwlDrawing, ContextsPutBackWhatWasSelectedIntoThem) {
  TMemoryDC memory;
  TBitmap bitmap(memory, 8, 8);
  memory.SelectObject(bitmap);
  const HGDIOBJ pen = GetCurrentObject(memory, OBJ_PEN);
  {
    TDC dc(memory.GetHDC());
    TPen red(TColor(255, 0, 0));
    dc.SelectObject(red);
    dc.MoveTo({0, 2});
    dc.LineTo({8, 2});
  }
  EXPECT_EQ(memory.GetPixel({3, 2}), TColor(255, 0, 0));
  EXPECT_EQ(GetCurrentObject(memory, OBJ_PEN), pen) << "the red pen was deselected before it went";
  TFont bold(u"Arial", -16, FW_BOLD);
  EXPECT_EQ(bold.GetObject().lfWeight, FW_BOLD);
}

class MapWindow : public ATL::CWindowImpl<MapWindow> {
 public:
  static std::u16string GetWndClassNameOf() { return u"MapWindow"; }
  BOOL ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT& result, DWORD) override {
    if (message != WM_USER) return FALSE;
    result = LRESULT(wParam * 2);
    return TRUE;
  }
  void OnFinalMessage(HWND) override { finished = true; }
  bool finished = false;
};

TEST(AtlWindow, TheMessageMapAnswersAndTheFinalMessageComesLast) {
  MapWindow window;
  ASSERT_NE(window.Create(nullptr, RECT{0, 0, 40, 30}, u"map", WS_POPUP), nullptr);
  EXPECT_EQ(SendMessageW(window.m_hWnd, WM_USER, 21, 0), 42);
  EXPECT_TRUE(window.DestroyWindow());
  EXPECT_TRUE(window.finished);
  EXPECT_EQ(window.m_hWnd, nullptr);
  const LONG before = ATL::ModuleLockCount();
  EXPECT_EQ(ATL::LockModule(), before + 1);
  EXPECT_EQ(ATL::UnlockModule(), before);
}

}  // namespace
