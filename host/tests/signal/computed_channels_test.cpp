// Named computed channels: references, failures with their reasons, and what a change redoes.
#include "host/channels/computed_channels.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "host/channels/channel_error.h"
#include "host/tests/signal/signal_test_support.h"

namespace PendrelHost {
namespace {

using testing::HasSubstr;
using Testing::MakeRecording;
using Testing::ReadAll;

class ComputedChannelsTest : public testing::Test {
 protected:
  std::string FailureOf(const std::string& formula) {
    return Testing::FailureOf<ChannelError>([&] { channels.Evaluate(formula); });
  }
  std::size_t Define(const std::string& name, const std::string& formula) {
    const std::size_t index = channels.Add(name);
    channels.SetFormula(index, formula);
    return index;
  }

  Recording recording = MakeRecording(200.0, {{1, 2, 3, 4}, {10, 20, 30, 40}});
  EventEnumeratorRegistry registry;
  ComputedChannels channels{recording, registry};
};

TEST_F(ComputedChannelsTest, ChannelsAreFoundByNumberInAnyCaseAndByTitle) {
  const std::vector<float> second{10, 20, 30, 40};
  for (const char* formula : {"Ch2", "ch2", "CH2", "RCh2", "rch2", "signal2", "SIGNAL2"}) {
    EXPECT_EQ(ReadAll(channels.Evaluate(formula)), second) << formula;
  }
}

TEST_F(ComputedChannelsTest, ArithmeticWorksTickByTickAndNumbersFold) {
  EXPECT_EQ(ReadAll(channels.Evaluate("Ch2 / Ch1 - -1")), (std::vector<float>{11, 11, 11, 11}));
  EXPECT_EQ(ReadAll(channels.Evaluate("(1 + 2) * 4 / 8")), (std::vector<float>{1.5, 1.5, 1.5, 1.5}));
  EXPECT_EQ(ReadAll(channels.Evaluate("-Ch1 * 2")), (std::vector<float>{-2, -4, -6, -8}));
}

TEST_F(ComputedChannelsTest, BadFormulasFailWithTheirReason) {
  struct Case {
    const char* formula;
    const char* message;
  };
  const Case cases[] = {
      {"foo(Ch1)", "unknown function 'foo'"},
      {"Ch1 + Missing", "unknown channel 'Missing'"},
      {"Ch3", "Ch3: the recording has 2 channels"},
      {"lowpass(Ch1)", "lowpass(signal, cutoff in Hz): takes 2 arguments, not 1"},
      {"lowpass(Ch1, -1)", "lowpass(signal, cutoff in Hz): the cutoff must be above 0 Hz, not -1"},
      {"lowpass(3, 30)", "argument 1 must be a sampled channel, not a number"},
      {"lowpass(Ch1, Ch2)", "argument 2 must be a number, not a sampled channel"},
      {"lowpass(Ch1, 1/0)", "argument 2 must be finite, not inf"},
      {"lowpass(Ch1, 0.001)", "would reach more than 60 s"},
      {"differentiate(Ch1, 2.5)", "argument 2 must be a whole number, not 2.5"},
      {"differentiate(Ch1, 1)", "the slope needs at least 2 points, not 1"},
      {"resample(Ch1, 1, 1, 2, 57, 0, 2)", "only the form resample(x, 1, 1, 1, N, 0, 2)"},
      {"resample(Ch1, 57)", "only the form resample(x, 1, 1, 1, N, 0, 2)"},
      {"resample(Ch1, 1, 1, 1, 1, 0, 2)", "needs at least 3 taps, not 1"},
      {"normalizeSec(Ch1, 0.001, 0, 0)", "the window of 0.001 s holds fewer than 2 samples"},
      {"normalizeSec(Ch1, 5, 2.5, -1)", "the noise floor must be 0 or more, not -1"},
      {"cmpeakdet(Ch1, 3, -0.3, 30)", "the minimum period must be from 0 to 600 s, not -0.3"},
      {"cmpeakdet(Ch1, 3, 0.3, 130)", "the hysteresis must be from 0 to 100 percent, not 130"},
      {"cmpeakdet(cmpeakdet(Ch1, 3, 0.3, 30), 3, 0.3, 30)", "argument 1 must be a sampled channel, not an event channel"},
      {"cmpeakdet(Ch1, 3, 0.3, 30) + 1", "an event channel cannot take part in arithmetic ('+')"},
      {"-cmpeakdet(Ch1, 3, 0.3, 30)", "an event channel cannot take part in arithmetic ('-')"},
      {"sinewave(Ch1)", "sinewave(frequency in Hz): argument 1 must be a number"},
  };
  for (const Case& c : cases) EXPECT_THAT(FailureOf(c.formula), HasSubstr(c.message)) << c.formula;
}

TEST_F(ComputedChannelsTest, CyclesFailEveryChannelOnThem) {
  const std::size_t a = Define("A", "B + 1");
  const std::size_t b = Define("B", "C * 2");
  const std::size_t c = Define("C", "a - 1");
  const std::size_t self = Define("Self", "Self + 1");
  EXPECT_EQ(channels.Failure(a), "channel 'B' fails: channel 'C' fails: the channels refer to each other in a "
                                 "cycle: A -> B -> C -> A");
  EXPECT_TRUE(channels.Failure(b));
  EXPECT_TRUE(channels.Failure(c));
  EXPECT_EQ(channels.Failure(self), "the channels refer to each other in a cycle: Self -> Self");
  // Breaking the cycle mends them all.
  channels.SetFormula(c, "Ch1");
  EXPECT_EQ(ReadAll(channels.Channel(a)), (std::vector<float>{3, 5, 7, 9}));
  EXPECT_FALSE(channels.Failure(b));
}

TEST_F(ComputedChannelsTest, AChannelWorksOnceTheChannelItNeedsIsDefined) {
  const std::size_t user = Define("User", "Later * 2");
  EXPECT_EQ(channels.Failure(user), "unknown channel 'Later'");
  const std::size_t later = channels.Add("LATER");
  EXPECT_EQ(channels.Failure(user), "channel 'LATER' fails: the channel has no formula");
  channels.SetFormula(later, "Ch1 + 1");
  EXPECT_EQ(ReadAll(channels.Channel(user)), (std::vector<float>{4, 6, 8, 10}));
  channels.Remove(later);
  EXPECT_EQ(channels.Failure(user), "unknown channel 'Later'");
}

TEST_F(ComputedChannelsTest, NamesMatchInAnyCaseAndIndexesStayFixed) {
  const std::size_t first = Define("Rhyth_vLPF", "lowpass(Ch1,30)");
  const std::size_t second = Define("Rhyth_vDIF", "differentiate(Rhyth_vlpf,3)");
  EXPECT_EQ(channels.Add("RHYTH_VLPF"), first);
  EXPECT_EQ(channels.Find("rhyth_vdif"), second);
  channels.Remove(first);
  EXPECT_FALSE(channels.Find("Rhyth_vLPF"));
  EXPECT_EQ(channels.Find("Rhyth_vDIF"), second);
  EXPECT_NE(channels.Add("Rhyth_vLPF"), first);
  EXPECT_THROW(channels.Name(first), ChannelError);
}

TEST_F(ComputedChannelsTest, ChangingAFormulaRedoesTheChannelsThatUseIt) {
  const std::size_t base = Define("Base", "Ch1");
  const std::size_t user = Define("User", "Base * 10");
  EXPECT_EQ(ReadAll(channels.Channel(user)), (std::vector<float>{10, 20, 30, 40}));
  channels.SetFormula(base, "Ch2");
  EXPECT_EQ(ReadAll(channels.Channel(user)), (std::vector<float>{100, 200, 300, 400}));
  EXPECT_EQ(channels.FormulaText(user), "Base * 10");
}

}  // namespace
}  // namespace PendrelHost
