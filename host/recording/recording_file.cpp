#include "host/recording/recording_file.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>

#include "host/recording/biosig_recording.h"
#include "host/recording/byte_source.h"
#include "host/recording/csv_recording.h"
#include "host/recording/wfdb_recording.h"

namespace PendrelHost {

namespace {

std::string LowerExtension(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

}  // namespace

Recording LoadRecordingFile(const std::filesystem::path& path) {
  OpenFileBytes(path);  // says what is wrong with a path that names no readable file
  const std::string extension = LowerExtension(path);
  if (extension == ".csv") return LoadCsvRecording(path);
  if (extension == ".hea") return LoadWfdbRecording(path);
  if (extension == ".dat") {
    std::filesystem::path header = path;
    header.replace_extension(".hea");
    std::error_code error;
    if (std::filesystem::exists(header, error)) return LoadWfdbRecording(header);
  }
  return LoadBiosigRecording(path);
}

}  // namespace PendrelHost
