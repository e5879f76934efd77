// The module's channel calculation without a host document: its settings record, its class
// objects, the dialog's answers, the formula it hands over and its output's name, unit and range.
#include "analysis/calc/channel_calc.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <vector>

#include "analysis/calc/calc_dialog.h"
#include "analysis/calc/channel_calc_class.h"
#include "analysis/calc/channel_calc_modes.h"
#include "analysis/tests/calc/fake_calc_channel.h"
#include "core/bin_istream.h"
#include "core/bin_ostream.h"
#include "core/com_ptr.h"
#include "core/xquor.h"
#include "platform/win32/bstr.h"
#include "platform/win32/message_box.h"

namespace {

using CalcTest::FakeCalcChannel;
using Rhyth::ChannelCalc;
using Rhyth::ChannelCalcSettings;

Quor::ComPtr<ChannelCalcSettings> NewSettings(LONG mode, bool first, bool interpolate) {
  Quor::ComPtr<ChannelCalcSettings> settings;
  settings.Attach(new ChannelCalcSettings);
  settings->mode = mode;
  settings->first = first;
  settings->interpolate = interpolate;
  return settings;
}

std::string SavedBytes(ChannelCalcSettings& settings) {
  std::stringbuf buffer;
  Quor::BinOStream out(&buffer);
  EXPECT_EQ(settings.Save(&out), S_OK);
  return buffer.str();
}

HRESULT LoadBytes(ChannelCalcSettings& settings, const std::string& bytes) {
  std::stringbuf buffer(bytes);
  Quor::BinIStream in(&buffer);
  return settings.Load(&in);
}

// Read apart from the module: little-endian int32 version, int32 mode, two 16-bit flags.
struct DecodedRecord {
  int32_t version, mode;
  uint16_t first, interpolate;
};
DecodedRecord Decode(const std::string& bytes) {
  EXPECT_EQ(bytes.size(), 12u);
  auto byte = [&](std::size_t i) { return uint32_t(uint8_t(bytes.at(i))); };
  auto word32 = [&](std::size_t i) {
    return int32_t(byte(i) | byte(i + 1) << 8 | byte(i + 2) << 16 | byte(i + 3) << 24);
  };
  auto word16 = [&](std::size_t i) { return uint16_t(byte(i) | byte(i + 1) << 8); };
  return {word32(0), word32(4), word16(8), word16(10)};
}

TEST(ChannelCalcSettings, TheRecordIsVersionOneModeAndTwo16BitFlagsAndReadsBackTheSame) {
  const struct {
    LONG mode;
    bool first, interpolate;
  } cases[] = {{0, true, false}, {2, true, true}, {5, false, true}, {-7, false, false}, {0x12345, true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    auto saved = NewSettings(c.mode, c.first, c.interpolate);
    const std::string bytes = SavedBytes(*saved.Get());
    const DecodedRecord record = Decode(bytes);
    EXPECT_EQ(record.version, 1);
    EXPECT_EQ(record.mode, c.mode);
    EXPECT_EQ(record.first, c.first ? 1 : 0);
    EXPECT_EQ(record.interpolate, c.interpolate ? 1 : 0);

    auto loaded = NewSettings(99, !c.first, !c.interpolate);
    ASSERT_EQ(LoadBytes(*loaded.Get(), bytes), S_OK);
    EXPECT_EQ(loaded->mode, c.mode);
    EXPECT_EQ(loaded->first, c.first);
    EXPECT_EQ(loaded->interpolate, c.interpolate);
    EXPECT_EQ(SavedBytes(*loaded.Get()), bytes);
  }
}

TEST(ChannelCalcSettings, AnyNonzeroFlagReadsAsOn) {
  auto settings = NewSettings(0, false, false);
  ASSERT_EQ(LoadBytes(*settings.Get(), std::string("\1\0\0\0\2\0\0\0\7\0\xff\xff", 12)), S_OK);
  EXPECT_EQ(settings->mode, 2);
  EXPECT_EQ(settings->first, 1);
  EXPECT_EQ(settings->interpolate, 1);
}

TEST(ChannelCalcSettings, ARecordOfAnotherVersionOrCutShortIsRefusedAndChangesNothing) {
  auto good = NewSettings(2, true, true);
  const std::string bytes = SavedBytes(*good.Get());
  std::string newer = bytes;
  newer[0] = 2;
  std::string older = bytes;
  older[0] = 0;
  const struct {
    std::string record;
    HRESULT error;
  } cases[] = {
      {newer, kXQuorNewerVersion},       {older, kXQuorBadBlockVersion},
      {"", kXQuorDataTruncated},         {bytes.substr(0, 3), kXQuorDataTruncated},
      {bytes.substr(0, 4), kXQuorDataTruncated}, {bytes.substr(0, 8), kXQuorDataTruncated},
      {bytes.substr(0, 11), kXQuorDataTruncated},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.record.size());
    auto settings = NewSettings(5, false, false);
    EXPECT_EQ(LoadBytes(*settings.Get(), c.record), c.error);
    EXPECT_EQ(settings->mode, 5);
    EXPECT_EQ(settings->first, 0);
    EXPECT_EQ(settings->interpolate, 0);
  }
}

TEST(ChannelCalcClass, TheSettingsClassIsLinkedAfterTheCalculationClassSoItRegistersFirst) {
  ITarnClassObject* calcFace = Rhyth::TheChannelCalcClass().GetClassObjectInterface();
  ITarnClassObject* settingsFace = Rhyth::TheChannelCalcClass().SettingsClass();
  std::vector<ITarnClassObject*> order;
  for (TarnClassObject* link = GetClassObjectListHead(); link; link = link->Next())
    order.push_back(link->GetClassObjectInterface());
  const auto calcAt = std::find(order.begin(), order.end(), calcFace);
  const auto settingsAt = std::find(order.begin(), order.end(), settingsFace);
  ASSERT_NE(calcAt, order.end());
  ASSERT_NE(settingsAt, order.end());
  EXPECT_LT(settingsAt, calcAt);

  IQuorString* name = nullptr;
  ASSERT_EQ(settingsFace->GetClassName(&name), S_OK);
  EXPECT_EQ(Quor::String().Adopt(name).ToUtf8String(), "RhythSettings");
  ASSERT_EQ(Rhyth::TheChannelCalcClass().GetDescription(&name), S_OK);
  EXPECT_EQ(Quor::String().Adopt(name).ToUtf8String(), "Rhyth Calculation");
  EXPECT_EQ(Rhyth::TheChannelCalcClass().IsCategory(GUID_TarnCalculationClassCategory), S_OK);
}

TEST(ChannelCalcClass, TheSettingsClassMakesDefaultsAndLoadsStoredSettings) {
  IPersistClassObject* settingsClass = Rhyth::TheChannelCalcClass().SettingsClass();
  IPersistObject* made = nullptr;
  ASSERT_EQ(settingsClass->CreateInstance(0, nullptr, IPersistObject::iid, reinterpret_cast<void**>(&made)), S_OK);
  Quor::ComPtr<IPersistObject> held;
  held.Attach(made);
  const ChannelCalcSettings* defaults = ChannelCalcSettings::From(made);
  ASSERT_NE(defaults, nullptr);
  EXPECT_EQ(defaults->mode, 0);
  EXPECT_EQ(defaults->first, 1);
  EXPECT_EQ(defaults->interpolate, 0);

  auto stored = NewSettings(1, false, true);
  std::stringbuf buffer(SavedBytes(*stored.Get()));
  Quor::BinIStream in(&buffer);
  IPersistObject* loaded = nullptr;
  ASSERT_EQ(settingsClass->CreatePersistObject(0, 0, &in, &loaded), S_OK);
  held.Attach(loaded);
  ASSERT_NE(ChannelCalcSettings::From(loaded), nullptr);
  EXPECT_EQ(ChannelCalcSettings::From(loaded)->mode, 1);
  EXPECT_EQ(ChannelCalcSettings::From(loaded)->interpolate, 1);
}

class CalcDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    win32::ClearQueuedMessageBoxAnswers();
    win32::ClearShownMessageBoxes();
  }
  void TearDown() override { SetUp(); }

  // EditSettings of the class with `current`; the edited settings or null.
  Quor::ComPtr<ChannelCalcSettings> Edit(IUnknown* current, HRESULT expected) {
    IUnknown* edited = reinterpret_cast<IUnknown*>(this);  // must be cleared
    EXPECT_EQ(Rhyth::TheChannelCalcClass().EditSettings(nullptr, 0, 0, current, &edited), expected);
    Quor::ComPtr<ChannelCalcSettings> result(ChannelCalcSettings::From(edited));
    if (edited) edited->Release();
    return result;
  }
};

