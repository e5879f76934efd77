#include "host/tests/signal/edf_test_file.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
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
    for (const EdfChannel& channel : channels) {
      const double scale = (kDigitalMaximum - kDigitalMinimum) / (channel.physicalMaximum - channel.physicalMinimum);
      for (int i = 0; i < sampleRate; ++i) {
        const double physical = channel.values[record * static_cast<std::size_t>(sampleRate) + static_cast<std::size_t>(i)];
        const auto digital = static_cast<int16_t>(
            std::lround(kDigitalMinimum + (physical - channel.physicalMinimum) * scale));
        const char bytes[2] = {static_cast<char>(digital & 0xFF), static_cast<char>((digital >> 8) & 0xFF)};
        file.write(bytes, 2);
      }
    }
  }
}

}  // namespace PendrelHost::Testing
