// Bad recording files as a user meets them: `pendrel channel FILE Ch1` run as a process. Every
// file ends the command with one line of message and a non-zero status, writing nothing to the
// standard output; none may hang it (the process is killed, and the case failed, after a minute).
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "host/tests/signal/edf_test_file.h"
#include "host/tests/signal/test_folder.h"

namespace PendrelHost {
namespace {

struct CommandRun {
  bool ended = false;
  int status = -1;
  std::string out;
  std::string err;
};

class BadRecordingFiles : public Testing::TestFolder {
 protected:
  // The first `size` bytes of a file, as another file.
  std::filesystem::path Cut(const std::filesystem::path& from, std::size_t size,
                            const std::string& name) const {
    return Write(name, Contents(from).substr(0, size));
  }

  // A copy of a file with `text` written over it at `offset`.
  std::filesystem::path Patched(const std::filesystem::path& from, std::size_t offset,
                                const std::string& text, const std::string& name) const {
    std::string bytes = Contents(from);
    bytes.replace(offset, text.size(), text);
    return Write(name, bytes);
  }

  CommandRun Pendrel(const std::vector<std::string>& arguments) const {
    const std::filesystem::path out = folder / "stdout", err = folder / "stderr";
    const pid_t child = ::fork();
    if (child == 0) {
      ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
      ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
      std::vector<char*> argv{const_cast<char*>(PENDREL_EXECUTABLE)};
      for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
      argv.push_back(nullptr);
      ::execv(PENDREL_EXECUTABLE, argv.data());
      ::_exit(127);
    }
    CommandRun run;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!(run.ended = ::waitpid(child, &status, WNOHANG) == child) &&
           std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!run.ended) {
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
    }
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = Contents(out);
    run.err = Contents(err);
    return run;
  }
};

TEST_F(BadRecordingFiles, EachEndsTheCommandWithOneLineOfMessage) {
  std::string samples;  // 600 format 16 samples
  for (int i = 0; i < 600; ++i) samples += std::string{char(i & 0xFF), char(i >> 8)};
  Write("rec.dat", samples);
  Write("half.dat", samples.substr(0, samples.size() / 2));
  const auto header = Write("rec.hea", "rec 1 200 600\nrec.dat 16 100 12 0 0\n");
  const auto edf = folder / "good.edf";
  Testing::WriteEdf(edf, 200, {{"ECG", "mV", -5.0, 5.0, std::vector<double>(600, 0.5)}});
  const std::string csv = "time_s,ECG_mV\n0,1\n0.005,2\n0.010,3\n";

  struct Case {
    std::filesystem::path file;
    std::string message;
  };
  const Case cases[] = {
      // WFDB: empty, cut in each section, data that does not match the header.
      {Write("empty.hea", ""), "empty.hea: there is no record line: the header is empty"},
      {Cut(header, 3, "cut1.hea"), "cut1.hea:1: the record line gives no number of signals"},
      {Cut(header, 14, "cut2.hea"),
       "cut2.hea:1: the record line names 1 signals, but 0 signal lines follow"},
      {Cut(header, 22, "cut3.hea"), "cut3.hea:2: the signal line for 'rec.dat' gives no format"},
      {Write("short.hea", "short 1 200 600\nhalf.dat 16\n"),
       "half.dat holds 300 samples of each signal; the header says 600"},
      {Write("missing.hea", "missing 1 200\nmissing.dat 16\n"), "missing.dat: no such file"},
      {Write("gain0.hea", "gain0 1 200\nrec.dat 16 0 12 0 0 0 0 ECG\n"),
       "signal 1 (ECG) has an ADC gain of 0"},
      {Write("huge.hea", "huge 1 200 2000000000\nrec.dat 16\n"),
       "holds 600 samples of each signal; the header says 2000000000"},
      {Write("sum.hea", "sum 1 200 600\nrec.dat 16 100 12 0 0 1\n"),
       "the samples' checksum is -16908, the header says 1"},
      // EDF: empty, cut in each section, and headers that hang or crash libbiosig.
      {Write("empty.edf", ""), "empty.edf: cannot be read as a recording: the file is empty"},
      {Cut(edf, 100, "cut1.edf"),
       "cut1.edf: cannot be read as a recording: the file ends inside its fixed header"},
      {Cut(edf, 300, "cut2.edf"),
       "cut2.edf: cannot be read as a recording: the file ends inside its signal headers"},
      {Cut(edf, 512 + 500, "cut3.edf"),
       "the header claims 3 data records of 400 bytes, but the file holds 1"},
      {Patched(edf, 236, "99999999", "spin.edf"),
       "the header claims 99999999 data records of 400 bytes"},
      {Patched(edf, 252, "9999", "crash.edf"),
       "the header's size 512 does not fit its 9999 signals"},
      {Write("text.edf", "this is no recording at all"),
       "text.edf: cannot be read as a recording: it is not an EDF"},
      // CSV: empty, a header alone, and each kind of bad row.
      {Write("empty.csv", ""), "empty.csv: the file is empty"},
      {Write("header.csv", "time_s,ECG_mV\n"),
       "header.csv: at least two rows of samples are needed"},
      {Write("missing.csv", csv + "0.015\n"), "missing.csv:5: expected 2 values, found 1"},
      {Write("extra.csv", csv + "0.015,4,5\n"), "extra.csv:5: expected 2 values, found 3"},
      {Write("text.csv", csv + "0.015,four\n"),
       "text.csv:5: 'four' in column ECG_mV is not a number"},
      {Write("back.csv", csv + "0.005,4\n"),
       "back.csv:5: the times do not increase: 0.005 s follows 0.01 s"},
      {Write("gap.csv", csv + "0.015,4\n0.020,5\n0.028,6\n0.030,7\n"),
       "gap.csv:7: the time 0.028 s is off the sample grid of 200 Hz"},
  };
  for (const Case& c : cases) {
    const CommandRun run = Pendrel({"channel", c.file.string(), "Ch1"});
    EXPECT_TRUE(run.ended) << c.file << " did not end within a minute";
    EXPECT_EQ(run.status, 1) << c.file;
    EXPECT_EQ(run.out, "") << c.file;
    EXPECT_THAT(run.err, testing::StartsWith("pendrel channel: ")) << c.file;
    EXPECT_THAT(run.err, testing::HasSubstr(c.message)) << c.file;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
}

TEST_F(BadRecordingFiles, AHeaderThatStartsWithACommentIsRead) {
  // The case that kept libbiosig busy for ten minutes.
  std::string samples;
  for (int i = 0; i < 400; ++i) samples += std::string{char(i % 7), 0};
  Write("c.dat", samples);
  const auto header =
      Write("c.hea", "# exported\n# by hand\nc 1 200 400\nc.dat 16 100(1) 12 0 1\n");
  const CommandRun run = Pendrel({"channel", "--to", "0.011", header.string(), "Ch1"});
  EXPECT_TRUE(run.ended);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "time_s,value\n0.000000,-0.01\n0.005000,0\n0.010000,0.01\n");
  EXPECT_EQ(run.err, "");
}

}  // namespace
}  // namespace PendrelHost