TEST_F(CalcDialogTest, CancellingLeavesTheSettingsAndGivesNothing) {
  auto current = NewSettings(2, true, true);
  win32::QueueMessageBoxAnswer(IDCANCEL);
  EXPECT_FALSE(Edit(current.Get(), S_FALSE));
  // Without a queued answer the dialog is cancelled too.
  EXPECT_FALSE(Edit(current.Get(), S_FALSE));
  EXPECT_EQ(current->mode, 2);
  EXPECT_EQ(win32::ShownMessageBoxes().size(), 2u);
}

TEST_F(CalcDialogTest, AChoiceSetsTheCopysModeAndFlagsAndOkKeepsTheCurrentOnes) {
  auto current = NewSettings(2, false, true);
  win32::QueueMessageBoxAnswer(Rhyth::CalcDialogChoice(5, true, false));
  auto chosen = Edit(current.Get(), S_OK);
  ASSERT_TRUE(chosen);
  EXPECT_NE(chosen.Get(), current.Get());
  EXPECT_EQ(chosen->mode, 5);
  EXPECT_EQ(chosen->first, 1);
  EXPECT_EQ(chosen->interpolate, 0);
  EXPECT_EQ(current->mode, 2);

  win32::QueueMessageBoxAnswer(IDOK);
  auto kept = Edit(current.Get(), S_OK);
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->mode, 2);
  EXPECT_EQ(kept->first, 0);
  EXPECT_EQ(kept->interpolate, 1);

  // Settings of another kind: the copy starts from the defaults.
  win32::QueueMessageBoxAnswer(IDOK);
  auto fresh = Edit(nullptr, S_OK);
  ASSERT_TRUE(fresh);
  EXPECT_EQ(fresh->mode, 0);
  EXPECT_EQ(fresh->first, 1);
}

