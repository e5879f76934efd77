// A WFDB record: the header text, then (after the first NUL byte, when there is one) the bytes
// of every signal file the header names. The reader must end with a recording or a
// RecordingError; any other exception, crash or hang is a finding.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "host/recording/recording_error.h"
#include "host/recording/wfdb_recording.h"

using namespace PendrelHost;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input = RhythFuzz::AsText(data, size);
  const std::size_t split = input.find('\0');
  const std::string_view headerText = input.substr(0, split);
  const std::string_view signalBytes =
      split == std::string_view::npos ? std::string_view() : input.substr(split + 1);
  try {
    const WfdbHeader header = ParseWfdbHeader(headerText, "fuzz.hea");
    const WfdbFileOpener open = [&](const std::string& name) { return MemoryBytes(signalBytes, name); };
    const Recording recording = ReadWfdbRecording(header, "fuzz.hea", open);
    for (std::size_t record = 0; record < recording.RecordCount(); ++record) {
      for (std::size_t channel = 0; channel < recording.ChannelCount(); ++channel) {
        RhythFuzz::Touch(recording.Samples(record, channel));
      }
    }
  } catch (const RecordingError&) {
  }
  return 0;
}
