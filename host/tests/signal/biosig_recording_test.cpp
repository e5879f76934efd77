// Files read through libbiosig: EDF, MIT/WFDB; and what a file that cannot be read says.
#include "host/recording/biosig_recording.h"

#include <gtest/gtest.h>

#include <fstream>

#include "host/recording/csv_recording.h"
#include "host/recording/recording_error.h"
#include "host/recording/recording_file.h"
#include "host/tests/signal/edf_test_file.h"
#include "host/tests/signal/signal_test_support.h"

namespace PendrelHost {
namespace {

class BiosigRecordingTest : public testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("pendrel-biosig-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  std::string FailureOf(const std::filesystem::path& path) {
    return Testing::FailureOf<RecordingError>([&] { LoadRecordingFile(path); });
  }

  std::filesystem::path folder;
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
