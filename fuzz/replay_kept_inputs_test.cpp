// Replays a fuzz target's kept inputs, its seed corpus and every input that once failed, as plain
// tests: each input is one test, named by its folder and file, and passes when the target
// returns. A crash, a sanitizer report or an exception fails it; a hang runs into the test's
// timeout.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// The target's seed corpus and failed inputs, named by the target's own replay executable.
extern const char* const kFuzzSeedsDir;
extern const char* const kFuzzRegressionsDir;

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> KeptInputs() {
  std::vector<fs::path> inputs;
  for (const char* folder : {kFuzzSeedsDir, kFuzzRegressionsDir}) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
      if (entry.is_regular_file() && entry.path().filename().string().front() != '.') {
        inputs.push_back(entry.path());
      }
    }
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

// "seeds_header_with_comments" or "regressions_crash_3f2a...": letters, digits and underscores.
std::string TestName(const testing::TestParamInfo<fs::path>& info) {
  const std::string folder = info.param.parent_path().parent_path().filename().string();
  std::string name = (folder == "corpus" ? "seeds_" : "regressions_") + info.param.filename().string();
  std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum((unsigned char)c); }, '_');
  return name;
}

class KeptInput : public testing::TestWithParam<fs::path> {};

TEST_P(KeptInput, RunsToItsEnd) {
  std::ifstream file(GetParam(), std::ios::binary);
  ASSERT_TRUE(file) << GetParam();
  const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), 0);
}

INSTANTIATE_TEST_SUITE_P(Fuzz, KeptInput, testing::ValuesIn(KeptInputs()), TestName);
// A target without kept inputs yet is no failure.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(KeptInput);

}  // namespace
