// The beat-mark draw class: each beat's colour and tooltip follow its class as the analysis sees
// it (unclassified and unreadable beats grey and "Unknown", beats the user added green), the
// tooltip shows RR in milliseconds and FF as the report writes numbers, and the class object
// names itself to the host.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "analysis/rhyth_guids.h"
#include "core/com_ptr.h"
#include "host/app/host_start.h"
#include "hostframework/host_services.h"
#include "views/marks/beat_mark_draw_class.h"

namespace ViewsTest {
namespace {

constexpr double kMarkNaN = std::numeric_limits<double>::quiet_NaN();
constexpr COLORREF kMarkGrey = 0xC8C8C8;

Rhyth::FiducialEvent MarkedBeat(DWORD flags, double rr = 0.8125, double deltaRR = 0.01,
                          LONG position = 1000) {
  Rhyth::FiducialEvent beat = Rhyth::kEmptyBeat;
  beat.position = position;
  beat.beatNumber = 17;
  beat.ff = 1.234;
  beat.rr = rr;
  beat.deltaRR = deltaRR;
  beat.flags = flags;
  return beat;
}

class BeatMarkDrawClass : public ::testing::Test {
 protected:
  void SetUp() override {
    PendrelHost::StartHost();
    classObject.Attach(Rhyth::NewBeatMarkDrawClassObject());
    ASSERT_TRUE(classObject);
    ASSERT_EQ(classObject->QueryInterface(IPODEventDrawClass::iid,
                                          Quor::ComPtrOut<IPODEventDrawClass>::Bind(draw)),
              S_OK);
  }

  COLORREF Colour(const Rhyth::FiducialEvent& beat) {
    COLORREF colour = 0x12345678;
    EXPECT_EQ(draw->GetMarkColour(0, &beat, &colour), S_OK);
    return colour;
  }

  std::string Text(const Rhyth::FiducialEvent& beat) {
    IQuorString* text = nullptr;
    EXPECT_EQ(draw->GetMarkText(0, 0, 0, &beat, 0, 0, &text), S_OK);
    Quor::String held;
    held.Adopt(static_cast<IAutoQuorString*>(text));
    return held.ToUtf8String();
  }

  // The class text at the end of the tooltip.
  std::string ClassText(const Rhyth::FiducialEvent& beat) {
    const std::string text = Text(beat);
    const auto open = text.rfind('(');
    return open == std::string::npos ? text : text.substr(open + 1, text.size() - open - 2);
  }

