#include "host/recording/recording_file.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>

#include "host/recording/biosig_recording.h"
#include "host/recording/csv_recording.h"
#include "host/recording/recording_error.h"

namespace PendrelHost {

namespace {

std::string LowerExtension(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

void CheckReadable(const std::filesystem::path& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) throw RecordingError(path.string() + ": no such file");
  if (std::filesystem::is_directory(status)) throw RecordingError(path.string() + ": is a folder, not a file");
}

}  // namespace

Recording LoadRecordingFile(const std::filesystem::path& path) {
  CheckReadable(path);
  const std::string extension = LowerExtension(path);
  if (extension == ".csv") return LoadCsvRecording(path);
  if (extension == ".dat") {
    std::filesystem::path header = path;
    header.replace_extension(".hea");
    std::error_code error;
    if (std::filesystem::exists(header, error)) return LoadBiosigRecording(header);
  }
  return LoadBiosigRecording(path);
}

}  // namespace PendrelHost
