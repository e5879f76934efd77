// The host application object answers what a module asks of the application; tests set what a
// user or a recording would decide.
#include "host/tests/host_test.h"

#include "platform/pendrel/host_app.h"
#include "platform/win32/com_object.h"
#include "platform/win32/message_box.h"

namespace HostTest {
namespace {

class FakeColourSource final : public SimpleUnknownImp1<ITarnColourSource, 1> {
 public:
  HRESULT GetChannelColour(LONG channel, COLORREF* colour) override {
    *colour = COLORREF(0x10 + channel);
    return S_OK;
  }
};

using HostApplication = HostFixture;

ITarnHostApp* App() { return &PendrelHost::HostApplication::Instance(); }

TEST_F(HostApplication, SettingsAnswerTheDefaultUntilSet) {
  ITarnApplicationSettings* settings = nullptr;
  ASSERT_EQ(App()->GetApplicationSettings(&settings), S_OK);
  HeldReference<ITarnApplicationSettings> held(settings);
  const auto key = Text(u"quor\\application\\visible");
  BOOL value = -1;
  EXPECT_EQ(settings->GetBoolValue(key.get(), TRUE, &value), S_OK);
  EXPECT_EQ(value, TRUE);
  EXPECT_EQ(settings->SetBoolValue(key.get(), FALSE), S_OK);
  settings->GetBoolValue(key.get(), TRUE, &value);
  EXPECT_EQ(value, FALSE);
  settings->GetBoolValue(Text(u"quor\\application\\other").get(), TRUE, &value);
  EXPECT_EQ(value, TRUE);
  EXPECT_EQ(settings->GetBoolValue(nullptr, TRUE, &value), E_POINTER);

  PendrelHost::HostApplication::Instance().Reset();
  settings->GetBoolValue(key.get(), TRUE, &value);
  EXPECT_EQ(value, TRUE);
}

TEST_F(HostApplication, RunStateLanguageAndWindowAreWhatTheHostWasGiven) {
  DWORD state = 9;
  DWORD detail = 9;
  App()->GetRunState(&state, &detail);
  EXPECT_EQ(state, 0u);
  EXPECT_EQ(detail, 0u);
  PendrelHost::HostApplication::Instance().SetRunState(2, 5);
  App()->GetRunState(&state, &detail);
  EXPECT_EQ(state, 2u);
  EXPECT_EQ(detail, 5u);

  WORD language = 0;
  App()->GetUserInterfaceLanguage(&language);
  EXPECT_EQ(language, 0x0409);
  PendrelHost::HostApplication::Instance().SetUserInterfaceLanguage(0x0407);
  App()->GetUserInterfaceLanguage(&language);
  EXPECT_EQ(language, 0x0407);

  HWND window = reinterpret_cast<HWND>(&window);
  EXPECT_EQ(App()->GetMainWindow(&window), S_OK);
  EXPECT_EQ(window, nullptr);
}

TEST_F(HostApplication, RecordsEachNoticeText) {
  EXPECT_EQ(App()->ShowNotice(0, Text(u"Rhyth Beta 2.0").get()), S_OK);
  App()->ShowNotice(0, Text(u"second").get());
  EXPECT_EQ(PendrelHost::HostApplication::Instance().Notices(),
            (std::vector<std::u16string>{u"Rhyth Beta 2.0", u"second"}));
  EXPECT_EQ(Tarn::RecordedCallTexts().front(),
            "HostApp.ShowNotice(kind=0x00000000, text=\"Rhyth Beta 2.0\")");
}

TEST_F(HostApplication, MessageBoxesAreAnsweredByTheScriptAndTheStatusLineKeepsItsTexts) {
  win32::ClearShownMessageBoxes();
  win32::QueueMessageBoxAnswer(IDOK);
  int answer = 0;
  EXPECT_EQ(App()->ShowMessageBox(Text(u"Delete?").get(), Text(u"Rhyth").get(), MB_OKCANCEL,
                                  0x800B0004, &answer),
            S_OK);
  EXPECT_EQ(answer, IDOK);
  // Nothing queued: nobody is there to agree.
  App()->ShowMessageBox(Text(u"Again?").get(), Text(u"Rhyth").get(), MB_OKCANCEL, 0, &answer);
  EXPECT_EQ(answer, IDCANCEL);
  ASSERT_EQ(win32::ShownMessageBoxes().size(), 2u);
  EXPECT_EQ(win32::ShownMessageBoxes()[0].caption, u"Rhyth");
  EXPECT_EQ(Tarn::CountCalls("HostApp.ShowMessageBox"), 2u);
  win32::ClearShownMessageBoxes();

  App()->SetStatusText(Text(u"Analysing").get());
  App()->SetStatusText(nullptr);
  EXPECT_EQ(PendrelHost::HostApplication::Instance().StatusText(), u"");
  EXPECT_EQ(PendrelHost::HostApplication::Instance().StatusTexts(),
            std::vector<std::u16string>{u"Analysing"});
}

TEST_F(HostApplication, GivesTheColourSourceItWasGivenWithAReference) {
  ITarnColourSource* source = reinterpret_cast<ITarnColourSource*>(&source);
  EXPECT_EQ(App()->GetColourSource(&source), S_FALSE);
  EXPECT_EQ(source, nullptr);

  HeldReference<FakeColourSource> colours(new FakeColourSource);
  PendrelHost::HostApplication::Instance().SetColourSource(colours.get());
  ASSERT_EQ(App()->GetColourSource(&source), S_OK);
  EXPECT_EQ(source, colours.get());
  source->Release();
  EXPECT_EQ(References(colours.get()), 2u);
  PendrelHost::HostApplication::Instance().Reset();
  EXPECT_EQ(References(colours.get()), 1u);
}

}  // namespace
}  // namespace HostTest
