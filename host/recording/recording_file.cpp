#include "host/recording/recording_file.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <system_error>

#include "host/recording/biosig_recording.h"
#include "host/recording/byte_source.h"
#include "host/recording/csv_recording.h"
#include "host/recording/recording_error.h"
#include "host/recording/wfdb_recording.h"

namespace PendrelHost {

namespace {

std::string LowerExtension(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

// The WFDB header of a record given by its header or by its signal file beside it.
std::optional<std::filesystem::path> WfdbHeaderOf(const std::filesystem::path& path) {
  const std::string extension = LowerExtension(path);
  if (extension == ".hea") return path;
  if (extension != ".dat") return std::nullopt;
  std::filesystem::path header = path;
  header.replace_extension(".hea");
  std::error_code error;
  if (!std::filesystem::exists(header, error)) return std::nullopt;
  return header;
}

}  // namespace

Recording LoadRecordingFile(const std::filesystem::path& path) {
  OpenFileBytes(path);  // says what is wrong with a path that names no readable file
  const std::string extension = LowerExtension(path);
  if (extension == ".csv") return LoadCsvRecording(path);
  if (const auto header = WfdbHeaderOf(path)) return LoadWfdbRecording(*header);
  return LoadBiosigRecording(path);
}

std::vector<std::filesystem::path> RecordingFiles(const std::filesystem::path& path) {
  std::vector<std::filesystem::path> files{path};
  const auto header = WfdbHeaderOf(path);
  if (!header) return files;
  files.push_back(*header);
  try {
    for (const std::filesystem::path& signal : WfdbSignalFiles(*header)) files.push_back(signal);
  } catch (const RecordingError&) {
    // Nothing more is known of a record whose header cannot be read.
  }
  return files;
}

}  // namespace PendrelHost
