#include "host/recording/wfdb_recording.h"

#include <algorithm>
#include <chrono>
#include <span>
#include <string>
#include <vector>

#include "host/recording/recording_error.h"
#include "host/recording/sample_pages.h"
#include "host/recording/wfdb_formats.h"

namespace PendrelHost {

namespace {

// Headers are a few lines; anything larger is some other file named like one.
constexpr uint64_t kLargestHeader = 1 << 20;
// Groups of bytes decoded at a time: few enough that the bytes and the decoded samples stay in
// the processor's cache and touch few fresh pages.
constexpr std::size_t kGroupsPerBlock = 1 << 12;

// Consecutive signals kept in one signal file.
struct SignalGroup {
  std::size_t first = 0;
  std::size_t count = 0;
  const WfdbFormat* format = nullptr;
  std::unique_ptr<ByteSource> file;
};

// A signal file's name in a header stands beside the header unless it is absolute.
std::filesystem::path SignalFilePath(const std::filesystem::path& header, const std::string& name) {
  const std::filesystem::path file(name);
  return file.is_absolute() ? file : header.parent_path() / file;
}

std::string ReadHeaderText(const std::filesystem::path& path) {
  const std::unique_ptr<ByteSource> file = OpenFileBytes(path);
  if (file->Size() > kLargestHeader) {
    throw RecordingError(path.string() + ": is too large for a WFDB header (" +
                         std::to_string(file->Size()) + " bytes)");
  }
  std::string text(file->Size(), '\0');
  text.resize(file->Read(text));
  return text;
}

class WfdbLoader {
 public:
  WfdbLoader(const WfdbHeader& header, std::string_view name, const WfdbFileOpener& open)
      : m_header(header), m_name(name), m_open(open) {}

  Recording Load() {
    CheckRecord();
    for (const WfdbSignal& signal : m_header.signals) CheckSignal(signal);
    FormGroups();
    Recording recording = MakeRecording();
    const int64_t frames = CountFrames();
    std::vector<std::vector<float>> channels(m_header.signals.size());
    for (std::vector<float>& samples : channels) ResizeForFilling(samples, std::size_t(frames));
    m_sums.assign(m_header.signals.size(), 0);
    for (SignalGroup& group : m_groups) ReadGroup(group, frames, channels);
    CheckSums();
    const std::size_t record = recording.AddRecord(0.0);
    recording.AppendSamples(record, std::move(channels));
    recording.CloseRecord(record);
    return recording;
  }

 private:
  [[noreturn]] void Fail(const std::string& reason, std::size_t line = 0) const {
    throw RecordingError(std::string(m_name) + (line ? ":" + std::to_string(line) : "") + ": " +
                         reason);
  }

  std::string Describe(const WfdbSignal& signal) const {
    const std::size_t index = std::size_t(&signal - m_header.signals.data());
    std::string text = "signal " + std::to_string(index + 1);
    return signal.description.empty() ? text : text + " (" + signal.description + ")";
  }

  void CheckRecord() const {
    if (m_header.segments) {
      Fail("is a multi-segment record (" + std::to_string(*m_header.segments) +
           " segments); the host reads single-segment records: open one segment's header instead");
    }
    if (m_header.signals.empty()) Fail("the record has no signals");
  }

  void CheckSignal(const WfdbSignal& signal) const {
    if (signal.samplesPerFrame != 1) {
      Fail("is a multi-frequency record: " + Describe(signal) + " has " +
               std::to_string(signal.samplesPerFrame) +
               " samples per frame; the host reads records whose signals share one frequency",
           signal.line);
    }
    if (signal.format == 0)
      Fail(Describe(signal) + " is in format 0, which holds no samples", signal.line);
    if (!FindWfdbFormat(signal.format)) {
      Fail(Describe(signal) + " is in format " + std::to_string(signal.format) +
               ", which the host does not read (it reads 8, 16, 61, 80, 160, 212, 310 and 311)",
           signal.line);
    }
    if (signal.skew != 0) {
      Fail(Describe(signal) + " is skewed by " + std::to_string(signal.skew) +
               " samples, which the host does not correct",
           signal.line);
    }
    if (signal.gain == 0.0) {
      Fail(Describe(signal) + " has an ADC gain of 0: its amplitude is uncalibrated", signal.line);
    }
    if (signal.fileName == "-")
      Fail(Describe(signal) + " is read from the standard input", signal.line);
  }

