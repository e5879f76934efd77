#include "views/tests/export/export_folder.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace ExportTest {

ExportFolder::ExportFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "rhyth-export-XXXXXX").string();
  m_folder = ::mkdtemp(pattern.data()) ? pattern : std::string();
}

ExportFolder::~ExportFolder() {
  std::error_code ignored;
  if (!m_folder.empty()) std::filesystem::remove_all(m_folder, ignored);
}

std::string ExportFolder::Path(const std::string& name) const { return (m_folder / name).string(); }

std::vector<std::string> ExportFolder::Entries() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void ExportFolder::MakeFolder(const std::string& name) const {
  std::filesystem::create_directory(m_folder / name);
}

void ExportFolder::Clear() const {
  for (const auto& entry : std::filesystem::directory_iterator(m_folder)) {
    std::filesystem::remove_all(entry.path());
  }
}

std::string ExportFolder::Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void ExportFolder::Write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

bool ExportFolder::Exists(const std::string& path) { return std::filesystem::exists(path); }

}  // namespace ExportTest
