// A test with a fresh folder of its own under the system's temporary folder, removed after it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/tests/cli/pendrel_process.h"

namespace CliTest {

class InTempFolder : public ::testing::Test {
 protected:
  void SetUp() override { folder = MakeTempFolder(); }
  void TearDown() override { std::filesystem::remove_all(folder); }
  std::string File(const std::string& name) const { return (folder / name).string(); }
  std::filesystem::path folder;
};

}  // namespace CliTest
