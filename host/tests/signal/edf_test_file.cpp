#include "host/tests/signal/edf_test_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace PendrelHost::Testing {

namespace {

constexpr int kDigitalMinimum = -32768;
constexpr int kDigitalMaximum = 32767;

// A header field: the text, left-aligned and padded with spaces to its width.
std::string Field(const std::string& text, std::size_t width) {
  std::string field = text.substr(0, width);
  field.resize(width, ' ');
  return field;
}

std::string Number(double value, std::size_t width) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return Field(text, width);
}

int16_t Digital(const EdfChannel& channel, std::size_t sample) {
  const double scale =
      (kDigitalMaximum - kDigitalMinimum) / (channel.physicalMaximum - channel.physicalMinimum);
  return static_cast<int16_t>(
      std::lround(kDigitalMinimum + (channel.values[sample] - channel.physicalMinimum) * scale));
}

// One data record: each channel's samples in turn, 16 bits, low byte first.
void WriteRecord(std::ofstream& file, const std::vector<EdfChannel>& channels, std::size_t record,
                 int sampleRate) {
  for (const EdfChannel& channel : channels) {
    for (int i = 0; i < sampleRate; ++i) {
      const int16_t digital =
          Digital(channel, record * static_cast<std::size_t>(sampleRate) + std::size_t(i));
      const char bytes[2] = {static_cast<char>(digital & 0xFF),
                             static_cast<char>((digital >> 8) & 0xFF)};
      file.write(bytes, 2);
    }
  }
}

template <typename T>
void Put(std::string& bytes, std::size_t offset, T value) {
  std::memcpy(bytes.data() + offset, &value, sizeof value);
}

}  // namespace

void WriteEdf(const std::filesystem::path& path, int sampleRate, const std::vector<EdfChannel>& channels) {
  const std::size_t records = channels.front().values.size() / static_cast<std::size_t>(sampleRate);
  std::string header = Field("0", 8) + Field("X X X X", 80) + Field("Startdate 02-MAR-2021 X X X", 80) +
                       Field("02.03.21", 8) + Field("10.20.30", 8) + Number(256.0 * (channels.size() + 1), 8) +
                       Field("", 44) + Number(static_cast<double>(records), 8) + Field("1", 8) +
                       Number(static_cast<double>(channels.size()), 4);
  const auto each = [&](auto field) {
    for (const EdfChannel& channel : channels) header += field(channel);
  };
  each([](const EdfChannel& c) { return Field(c.label, 16); });
  each([](const EdfChannel&) { return Field("", 80); });
  each([](const EdfChannel& c) { return Field(c.unit, 8); });
  each([](const EdfChannel& c) { return Number(c.physicalMinimum, 8); });
  each([](const EdfChannel& c) { return Number(c.physicalMaximum, 8); });
  each([](const EdfChannel&) { return Number(kDigitalMinimum, 8); });
  each([](const EdfChannel&) { return Number(kDigitalMaximum, 8); });
  each([](const EdfChannel&) { return Field("", 80); });
  each([&](const EdfChannel&) { return Number(sampleRate, 8); });
  each([](const EdfChannel&) { return Field("", 32); });

  std::ofstream file(path, std::ios::binary);
  file << header;
  for (std::size_t record = 0; record < records; ++record) {
    WriteRecord(file, channels, record, sampleRate);
  }
}

// Binary fields, little-endian. Version 1 keeps the header size in bytes, a 32-bit signal count
// and 64-bit digital limits; version 2 the size in 256-byte blocks, a 16-bit count and double
// limits. Each field of the signal headers holds every signal's entry in turn.
void WriteGdf(const std::filesystem::path& path, const std::string& version, int sampleRate,
              const std::vector<EdfChannel>& channels) {
  const std::size_t signals = channels.size();
  const std::size_t records = channels.front().values.size() / static_cast<std::size_t>(sampleRate);
  const bool first = version[4] == '1';
  std::string header(256 * (signals + 1), '\0');
  header.replace(0, 8, version);
  if (first) {
    Put(header, 184, int64_t(header.size()));
    Put(header, 252, uint32_t(signals));
  } else {
    Put(header, 184, uint16_t(signals + 1));
    Put(header, 252, uint16_t(signals));
  }
  Put(header, 236, int64_t(records));
  Put(header, 244, uint32_t(1));  // record duration: 1/1 s
  Put(header, 248, uint32_t(1));
  for (std::size_t i = 0; i < signals; ++i) {
    const std::size_t at = 256;
    std::copy_n(channels[i].label.begin(), std::min<std::size_t>(channels[i].label.size(), 16),
                header.begin() + std::ptrdiff_t(at + i * 16));
    Put(header, at + signals * 104 + i * 8, channels[i].physicalMinimum);
    Put(header, at + signals * 112 + i * 8, channels[i].physicalMaximum);
    if (first) {
      Put(header, at + signals * 120 + i * 8, int64_t(kDigitalMinimum));
      Put(header, at + signals * 128 + i * 8, int64_t(kDigitalMaximum));
    } else {
      Put(header, at + signals * 120 + i * 8, double(kDigitalMinimum));
      Put(header, at + signals * 128 + i * 8, double(kDigitalMaximum));
    }
    Put(header, at + signals * 216 + i * 4, uint32_t(sampleRate));
    Put(header, at + signals * 220 + i * 4, uint32_t(3));  // int16
  }
  std::ofstream file(path, std::ios::binary);
  file << header;
  for (std::size_t record = 0; record < records; ++record)
    WriteRecord(file, channels, record, sampleRate);
}

}  // namespace PendrelHost::Testing
