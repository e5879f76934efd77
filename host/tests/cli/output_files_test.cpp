// The command line's own output files: a file of the target's name is only ever a whole one,
// and a write that fails leaves whatever stood there as it was.
#include <gtest/gtest.h>

#include "host/cli/analysis_session.h"
#include "host/cli/output_files.h"
#include "host/tests/cli/temp_folder_test.h"

namespace CliTest {
namespace {

namespace fs = std::filesystem;

class OutputFiles : public InTempFolder {};

TEST_F(OutputFiles, AWholeFileReplacesTheEarlierOneAndAFailedWriteKeepsIt) {
  const fs::path target = folder / "beats.csv";
  WriteText(target, "earlier");
  PendrelHost::WriteWholeFile(target, "new");
  EXPECT_EQ(ReadText(target), "new");

  // The partial name taken by a folder: the write fails after every check has passed.
  fs::create_directory(PendrelHost::PartialPathOf(target));
  EXPECT_THROW(PendrelHost::WriteWholeFile(target, "lost"), PendrelHost::SessionError);
  EXPECT_EQ(ReadText(target), "new");
  fs::remove(PendrelHost::PartialPathOf(target));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
      << "nothing but the target is left";
}

}  // namespace
}  // namespace CliTest
