// Files read through libbiosig (EDF, GDF) once the host's checks let them pass; and what a file
// that cannot be read says.
#include "host/recording/biosig_recording.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "host/recording/biosig_file_check.h"
#include "host/recording/csv_recording.h"
#include "host/recording/recording_error.h"
#include "host/recording/recording_file.h"
#include "host/tests/signal/edf_test_file.h"
#include "host/tests/signal/signal_test_support.h"
#include "host/tests/signal/test_folder.h"

namespace PendrelHost {
namespace {

class BiosigRecordingTest : public Testing::TestFolder {
 protected:
  std::string FailureOf(const std::filesystem::path& path) {
    return Testing::FailureOf<RecordingError>([&] { LoadRecordingFile(path); });
  }
};

TEST_F(BiosigRecordingTest, ReadsAnEdfFileInPhysicalUnits) {
  std::vector<double> ramp, wave;
  for (int i = 0; i < 600; ++i) {
    ramp.push_back(-2.0 + i * 0.005);
    wave.push_back(100.0 * std::sin(i * 0.05));
  }
  const auto path = folder / "two.edf";
  Testing::WriteEdf(path, 200, {{"ECG I", "mV", -5.0, 5.0, ramp}, {"Resp", "uV", -200.0, 200.0, wave}});

  const Recording recording = LoadRecordingFile(path);
  EXPECT_EQ(recording.SampleRate(), 200.0);
  ASSERT_EQ(recording.ChannelCount(), 2u);
  EXPECT_EQ(recording.Channel(0).title, "ECG I");
  EXPECT_EQ(recording.Channel(0).unit, "mV");
  EXPECT_EQ(recording.Channel(1).unit, "uV");
  ASSERT_EQ(recording.TickCount(0), 600);
  for (int i = 0; i < 600; ++i) {
    ASSERT_NEAR(recording.Samples(0, 0)[i], ramp[i], 1e-3) << i;
    ASSERT_NEAR(recording.Samples(0, 1)[i], wave[i], 1e-2) << i;
  }
  ASSERT_TRUE(recording.StartDateTime());
  EXPECT_EQ(*recording.StartDateTime(), 1614680430.0);  // 2021-03-02 10:20:30
}

TEST_F(BiosigRecordingTest, ReadsGdfFilesOfBothHeaderLayouts) {
  std::vector<double> ramp;
  for (int i = 0; i < 400; ++i) ramp.push_back(-1.0 + i * 0.005);
  for (const char* version : {"GDF 1.25", "GDF 2.20"}) {
    const auto path = folder / "ramp.gdf";
    Testing::WriteGdf(path, version, 200,
                      {{"ECG", "mV", -5.0, 5.0, ramp}, {"Resp", "", -5.0, 5.0, ramp}});
    const Recording recording = LoadRecordingFile(path);
    EXPECT_EQ(recording.SampleRate(), 200.0) << version;
    ASSERT_EQ(recording.ChannelCount(), 2u) << version;
    EXPECT_EQ(recording.Channel(0).title, "ECG") << version;
    ASSERT_EQ(recording.TickCount(0), 400) << version;
    for (int i = 0; i < 400; i += 37)
      ASSERT_NEAR(recording.Samples(0, 1)[i], ramp[i], 1e-3) << version;
  }
}

// Headers that do not hold together never reach the library: EDF and GDF headers of a
// recording of three one-second records of 200 samples, changed field by field (files cut in
// each part are in the command's table, bad_recording_files_test.cpp).
TEST_F(BiosigRecordingTest, HeadersThatDoNotHoldTogetherAreRefusedBeforeTheLibraryReadsThem) {
  const std::vector<Testing::EdfChannel> channels = {
      {"ECG", "mV", -5.0, 5.0, std::vector<double>(600, 0.0)}};
  Testing::WriteEdf(folder / "good.edf", 200, channels);
  Testing::WriteGdf(folder / "good.gdf", "GDF 2.20", 200, channels);
  const std::string edf = Contents(folder / "good.edf"), gdf = Contents(folder / "good.gdf");
  const auto patched = [](std::string bytes, std::size_t offset, std::string_view text) {
    return bytes.replace(offset, text.size(), text);
  };
  const auto binary = [&](std::size_t offset, auto value) {
    return patched(gdf, offset,
                   std::string_view(reinterpret_cast<const char*>(&value), sizeof value));
  };
  struct Case {
    std::string bytes;
    const char* message;
  };
  const Case cases[] = {
      {patched(edf, 236, "-1      "), "the header does not say how many data records it holds"},
      {patched(edf, 236, "0       "), "the header names no data records"},
      {patched(edf, 236, "3.5     "),
       "the header's number of data records '3.5     ' is not a count"},
      {patched(edf, 244, "0       "), "the data record duration '0       ' is not positive"},
      {patched(edf, 244, "nan     "),
       "the header's data record duration 'nan     ' is not a number"},
      {patched(edf, 252, "0   "), "the header names no signals"},
      {patched(edf, 184, "768     "), "the header's size 768 does not fit its 1 signals"},
      {patched(edf, 256 + 120, "32767   "), "signal 1's digital minimum is not below its maximum"},
      {patched(edf, 256 + 216, "0       "),
       "the header's samples per data record '0       ' is not a count"},
      {patched(edf, 1, "BIOSEMI"), "it is not an EDF, BDF or GDF file"},
      // The library would read these as Alpha trace files, and crash.
      {patched(edf, 256 + 16 + 10, "ALPHA-TRACE-MEDICAL"),
       "it carries the mark of another format, ALPHA-TRACE-MEDICAL"},
      {patched(edf, 1200, "ALPHA-TRACE-MEDICAL"),
       "it carries the mark of another format, ALPHA-TRACE-MEDICAL"},
      {binary(236, int64_t(1) << 40), "the header claims 1099511627776 data records of 400 bytes"},
      {binary(252, uint16_t(300)), "the header's size 512 does not fit its 300 signals"},
      {binary(184, uint16_t(9)),
       "the header's size 2304 does not fit its 1 signals and the file's 1712 bytes"},
      {binary(256 + 216, uint32_t(0)), "signal 1 has no samples per data record"},
      {binary(256 + 220, uint32_t(18)),
       "signal 1 has sample type 18, which the host does not read"},
  };
  // The library lays out versions above 1.90 as version 2, and reads an event table's count
  // without asking whether the file holds it.
  Testing::WriteGdf(folder / "old.gdf", "GDF 1.25", 200, channels);
  const std::string oldGdf = Contents(folder / "old.gdf");
  const std::string eventsHeader = {1, char(0xE8), 3, 0, 0, 0, 0x48, 0x43};  // mode 1, 1000 events
  const std::string oneEvent = {1, 1, 0, 0, 0, 0, 0x48, 0x43, 100, 0, 0, 0, 1, 0};
  const Case gdfCases[] = {
      {patched(gdf, 0, "GDF 2.x "), "its GDF version 'GDF 2.x ' is not a version number the host reads"},
      {patched(gdf, 0, "GDF 2   "), "its GDF version 'GDF 2   ' is not a version number the host reads"},
      {patched(gdf, 0, "GDF 1e10"), "its GDF version 'GDF 1e10' is not a version number the host reads"},
      {patched(oldGdf, 0, "GDF 1.95"), "the header's size"},
      {gdf + eventsHeader, "its event table claims 1000 events, but the file holds 0"},
      {gdf + eventsHeader.substr(0, 3), "the file ends inside its event table's header"},
      {gdf + std::string(1, 2) + eventsHeader.substr(1), "its event table is of mode 2"},
  };
  for (const Case& c : gdfCases) {
    EXPECT_THAT(Testing::FailureOf<RecordingError>([&] { CheckBiosigFile(*MemoryBytes(c.bytes, "bad")); }),
                testing::StartsWith(std::string("bad: cannot be read as a recording: ") + c.message));
  }
  for (const std::string& bytes : {patched(gdf, 0, "GDF 1.95"), oldGdf, gdf + oneEvent})
    EXPECT_NO_THROW(CheckBiosigFile(*MemoryBytes(bytes, "good")));
  for (const Case& c : cases) {
    const std::unique_ptr<ByteSource> bytes = MemoryBytes(c.bytes, "bad");
    EXPECT_THAT(
        Testing::FailureOf<RecordingError>([&] { CheckBiosigFile(*bytes); }),
        testing::StartsWith(std::string("bad: cannot be read as a recording: ") + c.message));
  }
  for (const std::string& bytes : {edf, gdf})
    EXPECT_NO_THROW(CheckBiosigFile(*MemoryBytes(bytes, "good")));
}

TEST_F(BiosigRecordingTest, FilesThatCannotBeReadSayWhichAndWhy) {
  std::ofstream(folder / "garbage.edf") << "this is no recording at all, just some text that runs on for a while";
  std::ofstream(folder / "empty.gdf");
  struct Case {
    std::filesystem::path path;
    std::string message;
  };
  const Case cases[] = {
      {folder / "missing.edf", (folder / "missing.edf").string() + ": no such file"},
      {folder, folder.string() + ": is a folder, not a file"},
      {"/dev/zero", "/dev/zero: is not a regular file"},  // it would be read forever
      {folder / "garbage.edf", (folder / "garbage.edf").string() + ": cannot be read as a recording: "},
      {folder / "empty.gdf", (folder / "empty.gdf").string() + ": cannot be read as a recording: "},
  };
  for (const Case& c : cases) {
    const std::string failure = FailureOf(c.path);
    EXPECT_EQ(failure.substr(0, c.message.size()), c.message) << failure;
  }
}

}  // namespace
}  // namespace PendrelHost
