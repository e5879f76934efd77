#include "host/tests/cli/pendrel_process.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace CliTest {

ProcessResult RunPendrel(const std::vector<std::string>& arguments) {
  const std::filesystem::path folder = MakeTempFolder();
  const std::string out = (folder / "out").string(), err = (folder / "err").string();
  std::vector<std::string> words{PENDREL_EXECUTABLE};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  ProcessResult result;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  result.out = ReadText(out);
  result.err = ReadText(err);
  std::filesystem::remove_all(folder);
  return result;
}

std::filesystem::path MakeTempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "pendrel-cli-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
  return pattern;
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::pair<std::string, double>> ParseMeasurementCsv(const std::string& csv) {
  std::vector<std::pair<std::string, double>> rows;
  std::istringstream in(csv);
  std::string line;
  std::getline(in, line);  // the header
  while (std::getline(in, line)) {
    const auto first = line.find(','), second = line.rfind(',');
    if (first == std::string::npos) continue;
    const std::string value = line.substr(first + 1, second - first - 1);
    rows.emplace_back(line.substr(0, first), value.empty() ? NAN : std::stod(value));
  }
  return rows;
}

double Value(const std::vector<std::pair<std::string, double>>& measurements,
             const std::string& name) {
  for (const auto& [n, v] : measurements) {
    if (n == name) return v;
  }
  throw std::runtime_error("no measurement " + name);
}

int LineCount(const std::string& text) { return int(std::count(text.begin(), text.end(), '\n')); }

}  // namespace CliTest