  // Signals that share a file are consecutive and stored alike.
  void FormGroups() {
    const std::vector<WfdbSignal>& signals = m_header.signals;
    for (std::size_t i = 0; i < signals.size(); ++i) {
      if (i > 0 && signals[i].fileName == signals[i - 1].fileName) {
        const WfdbSignal& first = signals[m_groups.back().first];
        if (signals[i].format != first.format || signals[i].byteOffset != first.byteOffset) {
          Fail(Describe(signals[i]) + " shares " + first.fileName + " with " + Describe(first) +
                   " but not its format and byte offset",
               signals[i].line);
        }
        ++m_groups.back().count;
        continue;
      }
      for (const SignalGroup& group : m_groups) {
        if (signals[group.first].fileName == signals[i].fileName) {
          Fail(Describe(signals[i]) + " names " + signals[i].fileName + " again after other files",
               signals[i].line);
        }
      }
      m_groups.push_back({i, 1, FindWfdbFormat(signals[i].format), nullptr});
    }
  }

  std::unique_ptr<ByteSource> Open(const std::string& fileName) const {
    try {
      return m_open(fileName);
    } catch (const RecordingError& error) {
      Fail(error.what());
    }
  }

  // Opens every signal file and finds the frames they hold, checked against the header's length.
  int64_t CountFrames() {
    std::optional<uint64_t> frames;
    for (SignalGroup& group : m_groups) {
      const WfdbSignal& first = m_header.signals[group.first];
      group.file = Open(first.fileName);
      const uint64_t offset = uint64_t(first.byteOffset);
      const uint64_t bytes = group.file->Size() > offset ? group.file->Size() - offset : 0;
      const uint64_t held = WfdbSamplesIn(*group.format, bytes) / group.count;
      if (m_header.samplesPerSignal) {
        CheckLength(group, bytes, held);
        frames = uint64_t(*m_header.samplesPerSignal);
      } else if (frames && *frames != held) {
        Fail("its signal files hold different numbers of samples (" + std::to_string(*frames) +
             " and " + std::to_string(held) +
             " per signal), and the header does not say which is right");
      } else {
        frames = held;
      }
    }
    if (*frames == 0) Fail("the record holds no samples");
    if (*frames > uint64_t(INT32_MAX)) {
      Fail("the record's " + std::to_string(*frames) +
           " samples per signal exceed the host's 2^31 - 1");
    }
    return int64_t(*frames);
  }

  void CheckLength(const SignalGroup& group, uint64_t bytes, uint64_t held) const {
    const WfdbSignal& first = m_header.signals[group.first];
    const uint64_t said = uint64_t(*m_header.samplesPerSignal);
    const unsigned __int128 wanted = static_cast<unsigned __int128>(said) * group.count;
    if (wanted > UINT64_MAX / 4 || bytes < WfdbFewestBytesFor(*group.format, uint64_t(wanted))) {
      Fail("the signal file " + first.fileName + " holds " + std::to_string(held) +
               " samples of each signal; the header says " + std::to_string(said),
           first.line);
    }
    const uint64_t most = WfdbMostBytesFor(*group.format, uint64_t(wanted));
    if (bytes > most) {
      Fail("the signal file " + first.fileName + " is " + std::to_string(bytes - most) +
               " bytes longer than the header's " + std::to_string(said) +
               " samples of each signal",
           first.line);
    }
  }

  Recording MakeRecording() const {
    try {
      Recording recording(m_header.samplingFrequency);
      for (std::size_t i = 0; i < m_header.signals.size(); ++i) {
        const WfdbSignal& signal = m_header.signals[i];
        std::string title = signal.description;
        if (title.empty())
          title = "record " + m_header.recordName + ", signal " + std::to_string(i);
        recording.AddChannel({title, signal.units});
      }
      recording.SetStartDateTime(StartDateTime());
      return recording;
    } catch (const RecordingError& error) {
      Fail(error.what());
    }
  }

  // The formats keep local clock times without a zone; they are kept as written.
  std::optional<double> StartDateTime() const {
    if (!m_header.baseDate || !m_header.baseTime) return std::nullopt;
    const WfdbDate& date = *m_header.baseDate;
    const std::chrono::sys_days day{std::chrono::year(date.year) /
                                    std::chrono::month(unsigned(date.month)) /
                                    std::chrono::day(unsigned(date.day))};
    return double(
               std::chrono::duration_cast<std::chrono::seconds>(day.time_since_epoch()).count()) +
           *m_header.baseTime;
  }

