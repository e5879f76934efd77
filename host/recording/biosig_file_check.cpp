#include "host/recording/biosig_file_check.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

#include "host/recording/recording_error.h"

namespace PendrelHost {

namespace {

constexpr std::size_t kFixedHeader = 256;
constexpr std::size_t kSignalHeader = 256;  // per signal
constexpr std::string_view kEdfVersion = "0       ";
constexpr std::string_view kBdfVersion = "\377BIOSEMI";
// The library looks through the first block it reads of every file for the marks of other
// formats, and a file with one is read as that format whatever its version says: an Alpha trace
// mark makes it read companion files that it never checked it could open.
constexpr std::size_t kLibraryFirstBlock = 4096;
constexpr std::string_view kOtherFormatMarks[] = {"ALPHA-TRACE-MEDICAL"};

std::string Quoted(std::string_view text) {
  std::string quoted = "'";
  for (const char c : text) quoted += (c >= 0x20 && c < 0x7F) ? c : '?';
  return quoted + "'";
}

// A little-endian binary field (the formats' order, and ours).
template <typename T>
T Binary(std::string_view bytes, std::size_t offset) {
  T value;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

// The signal headers hold each field for every signal in turn: all labels, then all
// transducers, and so on. `offset` is where a field starts for a single signal.
class SignalFields {
 public:
  SignalFields(std::string bytes, std::size_t signals)
      : m_bytes(std::move(bytes)), m_signals(signals) {}

  std::string_view Text(std::size_t offset, std::size_t width, std::size_t signal) const {
    return std::string_view(m_bytes).substr(offset * m_signals + signal * width, width);
  }

  template <typename T>
  T Value(std::size_t offset, std::size_t signal) const {
    return Binary<T>(m_bytes, offset * m_signals + signal * sizeof(T));
  }

 private:
  std::string m_bytes;
  std::size_t m_signals;
};

// Bytes per sample of the GDF sample types the host accepts; 0 for the others.
int GdfTypeSize(uint32_t type) {
  if (type >= 1 && type <= 8) return 1 << ((type - 1) / 2);  // int8, uint8, ... int64, uint64
  if (type == 16) return 4;                                  // float32
  if (type == 17) return 8;                                  // float64
  return 0;
}

class HeaderCheck {
 public:
  explicit HeaderCheck(ByteSource& file) : m_file(file) {}

  void Run() {
    if (m_file.Size() == 0) Fail("the file is empty");
    m_fixed = ReadAt(0, std::size_t(std::min<uint64_t>(m_file.Size(), kFixedHeader)), "");
    const std::string_view version = std::string_view(m_fixed).substr(0, 8);
    const bool gdf = version.substr(0, 4) == "GDF ";
    if (version != kEdfVersion && version != kBdfVersion && !gdf) {
      Fail("it is not an EDF, BDF or GDF file (the host reads those, CSV and WFDB records)");
    }
    const int gdfLayout = gdf ? GdfLayout(version) : 0;
    if (m_fixed.size() < kFixedHeader) Fail("the file ends inside its fixed header");
    CheckOtherFormatMarks();
    if (gdf) return CheckGdf(gdfLayout);
    CheckEdf(version == kEdfVersion ? 2 : 3);
  }

 private:
  [[noreturn]] void Fail(const std::string& reason) const {
    throw RecordingError(m_file.Name() + ": cannot be read as a recording: " + reason);
  }

  // The library reads the version as a number and takes the second header layout for versions
  // above 1.90 ("GDF 1.95" is laid out as version 2). Only versions written the way the format
  // writes them, a digit from 1 to 3, a point and two digits, are read, so that the host checks
  // the layout that the library will read.
  int GdfLayout(std::string_view version) const {
    const std::string_view number = version.substr(4);
    const auto digit = [&](std::size_t i) { return i < number.size() && number[i] >= '0' && number[i] <= '9'; };
    if (number.size() != 4 || number[0] < '1' || number[0] > '3' || number[1] != '.' || !digit(2) || !digit(3)) {
      Fail("its GDF version " + Quoted(version) + " is not a version number the host reads");
    }
    const int hundredths = (number[0] - '0') * 100 + (number[2] - '0') * 10 + (number[3] - '0');
    return hundredths > 190 ? 2 : 1;
  }

  void CheckOtherFormatMarks() {
    const std::size_t size = std::size_t(std::min<uint64_t>(m_file.Size(), kLibraryFirstBlock));
    const std::string first = ReadAt(0, size, "its first block");
    for (const std::string_view mark : kOtherFormatMarks) {
      if (first.find(mark) != std::string::npos) {
        Fail("it carries the mark of another format, " + std::string(mark) +
             ", which the file library would read it as");
      }
    }
  }

  std::string ReadAt(uint64_t offset, std::size_t size, const char* what) {
    if (m_file.Size() < offset + size) Fail("the file ends inside " + std::string(what));
    std::string bytes(size, '\0');
    m_file.SeekTo(offset);
    if (m_file.Read(bytes) != size) Fail("the file ends inside " + std::string(what));
    return bytes;
  }

  // EDF and BDF write their numbers as ASCII text padded with spaces.
  double Ascii(std::string_view field, const char* what) const {
    std::string_view text = field;
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
      Fail("the header's " + std::string(what) + " " + Quoted(field) + " is not a number");
    }
    return value;
  }

  int64_t AsciiCount(std::string_view field, const char* what, int64_t low) const {
    const double value = Ascii(field, what);
    if (value != std::floor(value) || value < double(low) || value > 1e15) {
      Fail("the header's " + std::string(what) + " " + Quoted(field) + " is not a count");
    }
    return int64_t(value);
  }

  void CheckCounts(uint64_t signals, int64_t records) const {
    if (signals == 0) Fail("the header names no signals");
    if (records == -1) Fail("the header does not say how many data records it holds");
    if (records <= 0) Fail("the header names no data records");
  }

  void CheckEdf(int bytesPerSample) {
    const std::string_view fixed = m_fixed;
    const int64_t headerBytes = AsciiCount(fixed.substr(184, 8), "header size", 0);
    const int64_t records = AsciiCount(fixed.substr(236, 8), "number of data records", -1);
    const double duration = Ascii(fixed.substr(244, 8), "data record duration");
    const int64_t signals = AsciiCount(fixed.substr(252, 4), "number of signals", 0);
    if (signals > 0 &&
        headerBytes != int64_t(kFixedHeader + kSignalHeader * std::size_t(signals))) {
      Fail("the header's size " + std::to_string(headerBytes) + " does not fit its " +
           std::to_string(signals) + " signals");
    }
    CheckCounts(uint64_t(signals), records);
    if (!(duration > 0.0))
      Fail("the data record duration " + Quoted(fixed.substr(244, 8)) + " is not positive");
    const SignalFields fields(
        ReadAt(kFixedHeader, kSignalHeader * std::size_t(signals), "its signal headers"),
        std::size_t(signals));
    uint64_t recordBytes = 0;
    for (std::size_t i = 0; i < std::size_t(signals); ++i) {
      Ascii(fields.Text(104, 8, i), "physical minimum");
      Ascii(fields.Text(112, 8, i), "physical maximum");
      const double digitalMinimum = Ascii(fields.Text(120, 8, i), "digital minimum");
      if (!(digitalMinimum < Ascii(fields.Text(128, 8, i), "digital maximum"))) {
        Fail("signal " + std::to_string(i + 1) + "'s digital minimum is not below its maximum");
      }
      const int64_t samples = AsciiCount(fields.Text(216, 8, i), "samples per data record", 1);
      recordBytes += uint64_t(samples) * uint64_t(bytesPerSample);
    }
    CheckLength(uint64_t(headerBytes), uint64_t(records), recordBytes);
  }

  // GDF writes binary numbers. Layout 1 gives the header size in bytes and a 32-bit signal
  // count; layout 2 gives the size in 256-byte blocks and a 16-bit count.
  void CheckGdf(int layout) {
    const uint64_t headerBytes = layout == 1 ? uint64_t(Binary<int64_t>(m_fixed, 184))
                                              : uint64_t(Binary<uint16_t>(m_fixed, 184)) * 256;
    const int64_t records = Binary<int64_t>(m_fixed, 236);
    const uint64_t signals =
        layout == 1 ? Binary<uint32_t>(m_fixed, 252) : Binary<uint16_t>(m_fixed, 252);
    if (signals > 0 &&
        (headerBytes < kFixedHeader + kSignalHeader * signals || headerBytes > m_file.Size())) {
      Fail("the header's size " + std::to_string(int64_t(headerBytes)) + " does not fit its " +
           std::to_string(signals) + " signals and the file's " + std::to_string(m_file.Size()) +
           " bytes");
    }
    CheckCounts(signals, records);
    const SignalFields fields(ReadAt(kFixedHeader, kSignalHeader * signals, "its signal headers"),
                              std::size_t(signals));
    uint64_t recordBytes = 0;
    for (std::size_t i = 0; i < std::size_t(signals); ++i) {
      const std::string name = "signal " + std::to_string(i + 1);
      const bool digitalRange = layout == 1
                                    ? fields.Value<int64_t>(120, i) < fields.Value<int64_t>(128, i)
                                    : fields.Value<double>(120, i) < fields.Value<double>(128, i);
      if (!digitalRange) Fail(name + "'s digital minimum is not below its maximum");
      const uint32_t samples = fields.Value<uint32_t>(216, i);
      if (samples == 0)
        Fail(name + " has no samples per data record (sparse signals are not read)");
      const uint32_t type = fields.Value<uint32_t>(220, i);
      if (GdfTypeSize(type) == 0) {
        Fail(name + " has sample type " + std::to_string(type) + ", which the host does not read");
      }
      recordBytes += uint64_t(samples) * uint64_t(GdfTypeSize(type));
    }
    CheckLength(headerBytes, uint64_t(records), recordBytes);
    CheckGdfEvents(layout, headerBytes + uint64_t(records) * recordBytes);
  }

  // The event table after the data: a mode byte, the count (32 bits after three bytes of rate
  // in layout 1, 24 bits in layout 2) and then the events, 6 bytes each in mode 1 (position and
  // type) and 12 in mode 3 (also channel and duration). The library allocates for the count it
  // reads, so a count beyond the file is refused before it can ask for gigabytes.
  void CheckGdfEvents(int layout, uint64_t tableAt) {
    const uint64_t left = m_file.Size() - tableAt;
    if (left == 0) return;
    const std::string table = ReadAt(tableAt, std::size_t(std::min<uint64_t>(left, 8)), "its event table");
    if (table.size() < 8) Fail("the file ends inside its event table's header");
    const int mode = static_cast<unsigned char>(table[0]);
    const uint64_t count = layout == 1 ? Binary<uint32_t>(table, 4)
                                       : (Binary<uint32_t>(table, 0) >> 8);
    if (mode != 1 && mode != 3) {
      Fail("its event table is of mode " + std::to_string(mode) + ", which the host does not read");
    }
    const uint64_t eventBytes = mode == 1 ? 6 : 12;
    if (count > (left - 8) / eventBytes) {
      Fail("its event table claims " + std::to_string(count) + " events, but the file holds " +
           std::to_string((left - 8) / eventBytes));
    }
  }

  void CheckLength(uint64_t headerBytes, uint64_t records, uint64_t recordBytes) const {
    const unsigned __int128 claimed =
        static_cast<unsigned __int128>(records) * recordBytes + headerBytes;
    if (claimed > m_file.Size()) {
      const uint64_t held = (m_file.Size() - headerBytes) / recordBytes;
      Fail("the header claims " + std::to_string(records) + " data records of " +
           std::to_string(recordBytes) + " bytes, but the file holds " + std::to_string(held));
    }
  }

  ByteSource& m_file;
  std::string m_fixed;
};

}  // namespace

void CheckBiosigFile(ByteSource& file) { HeaderCheck(file).Run(); }

}  // namespace PendrelHost
