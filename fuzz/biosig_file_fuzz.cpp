// An EDF, BDF or GDF file: the host's check of its headers, and libbiosig's reading of the files
// that pass it. Whatever passes the check must not hang or crash the library, nor make it
// allocate beyond what the file can hold; anything else ends in a RecordingError.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz/fuzz_input.h"
#include "host/recording/biosig_file_check.h"
#include "host/recording/biosig_recording.h"
#include "host/recording/recording_error.h"

using namespace PendrelHost;

namespace {

// The library reads by path: each fuzzing process writes its inputs to a file of its own.
std::filesystem::path InputFile() {
  static const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("rhyth-fuzz-biosig-" + std::to_string(getpid()) + ".rec");
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input = RhythFuzz::AsText(data, size);
  try {
    CheckBiosigFile(*MemoryBytes(input, "fuzz.rec"));
  } catch (const RecordingError&) {
    return 0;
  }
  {
    std::ofstream file(InputFile(), std::ios::binary | std::ios::trunc);
    file.write(input.data(), std::streamsize(input.size()));
  }
  try {
    const Recording recording = LoadBiosigRecording(InputFile());
    for (std::size_t record = 0; record < recording.RecordCount(); ++record) {
      for (std::size_t channel = 0; channel < recording.ChannelCount(); ++channel) {
        RhythFuzz::Touch(recording.Samples(record, channel));
      }
    }
  } catch (const RecordingError&) {
  }
  std::error_code ignored;
  std::filesystem::remove(InputFile(), ignored);
  return 0;
}