  Quor::ComPtr<ITarnClassObject> classObject;
  Quor::ComPtr<IPODEventDrawClass> draw;
};

TEST_F(BeatMarkDrawClass, ColoursAndNamesEachBeatByItsClass) {
  struct Case {
    const char* what;
    Rhyth::FiducialEvent beat;
    COLORREF colour;
    const char* classText;
  } cases[] = {
      {"both ectopic kinds", MarkedBeat(0x303), 0x0000FF, "Ectopic"},
      {"RR ectopic", MarkedBeat(0x301), 0x00AAFF, "Ectopic"},
      {"FF ectopic", MarkedBeat(0x302), 0xAA00FF, "Ectopic"},
      {"ectopic, not admitted", MarkedBeat(0x001), 0x00AAFF, "Ectopic"},
      {"user-marked ectopic", MarkedBeat(0x10303), 0x00FF00, "Ectopic"},
      {"user-marked normal", MarkedBeat(0x10300), 0x00FF00, "Normal"},
      {"high word 2 is no user mark", MarkedBeat(0x20302), 0xAA00FF, "Ectopic"},
      {"normal, RR usable only", MarkedBeat(0x100), kMarkGrey, "Unused"},
      {"normal, both usable", MarkedBeat(0x300), 0xFF5000, "Normal"},
      {"normal, change usable only", MarkedBeat(0x200), kMarkGrey, "Unused"},
      {"class 4", MarkedBeat(0x304), kMarkGrey, "Unused"},
      {"unclassified", MarkedBeat(0x3FF), kMarkGrey, "Unknown"},
      {"unclassified, user-marked", MarkedBeat(0x103FF), kMarkGrey, "Unknown"},
      {"RR missing", MarkedBeat(0x300, kMarkNaN), kMarkGrey, "Unknown"},
      {"change of RR missing", MarkedBeat(0x300, 0.8, kMarkNaN), kMarkGrey, "Unknown"},
      {"user-marked, change of RR missing", MarkedBeat(0x10300, 0.8, kMarkNaN), kMarkGrey, "Unknown"},
      {"no position", MarkedBeat(0x300, 0.8, 0.01, Rhyth::kNoBeatPosition), kMarkGrey, "Unknown"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Colour(c.beat), c.colour);
    EXPECT_EQ(ClassText(c.beat), c.classText);
  }
}

TEST_F(BeatMarkDrawClass, TooltipShowsNumberRRInMillisecondsAndFF) {
  const double infinity = std::numeric_limits<double>::infinity();
  struct Case {
    Rhyth::FiducialEvent beat;
    const char* text;
  } cases[] = {
      {MarkedBeat(0x300), "Rhyth Beat 17: RR = 812.5 ms; FF = 1.234 (Normal)"},
      {MarkedBeat(0x300, 1.25), "Rhyth Beat 17: RR = 1250 ms; FF = 1.234 (Normal)"},
      {MarkedBeat(0x300, kMarkNaN), "Rhyth Beat 17: RR = no data; FF = 1.234 (Unknown)"},
      {MarkedBeat(0x301, 0.123456), "Rhyth Beat 17: RR = 123.5 ms; FF = 1.234 (Ectopic)"},
  };
  for (const Case& c : cases) EXPECT_EQ(Text(c.beat), c.text);

  Rhyth::FiducialEvent beat = MarkedBeat(0x300);
  beat.ff = 0.00012;
  beat.beatNumber = -3;
  EXPECT_EQ(Text(beat), "Rhyth Beat -3: RR = 812.5 ms; FF = 0.00012 (Normal)");
  beat.ff = infinity;
  beat.beatNumber = 123456;
  EXPECT_EQ(Text(beat), "Rhyth Beat 123456: RR = 812.5 ms; FF = n/a (Normal)");
}

TEST_F(BeatMarkDrawClass, ReadsARecordWhereverTheHostKeepsIt) {
  // A record at an odd address in the host's buffer.
  alignas(8) unsigned char buffer[sizeof(Rhyth::FiducialEvent) + 1];
  const Rhyth::FiducialEvent beat = MarkedBeat(0x302);
  std::memcpy(buffer + 1, &beat, sizeof beat);
  COLORREF colour = 0;
  EXPECT_EQ(draw->GetMarkColour(0, buffer + 1, &colour), S_OK);
  EXPECT_EQ(colour, 0xAA00FFu);
}

TEST_F(BeatMarkDrawClass, ANullEventFailsBothQuestions) {
  COLORREF colour = 0x12345678;
  EXPECT_EQ(draw->GetMarkColour(0, nullptr, &colour), E_FAIL);
  EXPECT_EQ(colour, 0x12345678u);
  IQuorString* text = nullptr;
  EXPECT_EQ(draw->GetMarkText(0, 0, 0, nullptr, 0, 0, &text), E_FAIL);
  EXPECT_EQ(text, nullptr);
}

TEST_F(BeatMarkDrawClass, NamesItselfToTheHost) {
  DWORD type = 0;
  ASSERT_EQ(classObject->GetTypeId(&type), S_OK);
  EXPECT_EQ(type, (DWORD(GetTarnGuidId(Rhyth::GUID_RhythEnumObj)) << 16) | 1);
  GUID category = Rhyth::GUID_RhythEnumObj;
  EXPECT_EQ(classObject->GetCategoryId(&category), S_OK);
  EXPECT_EQ(category, GUID_NULL);
  EXPECT_EQ(classObject->IsCategory(GUID_NULL), S_FALSE);
  EXPECT_EQ(classObject->IsCategory(Rhyth::GUID_RhythEnumObj), S_FALSE);
  IQuorString* name = nullptr;
  ASSERT_EQ(classObject->GetClassName(&name), S_OK);
  Quor::String held;
  held.Adopt(static_cast<IAutoQuorString*>(name));
  EXPECT_EQ(held.ToUtf8String(), "PkStimEventDrawClass");

  // Both faces are one object.
  Quor::ComPtr<ITarnClassObject> back;
  ASSERT_EQ(draw->QueryInterface(ITarnClassObject::iid, Quor::ComPtrOut<ITarnClassObject>::Bind(back)),
            S_OK);
  EXPECT_EQ(back.Get(), classObject.Get());
  void* none = this;
  EXPECT_EQ(classObject->QueryInterface(IQuorString::iid, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
}

}  // namespace
}  // namespace ViewsTest
