#include "host/recording/biosig_recording.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "host/recording/biosig_file_check.h"
#include "host/recording/biosig_library.h"
#include "host/recording/recording_error.h"

namespace PendrelHost {

namespace {

// Samples per channel asked of the library at a time.
constexpr std::size_t kChunkSamples = 1 << 16;

struct HeaderCloser {
  void operator()(HDRTYPE* header) const {
    Biosig().sclose(header);
    Biosig().destructHDR(header);
  }
};
using Header = std::unique_ptr<HDRTYPE, HeaderCloser>;

// The library's messages carry its own prefixes ("ERROR BIOSIG4C++ SOPEN(read): ..."); the
// reason is what follows the last of them.
std::string ReasonFrom(const char* message) {
  std::string text = message ? message : "";
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  for (const char* separator : {": ", "; "}) {
    const std::size_t at = text.rfind(separator);
    if (at != std::string::npos) text = text.substr(at + 2);
  }
  return text.empty() ? "the reader reported an error without a reason" : text;
}

class BiosigReader {
 public:
  explicit BiosigReader(const std::filesystem::path& path) : m_path(path) {}

  Recording Read() {
    m_header.reset(Biosig().sopen(m_path.c_str(), "r", nullptr));
    if (!m_header) Fail("the reader could not be started");
    CheckError();
    try {
      Recording recording(Biosig().biosig_get_samplerate(m_header.get()));
      AddChannels(recording);
      SetStartDateTime(recording);
      ReadSamples(recording);
      return recording;
    } catch (const RecordingError& error) {
      Fail(error.what());
    }
  }

 private:
  [[noreturn]] void Fail(const std::string& reason) const {
    throw RecordingError(m_path.string() + ": " + reason);
  }

  void CheckError() {
    if (!Biosig().biosig_check_error(m_header.get())) return;
    char* message = Biosig().biosig_get_errormsg(m_header.get());
    const std::string reason = ReasonFrom(message);
    std::free(message);
    Fail("cannot be read as a recording: " + reason);
  }

  void AddChannels(Recording& recording) {
    const long count = Biosig().biosig_get_number_of_channels(m_header.get());
    for (long i = 0; i < count; ++i) {
      CHANNEL_TYPE* channel = Biosig().biosig_get_channel(m_header.get(), static_cast<int>(i));
      // Channels that are off, or hold the time axis, do not come out of sread.
      if (!channel || channel->OnOff != 1) continue;
      const char* label = Biosig().biosig_channel_get_label(channel);
      const char* unit = Biosig().biosig_channel_get_physdim(channel);
      recording.AddChannel({label ? label : "", unit ? unit : ""});
    }
    if (recording.ChannelCount() == 0) Fail("holds no signal channels");
  }

  // The formats keep local clock times without a zone; they are kept as written. The library's
  // own time (days since year 0 in 2^-32 parts) is exact to well within a millisecond, where its
  // calendar form can lose a second.
  void SetStartDateTime(Recording& recording) {
    const gdf_time start = Biosig().biosig_get_startdatetime_gdf(m_header.get());
    if (start <= 0) return;
    const double seconds = gdf_time2t_time(start);
    recording.SetStartDateTime(std::round(seconds * 1000.0) / 1000.0);
  }

  void ReadSamples(Recording& recording) {
    HDRTYPE* header = m_header.get();
    const std::size_t blocks = Biosig().biosig_get_number_of_records(header);
    const std::size_t blockSamples = std::max<std::size_t>(header->SPR, 1);
    const std::size_t blocksPerChunk = std::max<std::size_t>(1, kChunkSamples / blockSamples);
    const std::size_t record = recording.AddRecord(0.0);
    recording.ReserveTicks(record, static_cast<int64_t>(std::min<std::size_t>(blocks * blockSamples, INT32_MAX)));
    std::vector<std::vector<float>> chunk(recording.ChannelCount());
    for (std::size_t first = 0; first < blocks; first += blocksPerChunk) {
      const std::size_t wanted = std::min(blocksPerChunk, blocks - first);
      const std::size_t read = Biosig().sread(nullptr, first, wanted, header);
      CheckError();
      if (read == 0) break;
      CopyChunk(chunk);
      const std::vector<std::span<const float>> parts(chunk.begin(), chunk.end());
      recording.AppendSamples(record, parts);
      if (read < wanted) break;
    }
    recording.CloseRecord(record);
  }

  void CopyChunk(std::vector<std::vector<float>>& chunk) {
    biosig_data_type* data = nullptr;
    std::size_t rows = 0;
    std::size_t columns = 0;
    Biosig().biosig_get_datablock(m_header.get(), &data, &rows, &columns);
    if (!data || columns < chunk.size()) Fail("the reader returned fewer channels than the header names");
    const bool rowBased = Biosig().biosig_get_flag(m_header.get(), BIOSIG_FLAG_ROW_BASED_CHANNELS) != 0;
    for (std::size_t channel = 0; channel < chunk.size(); ++channel) {
      chunk[channel].resize(rows);
      for (std::size_t row = 0; row < rows; ++row) {
        const std::size_t at = rowBased ? row * columns + channel : channel * rows + row;
        chunk[channel][row] = static_cast<float>(data[at]);
      }
    }
  }

  std::filesystem::path m_path;
  Header m_header;
};

}  // namespace

Recording LoadBiosigRecording(const std::filesystem::path& path) {
  CheckBiosigFile(*OpenFileBytes(path));
  return BiosigReader(path).Read();
}

Recording LoadBiosigRecordingUnchecked(const std::filesystem::path& path) {
  return BiosigReader(path).Read();
}

}  // namespace PendrelHost
