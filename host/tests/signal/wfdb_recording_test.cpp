// WFDB records read by the host's own reader: signals as channels in physical units, the start
// from the base date and time, and a clear refusal for every record the host cannot show as it
// is (the byte layouts of the formats are checked against an independent reader in
// reference/check_wfdb_formats.py).
#include "host/recording/wfdb_recording.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/recording/recording_error.h"
#include "host/recording/recording_file.h"
#include "host/recording/wfdb_formats.h"
#include "host/tests/signal/signal_test_support.h"
#include "host/tests/signal/test_folder.h"

namespace PendrelHost {
namespace {

class WfdbRecordingTest : public Testing::TestFolder {
 protected:
  // Format 16 samples, low byte first.
  static std::string Format16(std::initializer_list<int16_t> samples) {
    std::string bytes;
    for (const int16_t sample : samples) {
      bytes += char(sample & 0xFF);
      bytes += char((sample >> 8) & 0xFF);
    }
    return bytes;
  }

  std::string FailureOf(const std::filesystem::path& path) const {
    return Testing::FailureOf<RecordingError>([&] { LoadRecordingFile(path); });
  }
};

TEST_F(WfdbRecordingTest, SignalsBecomeChannelsInPhysicalUnits) {
  // Frames (10, -4), (30, 0), (-10, 8); checksums 30 and 4.
  Write("r.dat", Format16({10, -4, 30, 0, -10, 8}));
  const auto header = Write("r.hea",
                            "r 2 250 3 08:30:15.5 02/03/2021\n"
                            "r.dat 16 20(10)/mmHg 12 0 10 30 0 Pressure\n"
                            "r.dat 16 -4 12 0 -4 4\n");
  for (const auto& path : {header, folder / "r.dat"}) {
    const Recording recording = LoadRecordingFile(path);
    EXPECT_EQ(recording.SampleRate(), 250.0);
    ASSERT_EQ(recording.ChannelCount(), 2u);
    EXPECT_EQ(recording.Channel(0).title, "Pressure");
    EXPECT_EQ(recording.Channel(0).unit, "mmHg");
    EXPECT_EQ(recording.Channel(1).title, "record r, signal 1");
    EXPECT_EQ(recording.Channel(1).unit, "mV");
    EXPECT_TRUE(recording.IsClosed(0));
    const auto values = [&](std::size_t channel) {
      const auto samples = recording.Samples(0, channel);
      return std::vector<float>(samples.begin(), samples.end());
    };
    EXPECT_EQ(values(0), (std::vector<float>{0.0f, 1.0f, -1.0f}));  // (adc - 10) / 20
    EXPECT_EQ(values(1), (std::vector<float>{1.0f, 0.0f, -2.0f}));  // adc / -4
    ASSERT_TRUE(recording.StartDateTime());
    EXPECT_EQ(*recording.StartDateTime(), 1614673815.5);  // 2021-03-02 08:30:15.5
  }
}

TEST_F(WfdbRecordingTest, RecordsTheHostCannotShowAsTheyAreAreRefusedSayingWhy) {
  Write("six.dat", Format16({1, 2, 3, 4, 5, 6}));
  Write("two.dat", Format16({1, 2}));
  struct Case {
    const char* header;
    const char* message;
  };
  const Case cases[] = {
      {"m/2 1 360 20\nsix 10\nsix 10\n", ": is a multi-segment record (2 segments)"},
      {"r 2 360\nsix.dat 16x2\nsix.dat 16\n",
       ":2: is a multi-frequency record: signal 1 has 2 samples per frame"},
      {"r 1 360\nsix.dat 16:2\n", ":2: signal 1 is skewed by 2 samples"},
      {"r 1 360\n~ 0 200 12 0 0 0 0 ECG\n",
       ":2: signal 1 (ECG) is in format 0, which holds no samples"},
      {"r 1 360\nsix.dat 24\n", ":2: signal 1 is in format 24, which the host does not read"},
      {"r 1 360\nsix.dat 16 0 12 0 0 0 0 ECG\n",
       ":2: signal 1 (ECG) has an ADC gain of 0: its amplitude is uncalibrated"},
      {"r 1 360\n- 16\n", ":2: signal 1 is read from the standard input"},
      {"r 1 50\nsix.dat 16\n", ": the sample rate 50 Hz is outside 100 Hz to 2000 Hz"},
      {"r 0 360\n", ": the record has no signals"},
      {"r 1 360\nmissing.dat 16\n", "missing.dat: no such file"},
      {"r 1 360 7\nsix.dat 16\n",
       ":2: the signal file six.dat holds 6 samples of each signal; the header says 7"},
      {"r 1 360 5\nsix.dat 16\n",
       ":2: the signal file six.dat is 2 bytes longer than the header's 5 samples"},
      {"r 1 360 6\nsix.dat 16+4\n",
       ":2: the signal file six.dat holds 4 samples of each signal; the header says 6"},
      {"r 1 360 6\nsix.dat 16 200 12 0 0 22\n",
       ":2: signal 1: the samples' checksum is 21, the header says 22"},
      {"r 2 360\nsix.dat 16\ntwo.dat 16\n",
       ": its signal files hold different numbers of samples (6 and 2 per signal)"},
      {"r 2 360\nsix.dat 16\nsix.dat 212\n",
       ":3: signal 2 shares six.dat with signal 1 but not its format"},
      {"r 3 360\nsix.dat 16\ntwo.dat 16\nsix.dat 16\n",
       ":4: signal 3 names six.dat again after other files"},
      {"r 1 360\nempty.dat 16\n", ": the record holds no samples"},
  };
  Write("empty.dat", "");
  for (const Case& c : cases) {
    const auto header = Write("r.hea", c.header);
    EXPECT_THAT(FailureOf(header), testing::StartsWith(header.string())) << c.header;
    EXPECT_THAT(FailureOf(header), testing::HasSubstr(c.message)) << c.header;
  }
}

// The last group of a file may be cut, but only where the samples it still holds end: two
// samples of format 310 take both of its words, where format 311 holds them in three bytes.
TEST_F(WfdbRecordingTest, ACutLastGroupHoldsOnlyTheSamplesItsBytesComplete) {
  struct Case {
    int format;
    uint64_t samples;
    uint64_t fewestBytes;
  } cases[] = {{212, 1, 2}, {212, 2, 3}, {310, 1, 2}, {310, 2, 4}, {310, 4, 6},
               {310, 5, 8}, {311, 1, 2}, {311, 2, 3}, {311, 5, 7}, {16, 3, 6}};
  for (const Case& c : cases) {
    EXPECT_EQ(WfdbFewestBytesFor(*FindWfdbFormat(c.format), c.samples), c.fewestBytes)
        << c.format << " " << c.samples;
  }
  // Two signals of one sample each: (5, -3) in format 310's two words, and cut after the first.
  const std::string whole = {0x0A, 0x00, char(0xFA), 0x07};
  for (const std::string& data : {whole, whole.substr(0, 2)}) {
    const WfdbFileOpener open = [&](const std::string& name) { return MemoryBytes(data, name); };
    const WfdbHeader header = ParseWfdbHeader("m 2 100 1\nm.dat 310 1\nm.dat 310 1\n", "m.hea");
    const std::string failure =
        Testing::FailureOf<RecordingError>([&] { ReadWfdbRecording(header, "m.hea", open); });
    if (data.size() == 4) {
      EXPECT_EQ(failure, "(no failure)");
      const Recording recording = ReadWfdbRecording(header, "m.hea", open);
      EXPECT_EQ(recording.Samples(0, 0)[0], 5.0f);
      EXPECT_EQ(recording.Samples(0, 1)[0], -3.0f);
    } else {
      EXPECT_THAT(failure, testing::HasSubstr("holds 0 samples of each signal; the header says 1"));
    }
  }
}

TEST_F(WfdbRecordingTest, ReadsFromMemoryForFuzzing) {
  const std::string data = Format16({100, -100});
  const WfdbFileOpener open = [&](const std::string& name) {
    if (name != "m.dat") throw RecordingError(name + ": no such file");
    return MemoryBytes(data, name);
  };
  const WfdbHeader header = ParseWfdbHeader("m 1 100 2\nm.dat 16 100 12 0 0 0\n", "m.hea");
  const Recording recording = ReadWfdbRecording(header, "m.hea", open);
  EXPECT_EQ(recording.Samples(0, 0)[0], 1.0f);
  EXPECT_EQ(recording.Samples(0, 0)[1], -1.0f);
}

}  // namespace
}  // namespace PendrelHost