// A calculation made through the class over the fake channel object.
Quor::ComPtr<IChannelCalc> NewCalculation(FakeCalcChannel& channel) {
  Quor::ComPtr<IChannelCalc> calculation;
  EXPECT_EQ(Rhyth::TheChannelCalcClass().CreateCalculation(3, 0x11, 0x22, &channel,
                                                            Quor::ComPtrOut<IChannelCalc>::Bind(calculation)),
            S_OK);
  return calculation;
}

std::string OutputName(IChannelCalc* calculation) {
  BSTR name = nullptr;
  EXPECT_EQ(calculation->GetOutputName(0, &name), S_OK);
  return Quor::String().AdoptBSTR(name).ToUtf8String();
}

TEST(ChannelCalc, WithoutAHostChannelObjectNoCalculationIsMade) {
  IChannelCalc* calculation = reinterpret_cast<IChannelCalc*>(1);
  EXPECT_EQ(Rhyth::TheChannelCalcClass().CreateCalculation(0, 0, 0, nullptr, &calculation), E_FAIL);
  EXPECT_EQ(calculation, nullptr);
}

TEST(ChannelCalc, TheFormulaSelectsTheModeOverTheFiducialChannel) {
  FakeCalcChannel channel;
  channel.channels["Rhyth_vFID"] = 7;
  auto calculation = NewCalculation(channel);
  auto settings = NewSettings(2, true, true);
  ASSERT_EQ(calculation->Calculate(settings.Get(), 1), S_OK);
  ASSERT_TRUE(channel.committed);
  EXPECT_EQ(channel.committed->formula, "RhythSelector(Rhyth_vFID,2,1)");
  EXPECT_EQ(channel.committed->unit, "BPM");
  EXPECT_EQ(channel.committed->flags, kCalcSourceChannelFlag);
  EXPECT_EQ(channel.committed->settingLow, 0x11u);
  EXPECT_EQ(channel.committed->settingHigh, 0x22u);
  EXPECT_EQ(channel.setups, 1);
  EXPECT_EQ(channel.outputType, ChannelCalc::OutputTypeWord());
  EXPECT_EQ(OutputName(calculation.Get()), "Rhyth Calculation : Beat Rate");

  // Later calls keep the output set up and take the new settings.
  settings->mode = 0;
  settings->interpolate = 0;
  ASSERT_EQ(calculation->Calculate(settings.Get(), 0), S_OK);
  EXPECT_EQ(channel.committed->formula, "RhythSelector(Rhyth_vFID,0,0)");
  EXPECT_EQ(channel.committed->unit, "s");
  EXPECT_EQ(channel.setups, 1);

  DWORD flags = 0;
  EXPECT_EQ(calculation->GetCalcFlags(&flags), S_OK);
  EXPECT_EQ(flags, 0x10000000u);
}