  void ReadGroup(SignalGroup& group, int64_t frames, std::vector<std::vector<float>>& channels) {
    const WfdbFormat& format = *group.format;
    const WfdbSignal* signals = m_header.signals.data() + group.first;
    std::vector<int64_t> initialValues;
    for (std::size_t i = 0; i < group.count; ++i) initialValues.push_back(signals[i].initialValue);
    WfdbSampleDecoder decoder(format, std::move(initialValues));
    std::vector<char> bytes(kGroupsPerBlock * std::size_t(format.bytesPerGroup));
    std::vector<int64_t> decoded(kGroupsPerBlock * std::size_t(format.samplesPerGroup));
    group.file->SeekTo(uint64_t(signals[0].byteOffset));
    const uint64_t wanted = uint64_t(frames) * group.count;
    uint64_t done = 0;
    std::size_t signal = 0;
    std::size_t frame = 0;
    while (done < wanted) {
      const std::size_t read = group.file->Read(bytes);
      if (read == 0) Fail("the signal file " + signals[0].fileName + " ended while it was read");
      const std::span<const unsigned char> block(
          reinterpret_cast<const unsigned char*>(bytes.data()), read);
      const std::size_t count = decoder.Decode(block, decoded);
      if (group.count == 1) {
        // One signal in the file: its samples follow one another.
        const std::size_t taken = std::size_t(std::min<uint64_t>(count, wanted - done));
        Convert(signals[0], std::span(decoded).first(taken),
                channels[group.first].data() + frame, m_sums[group.first]);
        frame += taken;
        done += taken;
        continue;
      }
      for (std::size_t i = 0; i < count && done < wanted; ++i, ++done) {
        const WfdbSignal& spec = signals[signal];
        channels[group.first + signal][frame] =
            float(double(decoded[i] - spec.baseline) / spec.gain);
        m_sums[group.first + signal] += uint64_t(decoded[i]);  // wraps: only 16 bits count
        if (++signal == group.count) {
          signal = 0;
          ++frame;
        }
      }
    }
  }

  // One signal's samples in physical units, their sum added to `sum`.
  static void Convert(const WfdbSignal& spec, std::span<const int64_t> samples, float* values,
                      uint64_t& sum) {
    uint64_t added = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
      values[i] = float(double(samples[i] - spec.baseline) / spec.gain);
      added += uint64_t(samples[i]);  // wraps: only 16 bits count
    }
    sum += added;
  }

  // The checksum is the low 16 bits of the sum of a signal's samples; it is only defined when
  // the header gives the record's length.
  void CheckSums() const {
    if (!m_header.samplesPerSignal) return;
    for (std::size_t i = 0; i < m_header.signals.size(); ++i) {
      const WfdbSignal& signal = m_header.signals[i];
      if (!signal.checksum) continue;
      const int16_t found = int16_t(uint16_t(m_sums[i] & 0xFFFF));
      const int16_t said = int16_t(uint16_t(uint64_t(*signal.checksum) & 0xFFFF));
      if (found != said) {
        Fail(Describe(signal) + ": the samples' checksum is " + std::to_string(found) +
                 ", the header says " + std::to_string(said) +
                 ": the signal file is damaged or belongs to another header",
             signal.line);
      }
    }
  }

  const WfdbHeader& m_header;
  std::string_view m_name;
  const WfdbFileOpener& m_open;
  std::vector<SignalGroup> m_groups;
  std::vector<uint64_t> m_sums;
};

}  // namespace

Recording ReadWfdbRecording(const WfdbHeader& header, std::string_view name,
                            const WfdbFileOpener& open) {
  return WfdbLoader(header, name, open).Load();
}

Recording LoadWfdbRecording(const std::filesystem::path& path) {
  const std::string name = path.string();
  const WfdbHeader header = ParseWfdbHeader(ReadHeaderText(path), name);
  const WfdbFileOpener open = [&path](const std::string& fileName) {
    return OpenFileBytes(SignalFilePath(path, fileName));
  };
  return ReadWfdbRecording(header, name, open);
}

std::vector<std::filesystem::path> WfdbSignalFiles(const std::filesystem::path& path) {
  const WfdbHeader header = ParseWfdbHeader(ReadHeaderText(path), path.string());
  std::vector<std::filesystem::path> files;
  for (const WfdbSignal& signal : header.signals) {
    const std::filesystem::path file = SignalFilePath(path, signal.fileName);
    if (std::find(files.begin(), files.end(), file) == files.end()) files.push_back(file);
  }
  return files;
}

}  // namespace PendrelHost
