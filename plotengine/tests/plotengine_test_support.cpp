#include "plotengine_test_support.h"

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
