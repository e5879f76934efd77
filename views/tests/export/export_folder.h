// A fresh folder for the files one export test writes, removed with everything in it when the
// test ends; and reading and writing whole files in it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace ExportTest {

class ExportFolder {
 public:
  ExportFolder();
  ~ExportFolder();
  ExportFolder(const ExportFolder&) = delete;
  ExportFolder& operator=(const ExportFolder&) = delete;

  // A path in the folder, as UTF-8.
  std::string Path(const std::string& name) const;
  // The names in the folder, sorted.
  std::vector<std::string> Entries() const;
  void MakeFolder(const std::string& name) const;
  // Empties the folder.
  void Clear() const;

  static std::string Read(const std::string& path);
  static void Write(const std::string& path, const std::string& bytes);
  static bool Exists(const std::string& path);

 private:
  std::filesystem::path m_folder;
};

}  // namespace ExportTest
