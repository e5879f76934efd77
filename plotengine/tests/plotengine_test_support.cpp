#include "plotengine_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("no fixture " + path);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

std::string Fixture(const std::string& name) {
  return ReadFile(std::string(PLOTENGINE_SOURCE_DIR) + "/tests/fixtures/" + name);
}

std::string ScriptSource(const std::string& name) {
  return ReadFile(std::string(PLOTENGINE_SOURCE_DIR) + "/scripts/" + name);
}

std::string HostResourceFile(const std::string& name) {
  return ReadFile(std::string(PLOTENGINE_SOURCE_DIR) + "/../host/resources/" + name);
}

std::string CommandOutput(const std::string& command) {
  std::string text;
  if (std::FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, got);
    pclose(pipe);
  }
  return text;
}

bool CommandsInstalled(std::initializer_list<const char*> programs) {
  for (const char* program : programs)
    if (std::system(("command -v " + std::string(program) + " >/dev/null 2>&1").c_str()) != 0) return false;
  return true;
}
