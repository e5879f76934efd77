// WFDB headers: comments and blank lines anywhere, both line ends, every optional field of the
// record and signal lines present or absent, and a message naming the line for text that is
// not a header.
#include "host/recording/wfdb_header.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/recording/recording_error.h"
#include "host/tests/signal/signal_test_support.h"

namespace PendrelHost {
namespace {

TEST(WfdbHeader, ReadsEveryFieldBetweenCommentsAndBlankLines) {
  const WfdbHeader header = ParseWfdbHeader(
      "# leading comment\r\n"
      "\r\n"
      "   # indented comment\r\n"
      "rec_1 2 360/720(15) 650000 13:05:00.25 25/4/1989\r\n"
      "# between the signals\r\n"
      "rec_1.dat 212 200(1024)/uV 11 1024 995 -22131 0 modified lead II\r\n"
      "\t\r\n"
      "rec_1.dat 212x1:0+512 400/mmHg 12 5 7 20052 4096   V5  \r\n"
      "# Aldomet, Inderal\r\n",
      "rec_1.hea");
  EXPECT_EQ(header.recordName, "rec_1");
  EXPECT_FALSE(header.segments);
  EXPECT_EQ(header.signalCount, 2);
  EXPECT_EQ(header.samplingFrequency, 360.0);
  EXPECT_EQ(header.counterFrequency, 720.0);
  EXPECT_EQ(header.baseCounter, 15.0);
  EXPECT_EQ(header.samplesPerSignal, 650000);
  EXPECT_EQ(header.baseTime, 13 * 3600 + 5 * 60 + 0.25);
  ASSERT_TRUE(header.baseDate);
  EXPECT_EQ(header.baseDate->day, 25);
  EXPECT_EQ(header.baseDate->month, 4);
  EXPECT_EQ(header.baseDate->year, 1989);
  ASSERT_EQ(header.signals.size(), 2u);

  const WfdbSignal& first = header.signals[0];
  EXPECT_EQ(first.line, 6u);
  EXPECT_EQ(first.fileName, "rec_1.dat");
  EXPECT_EQ(first.format, 212);
  EXPECT_EQ(first.gain, 200.0);
  EXPECT_EQ(first.baseline, 1024);
  EXPECT_EQ(first.units, "uV");
  EXPECT_EQ(first.adcResolution, 11);
  EXPECT_EQ(first.adcZero, 1024);
  EXPECT_EQ(first.initialValue, 995);
  EXPECT_EQ(first.checksum, -22131);
  EXPECT_EQ(first.blockSize, 0);
  EXPECT_EQ(first.description, "modified lead II");

  const WfdbSignal& second = header.signals[1];
  EXPECT_EQ(second.line, 8u);
  EXPECT_EQ(second.samplesPerFrame, 1);
  EXPECT_EQ(second.byteOffset, 512);
  EXPECT_EQ(second.baseline, 5);  // the ADC zero, as no baseline is given
  EXPECT_EQ(second.units, "mmHg");
  EXPECT_EQ(second.blockSize, 4096);
  EXPECT_EQ(second.description, "V5");
}

TEST(WfdbHeader, OptionalFieldsTakeTheFormatsDefaults) {
  const WfdbHeader header =
      ParseWfdbHeader("short 1\nshort.dat 16\n# trailing comment", "short.hea");
  EXPECT_EQ(header.samplingFrequency, 250.0);
  EXPECT_FALSE(header.counterFrequency);
  EXPECT_FALSE(header.samplesPerSignal);
  EXPECT_FALSE(header.baseTime);
  ASSERT_EQ(header.signals.size(), 1u);
  const WfdbSignal& signal = header.signals[0];
  EXPECT_EQ(signal.gain, 200.0);
  EXPECT_EQ(signal.baseline, 0);
  EXPECT_EQ(signal.units, "mV");
  EXPECT_EQ(signal.initialValue, 0);
  EXPECT_FALSE(signal.checksum);
  EXPECT_EQ(signal.description, "");

  struct Case {
    const char* text;
    double frequency;
    std::optional<int64_t> samples;
    std::optional<double> baseTime;
    bool baseDate;
    int64_t baseline;
    int64_t initialValue;
  };
  const Case cases[] = {
      {"r 1 500\nr.dat 16 100\n", 500, {}, {}, false, 0, 0},
      {"r 1 3.6e2 0\nr.dat 16 100 12 7\n", 360, {}, {}, false, 7, 7},  // 0 samples: unknown
      {"r 1 360. 10 0:0:0 0/0/0\nr.dat 16 100(3)\n", 360, 10, 0.0, false, 3,
       0},  // date not recorded
      {"r 1 360 10 5:30\nr.dat 16 100 12 7 9\n", 360, 10, 330.0, false, 7,
       9},  // minutes and seconds
      {"r 1 360 10 1:2:3 1/1/2000\nr.dat 16\n", 360, 10, 3723.0, true, 0, 0},
  };
  for (const Case& c : cases) {
    const WfdbHeader parsed = ParseWfdbHeader(c.text, "r.hea");
    EXPECT_EQ(parsed.samplingFrequency, c.frequency) << c.text;
    EXPECT_EQ(parsed.samplesPerSignal, c.samples) << c.text;
    EXPECT_EQ(parsed.baseTime, c.baseTime) << c.text;
    EXPECT_EQ(parsed.baseDate.has_value(), c.baseDate) << c.text;
    EXPECT_EQ(parsed.signals[0].baseline, c.baseline) << c.text;
    EXPECT_EQ(parsed.signals[0].initialValue, c.initialValue) << c.text;
  }
}

TEST(WfdbHeader, MultiSegmentHeadersListSegmentsNotSignals) {
  const WfdbHeader header =
      ParseWfdbHeader("multi/3 2 360 45000\n100s 21600\nnull 1800\n100s 21600\n", "m.hea");
  EXPECT_EQ(header.segments, 3);
  EXPECT_EQ(header.signalCount, 2);
  EXPECT_TRUE(header.signals.empty());
}

TEST(WfdbHeader, TextThatIsNoHeaderIsRefusedNamingTheLine) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"", "r.hea: there is no record line: the header is empty"},
      {"# only a comment\n\n", "r.hea:2: there is no record line: the header is empty"},
      {"rec\n", "r.hea:1: the record line gives no number of signals"},
      {"rec two\n", "r.hea:1: the number of signals 'two' is not a whole number"},
      {"rec -1\n", "r.hea:1: the number of signals -1 is outside 0 to"},
      {"rec/0 1\n", "r.hea:1: the number of segments 0 is outside 1 to"},
      {"rec 1 0\n", "r.hea:1: the sampling frequency 0 is not positive"},
      {"rec 1 nan\n", "r.hea:1: the sampling frequency 'nan' is not a number"},
      {"rec 1 360/x\n", "r.hea:1: the counter frequency 'x' is not a number"},
      {"rec 1 360/720(15\n", "r.hea:1: the base counter value '(15' lacks its ')'"},
      {"rec 1 360 1.5\n", "r.hea:1: the number of samples per signal '1.5' is not a whole number"},
      {"rec 1 360 10 25:00:00\n", "r.hea:1: the base time '25:00:00' is not a time of day"},
      {"rec 1 360 10 0:0:0 31/2/2000\n", "r.hea:1: the base date '31/2/2000' is not a date"},
      {"rec 2 360\nrec.dat 16\n",
       "r.hea:2: the record line names 2 signals, but 1 signal lines follow"},
      {"rec 1 360\n\nrec.dat\n", "r.hea:3: the signal line for 'rec.dat' gives no format"},
      {"rec 1\nrec.dat 2l2\n", "r.hea:2: the format '2l2' is not a whole number"},
      {"rec 1\nrec.dat 212x0\n", "r.hea:2: the samples per frame 0 is outside 1 to"},
      {"rec 1\nrec.dat 16 200(1024\n", "r.hea:2: the baseline in '200(1024' lacks its ')'"},
      {"rec 1\nrec.dat 16 200/\n", "r.hea:2: '200/' is not a gain with its baseline and units"},
      {"rec 1\nrec.dat 16 200 12 0 0 x\n", "r.hea:2: the checksum 'x' is not a whole number"},
      // Sample values are 32 bits at most; wider ones would run format 8's sums past 64 bits.
      {"rec 1\nrec.dat 8 100 8 0 999999999999999999\n",
       "r.hea:2: the initial value 999999999999999999 is outside -2147483648 to 2147483647"},
      {"rec 1\nrec.dat 16 200 12 -2147483649\n", "r.hea:2: the ADC zero -2147483649 is outside"},
      {"rec 1\nrec.dat 16 200(4294967296)\n", "r.hea:2: the baseline 4294967296 is outside"},
      {"\x7F"
       "ELF\x02\x01\n",
       "r.hea:1: the record line gives no number of signals"},
  };
  for (const Case& c : cases) {
    EXPECT_THAT(Testing::FailureOf<RecordingError>([&] { ParseWfdbHeader(c.text, "r.hea"); }),
                testing::HasSubstr(c.message))
        << c.text;
  }
}

}  // namespace
}  // namespace PendrelHost