TEST(ChannelCalc, WithoutTheFiducialChannelTheFormulaIsZeroAndFollowsItOnceMade) {
  FakeCalcChannel channel;
  auto calculation = NewCalculation(channel);
  auto settings = NewSettings(1, true, false);
  ASSERT_EQ(calculation->Calculate(settings.Get(), 1), S_OK);
  EXPECT_EQ(channel.committed->formula, "0");
  channel.channels["Rhyth_vFID"] = 4;
  ASSERT_EQ(calculation->Calculate(settings.Get(), 0), S_OK);
  EXPECT_EQ(channel.committed->formula, "RhythSelector(Rhyth_vFID,1,0)");
}

// Output name, unit and the range the output holds, with the classifier limits of the
// settings' defaults (a human): no range narrower than the fixed one of its mode.
TEST(ChannelCalc, EachModeHasItsTitleUnitAndRange) {
  const struct {
    LONG mode;
    const char* name;
    const char* unit;
    double range;  // the output holds -range to range
  } cases[] = {
      {0, "Rhyth Calculation : Beat Period", "s", 3.6},
      {1, "Rhyth Calculation : Change in Beat Period", "s", 3.6},
      {2, "Rhyth Calculation : Beat Rate", "BPM", 240.0},
      {3, "Rhyth Calculation : ", "", 10.0},
      {4, "Rhyth Calculation : ", "", 10.0},
      {5, "Rhyth Calculation : Beat Complexity", "", 4.5},
      {-1, "Rhyth Calculation : ", "", 10.0},
  };
  FakeCalcChannel channel;
  channel.channels["Rhyth_vFID"] = 1;
  auto calculation = NewCalculation(channel);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    auto settings = NewSettings(c.mode, true, false);
    ASSERT_EQ(calculation->Calculate(settings.Get(), 0), S_OK);
    EXPECT_EQ(OutputName(calculation.Get()), c.name);
    EXPECT_EQ(channel.committed->unit, c.unit);
    const PendrelOutputScaling s = channel.committed->scaling;
    EXPECT_NEAR((c.range + s.shift) * s.scale, 32000.0, 1e-3);
    EXPECT_NEAR((-c.range + s.shift) * s.scale, -32000.0, 1e-3);
  }
}

// The fixed ranges (+-2 s, +-0.1 s, +-120 BPM) clipped rodents' rates, long intervals and large
// changes; the range now widens with the classifier limits.
TEST(ChannelCalcModes, TheRangeCoversWhatTheClassifierLimitsAdmitAndBeatsBeyondThem) {
  Rhyth::ClassifierLimits mouse{0.09, 0.12, 0.9, 1.1};
  Rhyth::ClassifierLimits human;  // 0.8 to 1.2 s
  Rhyth::ClassifierLimits longRR{1.5, 2.5, 1.0, 1.5};
  const struct {
    LONG mode;
    Rhyth::ClassifierLimits limits;
    double mustHold;
  } cases[] = {
      {Rhyth::kCalcModeBeatRate, mouse, 700.0},   {Rhyth::kCalcModeBeatRate, mouse, 300.0},
      {Rhyth::kCalcModeBeatRate, human, 200.0},   {Rhyth::kCalcModeBeatPeriod, human, 2.5},
      {Rhyth::kCalcModeBeatPeriod, longRR, 5.0},  {Rhyth::kCalcModeBeatPeriodChange, human, 1.0},
      {Rhyth::kCalcModeBeatPeriodChange, human, -1.0}, {Rhyth::kCalcModeBeatComplexity, human, 3.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mustHold);
    const Rhyth::OutputRange range = Rhyth::CalcModeRange(c.mode, c.limits);
    EXPECT_LE(range.minimum, c.mustHold);
    EXPECT_GE(range.maximum, c.mustHold);
  }
  // Limits that are no numbers fall back to the defaults' and never narrow the fixed range.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Rhyth::OutputRange odd = Rhyth::CalcModeRange(Rhyth::kCalcModeBeatRate, Rhyth::ClassifierLimits{nan, 0.0, nan, -1.0});
  EXPECT_GE(odd.maximum, 120.0);
  EXPECT_TRUE(std::isfinite(odd.maximum));
}

}  // namespace
