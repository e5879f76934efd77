#include "host/browser/base64.h"

#include <array>
#include <cstdint>

namespace PendrelBrowser {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<int8_t, 256> DecodeTable() {
  std::array<int8_t, 256> table{};
  for (auto& entry : table) entry = -1;
  for (int i = 0; i < 64; ++i) table[static_cast<uint8_t>(kAlphabet[i])] = int8_t(i);
  return table;
}

}  // namespace

std::string Base64Encode(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const uint32_t group = uint32_t(uint8_t(bytes[i])) << 16 | uint32_t(uint8_t(bytes[i + 1])) << 8 |
                           uint8_t(bytes[i + 2]);
    out += kAlphabet[group >> 18];
    out += kAlphabet[(group >> 12) & 63];
    out += kAlphabet[(group >> 6) & 63];
    out += kAlphabet[group & 63];
  }
  const size_t rest = bytes.size() - i;
  if (rest > 0) {
    uint32_t group = uint32_t(uint8_t(bytes[i])) << 16;
    if (rest == 2) group |= uint32_t(uint8_t(bytes[i + 1])) << 8;
    out += kAlphabet[group >> 18];
    out += kAlphabet[(group >> 12) & 63];
    out += rest == 2 ? kAlphabet[(group >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::string Base64Decode(std::string_view text) {
  static constexpr std::array<int8_t, 256> kTable = DecodeTable();
  std::string out;
  out.reserve(text.size() / 4 * 3);
  uint32_t group = 0;
  int bits = 0;
  for (const char c : text) {
    if (c == '=') break;
    const int8_t value = kTable[static_cast<uint8_t>(c)];
    if (value < 0) continue;
    group = (group << 6) | uint32_t(value);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out += char((group >> bits) & 0xFF);
    }
  }
  return out;
}

}  // namespace PendrelBrowser
