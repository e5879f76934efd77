// The byte-exact records of fixtures/stream_records.txt, which stream_records_check.py also
// decodes on its own: the writers must produce these bytes and the readers must decode them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/storage_bin_streams.h"
#include "core/storage_stream_header.h"
#include "core/string_record.h"
#include "core/tests/failing_stream.h"
#include "core/tests/quor_string_printer.h"
#include "core/unit_entry.h"

namespace {

using Quor::String;
using namespace testing_streams;

struct Fixture {
  std::string kind;
  std::string value;
  Bytes bytes;
};

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<Fixture> LoadFixtures() {
  std::ifstream file(CORE_TEST_SOURCE_DIR "/fixtures/stream_records.txt");
  std::vector<Fixture> fixtures;
  std::string line;
  while (std::getline(file, line)) {
    if (Trimmed(line).empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string kind, value, hex;
    std::getline(fields, kind, '|');
    std::getline(fields, value, '|');
    std::getline(fields, hex);
    fixtures.push_back({Trimmed(kind), Trimmed(value), FromHex(hex)});
  }
  return fixtures;
}

struct UnitValue {
  DWORD index = 0;
  std::string name;
  DWORD flag = 0;
};

UnitValue ParseUnit(const std::string& value) {
  UnitValue unit;
  std::istringstream(value) >> unit.index >> unit.name >> unit.flag;
  return unit;
}

// What the writers make of the fixture's value: the header alone, or a version-21 header and
// the record after it (left out of the result).
Bytes Write(const Fixture& fixture) {
  FailingStream target;
  {
    Quor::StorageBinOStreamLite out(&target);
    if (fixture.kind == "string") {
      Quor::WriteString(out, String(fixture.value));
    } else if (fixture.kind == "unit") {
      const UnitValue value = ParseUnit(fixture.value);
      Quor::UnitEntry unit;
      unit.prefixIndex = value.index;
      unit.name = String(value.name);
      unit.flag = value.flag;
      EXPECT_EQ(unit.Save(&out), S_OK);
    }
    EXPECT_EQ(out.Close(), S_OK);
  }
  Bytes bytes = target.Contents();
  if (fixture.kind != "header") bytes.erase(bytes.begin(), bytes.begin() + 4);
  return bytes;
}

// What the readers make of the fixture's bytes, behind a header of the version they need.
std::string Read(const Fixture& fixture) {
  Bytes bytes = fixture.bytes;
  if (fixture.kind != "header") {
    const DWORD version = fixture.kind == "old_string" ? 9 : Quor::kStorageStreamVersion;
    const DWORD header = Quor::StorageStreamHeader(version);
    bytes.insert(bytes.begin(), reinterpret_cast<const BYTE*>(&header),
                 reinterpret_cast<const BYTE*>(&header) + 4);
  }
  FailingStream source(bytes);
  Quor::StorageBinIStreamLite in(&source);
  std::string value;
  if (fixture.kind == "header") {
    value = std::to_string(in.Version());
  } else if (fixture.kind == "unit") {
    Quor::UnitEntry unit;
    EXPECT_EQ(unit.Load(&in), S_OK);
    value = std::to_string(unit.prefixIndex) + " " + unit.name.ToUtf8String() + " " +
            std::to_string(unit.flag);
  } else {
    String text;
    Quor::ReadString(in, text);
    value = text.ToUtf8String();
  }
  EXPECT_EQ(in.GetState(), S_OK) << fixture.kind << " " << fixture.value;
  return value;
}

TEST(StreamRecordFixtures, WritersProduceTheRecordedBytes) {
  const std::vector<Fixture> fixtures = LoadFixtures();
  ASSERT_FALSE(fixtures.empty());
  for (const Fixture& fixture : fixtures) {
    if (fixture.kind == "ansi_string" || fixture.kind == "old_string") continue;  // read only
    EXPECT_EQ(ToHex(Write(fixture)), ToHex(fixture.bytes)) << fixture.kind << " " << fixture.value;
  }
}

TEST(StreamRecordFixtures, ReadersDecodeTheRecordedBytes) {
  for (const Fixture& fixture : LoadFixtures()) {
    EXPECT_EQ(Read(fixture), fixture.value) << fixture.kind;
  }
}

}  // namespace
