#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "controls/edits/number_text.h"
#include "controls/edits/validating_edit.h"
#include "controls/tests/control_test_resources.h"
#include "controls/tests/two_monitor_desktop.h"
#include "core/locale_info.h"
#include "platform/tests/gui/window_test_support.h"
#include "platform/win32/message_box.h"

namespace {

using controls_testing::TwoMonitorDesktop;
using QuorControls::ErrorProvider;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class ValidatingEdits : public TwoMonitorDesktop {
 protected:
  void SetUp() override {
    TwoMonitorDesktop::SetUp();
    win32::SetExecutableModule(ControlTestResources());
    Quor::LocaleInfo::Instance();  // may tell of the machine's locale once
    win32::ClearShownMessageBoxes();
    dialog.Attr.Style = WS_POPUP | WS_VISIBLE;
    dialog.Attr.W = 300;
    dialog.Attr.H = 200;
  }
  void TearDown() override {
    dialog.Destroy();
    win32::SetExecutableModule(nullptr);
    win32::ClearShownMessageBoxes();
    TwoMonitorDesktop::TearDown();
  }
  // Types the text's last character into a field holding the rest (a backspace for "").
  static void Type(OWL::TEdit& edit, const std::u16string& text) {
    if (text.empty()) {
      edit.SetText(u"5");
      SendMessageW(edit, WM_CHAR, u'\b', 0);
    } else {
      edit.SetText(text.substr(0, text.size() - 1));
      SendMessageW(edit, WM_CHAR, text.back(), 0);
    }
  }

  OWL::TModule module{u"controls_tests", ControlTestResources(), false};
  OWL::TWindow dialog{static_cast<OWL::TWindow*>(nullptr), nullptr, &module};
};

TEST_F(ValidatingEdits, EachTextIsWhollyANumberOrNot) {
  DoubleEdit edit(&dialog, 400, 0, 100);
  ErrorProvider mark(&dialog, 401);
  ASSERT_TRUE(dialog.Create());
  edit.SetErrorProvider(&mark);
  const std::u16string forty = u"1234567890123456789012345678901234567890";
  struct Case {
    std::u16string text;
    bool isNumber, isValid;
    double value;
    bool markShown;
  } cases[] = {
      {u"", false, false, 0, true},
      {u"-", false, false, 0, true},
      {u"e", false, false, 0, true},
      {u"1.2.3", false, false, 0, true},
      {u"1,5", false, false, 0, true},
      {u"10 ", false, false, 0, true},
      {u"inf", true, false, kInf, true},
      {u"nan", true, false, kNaN, true},
      {u"-0", true, true, 0, false},
      {u"1e-300", true, true, 1e-300, false},
      {u"1e308", true, false, 1e308, true},
      {forty, true, false, 1.23456789e39, true},
      {u"42.5", true, true, 42.5, false},
      {u"100.0001", true, false, 100.0001, true},
  };
  for (const Case& c : cases) {
    const std::string name(c.text.begin(), c.text.end());
    Type(edit, c.text);
    EXPECT_EQ(edit.GetText(), c.text) << name;
    EXPECT_EQ(edit.IsNumber(), c.isNumber) << name;
    EXPECT_EQ(edit.IsValid(false), c.isValid) << name;
    const double value = edit.GetValue();
    if (std::isnan(c.value))
      EXPECT_TRUE(std::isnan(value)) << name;
    else
      EXPECT_DOUBLE_EQ(value, c.value) << name;
    EXPECT_EQ(bool(IsWindowVisible(mark)), c.markShown) << name;
  }
  Type(edit, u"-");
  EXPECT_TRUE(IsWindowVisible(mark));
  Type(edit, u"-5");
  Type(edit, u"5");
  EXPECT_FALSE(IsWindowVisible(mark)) << "the next valid keystroke hides the mark";
  for (const auto& box : win32::ShownMessageBoxes())
    ADD_FAILURE() << "a message box instead of the mark: " << std::string(box.text.begin(), box.text.end());
}

TEST_F(ValidatingEdits, TheMarkTellsTheRange) {
  DoubleEdit edit(&dialog, 400, 0.5, 2.25);
  ErrorProvider mark(&dialog, 401);
  mark.SetFlags(ErrorProvider::kErrorImage | ErrorProvider::kPopupReaction);
  ASSERT_TRUE(dialog.Create());
  edit.SetErrorProvider(&mark);
  Type(edit, u"7");
  ASSERT_TRUE(IsWindowVisible(mark));
  EXPECT_EQ(std::u16string(mark.GetTitle().c_str()), u"Invalid Value");
  EXPECT_EQ(std::u16string(mark.GetText().c_str()), u"Value must be in range 0.5 to 2.25.");
  edit.SetErrorProvider(nullptr);
  Type(edit, u"8");
  EXPECT_TRUE(win32::ShownMessageBoxes().empty());
  EXPECT_TRUE(IsWindowVisible(mark)) << "no longer paired: the mark is left as it was";
}

TEST_F(ValidatingEdits, PrecisionCutsToDecimalPlaces) {
  DoubleEdit edit(&dialog, 400, -1e308, 1e308);
  ASSERT_TRUE(dialog.Create());
  struct Case {
    int precision;
    const char16_t* text;
    double value;
  } cases[] = {
      {0, u"0.1234567891234", 0.1234567891},
      {0, u"3.14159265358979", 3.141592654},
      {0, u"123.456789123456", 123.4567891},
      {3, u"0.0712345678912", 0.0712},
      {3, u"3.14159265358979", 3.142},
      {3, u"0", 0},
      {3, u"abc", 0},
      {3, u"-2.5e-3", -0.0025},
      {2, u"0.995", 1.0},
      {0, u"1e-300", 1e-300},
      {0, u"-1.23456789012e-305", -1.234567890e-305},
  };
  for (const Case& c : cases) {
    edit.SetPrecision(c.precision);
    edit.SetText(c.text);
    EXPECT_DOUBLE_EQ(edit.GetValue(), c.value) << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
  }
  EXPECT_DOUBLE_EQ(RoundToDecimalPlaces(-2.5, 0), -2.0) << "an exact half goes up";
  EXPECT_DOUBLE_EQ(RoundToDecimalPlaces(2.5, 0), 3.0);
  EXPECT_DOUBLE_EQ(RoundToDecimalPlaces(999.96, 1), 1000.0);

  edit.SetPrecision(3);
  edit.SetFixed(true);
  EXPECT_EQ(edit.FormatValue(2.5), u"2.500");
  edit.SetFixed(false);
  EXPECT_EQ(edit.FormatValue(2.5), u"2.5");
  edit.SetPrecision(0);
  EXPECT_EQ(edit.FormatValue(1.0 / 3), u"0.333333333");
}

TEST_F(ValidatingEdits, IntEditAcceptsTenToTenThousand) {
  IntEdit edit(&dialog);
  ErrorProvider mark(&dialog, 401);
  ASSERT_TRUE(dialog.Create());
  edit.SetErrorProvider(&mark);
  struct Case {
    const char16_t* text;
    bool valid;
  } cases[] = {{u"9", false}, {u"10", true}, {u"10000", true}, {u"10001", false}, {u"-", false}};
  for (const Case& c : cases) {
    Type(edit, c.text);
    EXPECT_EQ(edit.IsValid(false), c.valid) << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
    EXPECT_EQ(bool(IsWindowVisible(mark)), !c.valid);
  }
  Type(edit, u"12x");
  EXPECT_EQ(edit.GetText(), u"12") << "digits only";
}

TEST_F(ValidatingEdits, TransferMovesNothingWithTheOptionOff) {
  FltRangeValidator validator(0, 10);
  char16_t buffer[32] = u"3.5";
  double data = 7;
  EXPECT_EQ(validator.Transfer(buffer, &data, OWL::TValidator::tdGetData), 0u);
  EXPECT_EQ(validator.Transfer(buffer, &data, OWL::TValidator::tdSetData), 0u);
  EXPECT_EQ(std::u16string(buffer), u"3.5");
  EXPECT_EQ(data, 7);
  validator.SetOption(OWL::TValidator::voTransfer);
  EXPECT_EQ(validator.Transfer(buffer, &data, OWL::TValidator::tdGetData), 8u);
  EXPECT_EQ(data, 3.5);
  data = 0.25;
  EXPECT_EQ(validator.Transfer(buffer, &data, OWL::TValidator::tdSetData), 8u);
  EXPECT_EQ(std::u16string(buffer), u"0.25");
}

TEST_F(ValidatingEdits, WithoutAMarkTheRangeIsToldInAMessageBoxThatNobodyWaitsFor) {
  DoubleEdit edit(&dialog, 400, 0, 100);
  ASSERT_TRUE(dialog.Create());
  Type(edit, u"200");
  EXPECT_TRUE(win32::ShownMessageBoxes().empty()) << "typing alone tells nothing";
  SendMessageW(edit, OWL::WM_CHILDINVALID, 0, 0);
  const auto shown = win32::ShownMessageBoxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, u"The value must lie between 0 and 100.");
  EXPECT_EQ(shown[0].style, MB_TASKMODAL | MB_ICONEXCLAMATION);
  EXPECT_FALSE(edit.CanClose());
}

}  // namespace
