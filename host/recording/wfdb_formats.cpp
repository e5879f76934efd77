#include "host/recording/wfdb_formats.h"

#include <algorithm>
#include <array>

namespace PendrelHost {

namespace {

constexpr std::array<WfdbFormat, 8> kFormats = {{
    {8, 1, 1, {0, 0, 0, 0}},    // 8-bit first differences
    {16, 1, 2, {0, 0, 0, 0}},   // 16-bit two's complement, low byte first
    {61, 1, 2, {0, 0, 0, 0}},   // 16-bit two's complement, high byte first
    {80, 1, 1, {0, 0, 0, 0}},   // 8-bit offset binary
    {160, 1, 2, {0, 0, 0, 0}},  // 16-bit offset binary, low byte first
    {212, 2, 3, {0, 0, 1, 0}},  // two 12-bit samples in three bytes
    {310, 3, 4, {0, 0, 1, 1}},  // three 10-bit samples in two 16-bit words
    {311, 3, 4, {0, 0, 1, 2}},  // three 10-bit samples in one 32-bit word
}};

// The two's-complement value of the low `bits` bits of `raw`.
constexpr int64_t Signed(uint32_t raw, int bits) {
  const uint32_t sign = 1u << (bits - 1);
  raw &= (sign << 1) - 1;
  return static_cast<int64_t>(raw ^ sign) - static_cast<int64_t>(sign);
}

uint32_t Word16(const unsigned char* bytes) { return bytes[0] | uint32_t(bytes[1]) << 8; }

uint32_t Word32(const unsigned char* bytes) {
  return bytes[0] | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}

// The samples of one group (or of a cut last group: the bytes it lacks read as 0 and the
// samples they touch are not used).
void DecodeGroup(int format, const unsigned char* bytes, int64_t* samples) {
  switch (format) {
    case 16:
      samples[0] = Signed(Word16(bytes), 16);
      break;
    case 61:
      samples[0] = Signed(uint32_t(bytes[0]) << 8 | bytes[1], 16);
      break;
    case 80:
      samples[0] = int64_t(bytes[0]) - 128;
      break;
    case 160:
      samples[0] = int64_t(Word16(bytes)) - 32768;
      break;
    case 212:
      samples[0] = Signed(bytes[0] | uint32_t(bytes[1] & 0x0F) << 8, 12);
      samples[1] = Signed(uint32_t(bytes[1] & 0xF0) << 4 | bytes[2], 12);
      break;
    case 310: {
      const uint32_t first = Word16(bytes), second = Word16(bytes + 2);
      samples[0] = Signed(first >> 1, 10);
      samples[1] = Signed(second >> 1, 10);
      samples[2] = Signed((first >> 11) | (second >> 11) << 5, 10);
      break;
    }
    case 311: {
      const uint32_t word = Word32(bytes);
      samples[0] = Signed(word, 10);
      samples[1] = Signed(word >> 10, 10);
      samples[2] = Signed(word >> 20, 10);
      break;
    }
  }
}

}  // namespace

const WfdbFormat* FindWfdbFormat(int number) {
  const auto found =
      std::find_if(kFormats.begin(), kFormats.end(),
                   [number](const WfdbFormat& format) { return format.number == number; });
  return found == kFormats.end() ? nullptr : &*found;
}

uint64_t WfdbSamplesIn(const WfdbFormat& format, uint64_t bytes) {
  const uint64_t groups = bytes / uint64_t(format.bytesPerGroup);
  return groups * uint64_t(format.samplesPerGroup) +
         uint64_t(format.samplesInCutGroup[bytes % uint64_t(format.bytesPerGroup)]);
}

uint64_t WfdbFewestBytesFor(const WfdbFormat& format, uint64_t samples) {
  const uint64_t groups = samples / uint64_t(format.samplesPerGroup);
  const int left = int(samples % uint64_t(format.samplesPerGroup));
  // The shortest cut of a group that holds the samples left; when no cut does (two samples of
  // format 310 need both words), the loop ends at the whole group.
  int cut = 0;
  while (left > 0 && cut < format.bytesPerGroup && format.samplesInCutGroup[cut] < left) ++cut;
  return groups * uint64_t(format.bytesPerGroup) + uint64_t(cut);
}

uint64_t WfdbMostBytesFor(const WfdbFormat& format, uint64_t samples) {
  const uint64_t perGroup = uint64_t(format.samplesPerGroup);
  return (samples + perGroup - 1) / perGroup * uint64_t(format.bytesPerGroup);
}

WfdbSampleDecoder::WfdbSampleDecoder(const WfdbFormat& format, std::vector<int64_t> initialValues)
    : m_format(format), m_values(std::move(initialValues)) {
  if (m_values.empty()) m_values.push_back(0);
}

std::size_t WfdbSampleDecoder::Decode(std::span<const unsigned char> bytes,
                                      std::span<int64_t> samples) {
  if (m_format.number == 8) return DecodeDifferences(bytes, samples);
  const std::size_t groupBytes = std::size_t(m_format.bytesPerGroup);
  const std::size_t groupSamples = std::size_t(m_format.samplesPerGroup);
  const std::size_t groups = bytes.size() / groupBytes;
  int64_t* out = samples.data();
  for (std::size_t group = 0; group < groups; ++group, out += groupSamples) {
    DecodeGroup(m_format.number, bytes.data() + group * groupBytes, out);
  }
  const std::size_t cut = bytes.size() % groupBytes;
  const std::size_t cutSamples = std::size_t(m_format.samplesInCutGroup[cut]);
  if (cutSamples > 0) {
    unsigned char last[4] = {};
    std::copy_n(bytes.data() + groups * groupBytes, cut, last);
    int64_t decoded[3] = {};
    DecodeGroup(m_format.number, last, decoded);
    out = std::copy_n(decoded, cutSamples, out);
  }
  return std::size_t(out - samples.data());
}

// Each byte is the signed difference from the same signal's previous sample.
std::size_t WfdbSampleDecoder::DecodeDifferences(std::span<const unsigned char> bytes,
                                                 std::span<int64_t> samples) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    int64_t& value = m_values[m_nextSignal];
    value += static_cast<signed char>(bytes[i]);
    samples[i] = value;
    if (++m_nextSignal == m_values.size()) m_nextSignal = 0;
  }
  return bytes.size();
}

}  // namespace PendrelHost
