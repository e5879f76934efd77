// The byte layouts of the WFDB signal formats the host reads (8, 16, 61, 80, 160, 212, 310,
// 311), as the published format describes them, and a decoder that turns the bytes of one
// signal file into its samples, block after block. A signal file holds the samples of its
// signals interleaved, frame after frame; the decoder yields them in that order. One decoder
// reads one file, owned by the loader while it reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace PendrelHost {

struct WfdbFormat {
  int number;
  // Samples are packed in groups: bytesPerGroup bytes hold samplesPerGroup samples.
  int samplesPerGroup;
  int bytesPerGroup;
  // Whole samples that a group cut after 0, 1, 2 or 3 bytes still holds.
  int samplesInCutGroup[4];
};

// The format with this number, or nullptr for one the host does not read.
const WfdbFormat* FindWfdbFormat(int number);

// The samples that `bytes` bytes of a signal file hold, a cut last group included.
uint64_t WfdbSamplesIn(const WfdbFormat& format, uint64_t bytes);

// The fewest bytes that hold `samples` samples, and the most: the last group written whole.
uint64_t WfdbFewestBytesFor(const WfdbFormat& format, uint64_t samples);
uint64_t WfdbMostBytesFor(const WfdbFormat& format, uint64_t samples);

class WfdbSampleDecoder {
 public:
  // initialValues: one per signal of the file, the value before its first difference (format 8
  // stores differences; the other formats ignore them).
  WfdbSampleDecoder(const WfdbFormat& format, std::vector<int64_t> initialValues);

  // Decodes `bytes` into `samples` (room for WfdbSamplesIn of the byte count) and returns how
  // many it wrote. A block that ends inside a group is taken as the file's end.
  std::size_t Decode(std::span<const unsigned char> bytes, std::span<int64_t> samples);

 private:
  std::size_t DecodeDifferences(std::span<const unsigned char> bytes, std::span<int64_t> samples);

  const WfdbFormat& m_format;
  std::vector<int64_t> m_values;  // format 8: each signal's last value
  std::size_t m_nextSignal = 0;
};

}  // namespace PendrelHost
