#include "host/cli/output_files.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "host/cli/analysis_session.h"
#include "host/recording/recording_file.h"

namespace PendrelHost {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void CannotWrite(const fs::path& path, const std::string& why) {
  throw SessionError("cannot write " + path.string() + ": " + why);
}

fs::path FolderOf(const fs::path& path) {
  const fs::path folder = path.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

}  // namespace

std::string FolderUnwritableReason(const fs::path& folder) {
  const fs::path probe = folder / ".partial-probe";
  std::ofstream file(probe, std::ios::binary | std::ios::trunc);
  const std::string why = file.is_open() ? std::string() : std::strerror(errno);
  file.close();
  std::error_code ignored;
  fs::remove(probe, ignored);
  return why;
}

void CheckOutputFile(const fs::path& path) {
  std::error_code error;
  if (fs::is_directory(path, error)) CannotWrite(path, "it is a folder");
  const fs::path folder = FolderOf(path);
  if (!fs::exists(folder, error)) {
    CannotWrite(path, "the folder " + folder.string() + " does not exist");
  }
  if (!fs::is_directory(folder, error)) CannotWrite(path, folder.string() + " is not a folder");
  const std::string why = FolderUnwritableReason(folder);
  if (!why.empty()) CannotWrite(path, why);
}

void CheckNotOverSource(const fs::path& target, const fs::path& source, bool savingDocument) {
  std::error_code error;
  if (IsDocumentFile(source)) {
    if (!savingDocument && fs::equivalent(target, source, error)) {
      CannotWrite(target, "it is the document being analysed, which would be lost");
    }
    return;
  }
  for (const fs::path& file : RecordingFiles(source)) {
    if (fs::equivalent(target, file, error)) {
      CannotWrite(target, "it is a file of the recording being analysed, which would be lost");
    }
  }
}

fs::path PartialPathOf(const fs::path& path) {
  // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about a chain of + here.
  std::string name = ".";
  name.append(path.filename().string()).append(".partial");
  return FolderOf(path) / name;
}

void MoveIntoPlace(const fs::path& partial, const fs::path& path) {
  std::error_code error;
  fs::rename(partial, path, error);
  if (!error) return;
  std::error_code ignored;
  fs::remove(partial, ignored);
  const bool folder = fs::is_directory(path, ignored);
  CannotWrite(path, folder ? std::string("it is a folder") : error.message());
}

void WriteWholeFile(const fs::path& path, const std::string& bytes) {
  CheckOutputFile(path);
  const PartialFile partial{PartialPathOf(path)};
  {
    std::ofstream file(partial.path, std::ios::binary | std::ios::trunc);
    if (!file.is_open()) CannotWrite(path, std::strerror(errno));
    file.write(bytes.data(), std::streamsize(bytes.size()));
    file.close();
    if (!file) CannotWrite(path, "the file could not be written whole");
  }
  MoveIntoPlace(partial.path, path);
}

PartialFile::~PartialFile() {
  std::error_code ignored;
  fs::remove(path, ignored);
}

}  // namespace PendrelHost
