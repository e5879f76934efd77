// The settings and the user's beat edits stored in the host's data file: byte-exact records,
// the older layouts, and stored data that the analysis refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "analysis/data/analysis_data.h"
#include "analysis/settings/settings.h"
#include "analysis/tests/held_settings.h"
#include "core/tests/failing_stream.h"
#include "core/tests/memory_stream.h"
#include "core/xquor.h"

namespace {

using Held = RhythTest::HeldSettings;

using Rhyth::BeatPosition;
using Rhyth::Settings;
using testing_streams::Bytes;
using testing_streams::FromHex;
using testing_streams::MemoryStream;
using testing_streams::StreamBytes;
using testing_streams::ToHex;

struct Record {
  std::string kind;
  std::map<std::string, std::string> values;
  std::string valueText;
  Bytes bytes;
};

std::vector<Record> Fixtures() {
  std::ifstream in(std::string(ANALYSIS_FIXTURES) + "/analysis_records.txt");
  std::vector<Record> records;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    const auto bar1 = line.find('|'), bar2 = line.find('|', bar1 + 1);
    Record r;
    r.kind = line.substr(0, line.find(' '));
    r.valueText = line.substr(bar1 + 2, bar2 - bar1 - 3);
    std::istringstream words(r.valueText);
    for (std::string word; words >> word;) {
      const auto eq = word.find('=');
      r.values[word.substr(0, eq)] = word.substr(eq + 1);
    }
    r.bytes = FromHex(line.substr(bar2 + 1));
    records.push_back(r);
  }
  return records;
}

// Fills settings from the fixture's field values.
void Apply(const std::map<std::string, std::string>& v, Settings& s) {
  auto u = [&](const char* key) { return DWORD(std::stoul(v.at(key))); };
  auto i = [&](const char* key) { return LONG(std::stol(v.at(key))); };
  auto d = [&](const char* key) { return std::stod(v.at(key)); };
  s.source = {u("channel"), u("channel_word"), BYTE(u("selection_only")), BYTE(u("markers_shown"))};
  s.analysis.region = {i("start_offset"), i("start_record"), i("end_offset"), i("end_record")};
  s.analysis.binWidth = d("bin_width");
  s.analysis.automaticBinWidth = u("automatic_bins");
  s.analysis.prrxThreshold = d("prrx");
  s.analysis.excludeEctopic = BYTE(u("exclude_ectopic"));
  s.analysis.onlineMode = BYTE(u("online"));
  s.analysis.sdarrSegmentLength = d("sdarr_segment");
  s.classifier = {d("rr_low"), d("rr_high"), d("complexity_low"), d("complexity_high")};
  s.detection = {u("preset"), d("low_pass"), d("levelling_window"), d("noise"),
                 d("peak_height"), d("qrs_width"), d("min_period")};
  s.spectrum = {d("max_frequency"), d("vlf_low"), d("vlf_high"), d("lf_low"), d("lf_high"),
                d("hf_low"), d("hf_high"), u("frequencies"), u("window")};
}

std::vector<BeatPosition> Positions(const std::string& text) {
  std::vector<BeatPosition> positions;
  std::istringstream in(text.substr(1, text.size() - 2));
  for (std::string item; std::getline(in, item, ',');) {
    const auto colon = item.find(':');
    positions.push_back({std::stoi(item.substr(colon + 1)), std::stoi(item.substr(0, colon))});
  }
  return positions;
}

TEST(StoredSettings, WriteAndReadTheFixturesByteForByte) {
  int checked = 0;
  for (const Record& r : Fixtures()) {
    if (r.kind != "settings") continue;
    Held written;
    Apply(r.values, *written.settings);
    written->dirty = 1;
    auto stream = MemoryStream();
    ASSERT_EQ(written->Save(stream.Get(), TRUE), S_OK);
    EXPECT_EQ(ToHex(StreamBytes(stream.Get())), ToHex(r.bytes)) << r.valueText;
    EXPECT_EQ(written->dirty, 0);

    Held read;
    read->dirty = 1;
    ASSERT_EQ(read->Load(MemoryStream(r.bytes).Get()), S_OK);
    EXPECT_EQ(read->Compare(written.settings), 0u) << r.valueText;
    EXPECT_EQ(read->source.markersShown, written->source.markersShown);
    EXPECT_EQ(read->spectrum.window, written->spectrum.window);
    EXPECT_EQ(read->storedVersion, 6);
    EXPECT_EQ(read->inUse, 1);
    EXPECT_EQ(read->secondStored, 1);
    EXPECT_EQ(read->dirty, 0);
    ++checked;
  }
  EXPECT_EQ(checked, 2);
}

TEST(StoredData, WriteAndReadTheFixturesByteForByte) {
  int checked = 0;
  for (const Record& r : Fixtures()) {
    if (r.kind != "data") continue;
    auto* data = new Rhyth::Data(nullptr);
    data->AddRef();
    for (const BeatPosition& p : Positions(r.values.at("added"))) data->UserEvents()->Add(&p, FALSE);
    for (const BeatPosition& p : Positions(r.values.at("removed"))) data->UserEvents()->Add(&p, TRUE);
    auto stream = MemoryStream();
    ASSERT_EQ(data->Save(stream.Get(), TRUE), S_OK);
    EXPECT_EQ(ToHex(StreamBytes(stream.Get())), ToHex(r.bytes)) << r.valueText;

    auto* read = new Rhyth::Data(nullptr);
    read->AddRef();
    ASSERT_EQ(read->Load(MemoryStream(r.bytes).Get()), S_OK);
    EXPECT_EQ(read->UserEvents()->Added(), data->UserEvents()->Added());
    EXPECT_EQ(read->UserEvents()->Removed(), data->UserEvents()->Removed());
    EXPECT_EQ(read->inUse, 1);
    read->Release();
    data->Release();
    ++checked;
  }
  EXPECT_EQ(checked, 2);
}

// Builds stored records by hand, word by word, as the layout tables lay them out.
class RecordWriter {
 public:
  RecordWriter() { I(LONG(0x5515AAAA)); }  // the storage stream header, version 0x15
  RecordWriter& I(LONG v) { return Put(&v, 4); }
  RecordWriter& D(double v) { return Put(&v, 8); }
  RecordWriter& Block(DWORD tag, DWORD version) { return I(LONG(tag)).I(LONG(version)); }
  // A string record: tag, count of units with the NUL, negated count, the units.
  RecordWriter& S(const std::u16string& text) {
    const LONG count = LONG(text.size() + 1);
    I(LONG(0x80000001)).I(count).I(-count);
    return Put(text.c_str(), 2 * std::size_t(count));
  }
  Bytes Result() const { return m_bytes; }

 private:
  RecordWriter& Put(const void* p, std::size_t n) {
    const auto* b = static_cast<const BYTE*>(p);
    m_bytes.insert(m_bytes.end(), b, b + n);
    return *this;
  }
  Bytes m_bytes;
};

// The version 0 to 5 layouts lack fields that later versions added.
Bytes VersionedSettings(LONG version) {
  RecordWriter w;
  w.I(version).I(3).I(LONG(0xC0000000)).I(0).I(1).I(0).I(0).I(1).I(500);
  w.D(0.02).I(0).D(0.03).I(0).I(0);
  if (version >= 3) w.D(120);
  w.D(0.5).D(1.3).D(0.9).D(1.6).I(2);
  w.D(3.5).D(0.001).D(2.5).D(0.04).D(0.15);
  w.D(2.0).D(0.0).D(0.05).D(0.05).D(0.2).D(0.2).D(1.5);
  if (version >= 2) w.I(300);
  if (version >= 4) w.I(3);
  return w.Result();
}

TEST(StoredSettings, OlderVersionsKeepTheFieldsTheyLack) {
  for (LONG version : {0, 1, 2, 3, 4, 5}) {
    Held s;
    s->analysis.sdarrSegmentLength = 77;
    s->detection.lowPassCutoff = 55;
    s->spectrum.window = 1;
    s->spectrum.frequencyCount = 111;
    ASSERT_EQ(s->Load(MemoryStream(VersionedSettings(version)).Get()), S_OK) << version;
    EXPECT_EQ(s->storedVersion, version);
    EXPECT_EQ(s->source.channelIndex, 3u);
    EXPECT_EQ(s->analysis.region.endOffset, 500);
    EXPECT_EQ(s->detection.lowPassCutoff, 55.0) << "only version 6 stores the low-pass cutoff";
    EXPECT_EQ(s->analysis.sdarrSegmentLength, version >= 3 ? 120.0 : 77.0) << version;
    EXPECT_EQ(s->spectrum.frequencyCount, version >= 2 ? 300u : 111u) << version;
    EXPECT_EQ(s->spectrum.window, version >= 4 ? 3u : 1u) << version;
    EXPECT_EQ(s->spectrum.hfHigh, 1.5);
  }
}

Bytes OlderLayoutSettings(LONG version, double minPeriod, DWORD firstTag = 0x10001,
                          DWORD block5Version = 102) {
  RecordWriter w;
  w.I(version).Block(firstTag, 101).I(1).I(4).D(900).D(700).D(1300).D(1250).I(0);
  w.D(20).D(60).D(0.05).D(0.2).D(0.5).D(1.0).I(0).I(0).I(0).I(9).I(1);
  w.Block(0x10002, 101).D(1.0).D(minPeriod).I(0).I(1).I(1).I(1).I(0);
  w.Block(0x10003, 101).S(u"first").I(7).S(u"second");
  w.Block(0x10004, 101).I(0).I(0).I(0);
  w.Block(0x10005, block5Version).I(0).I(0).I(0).I(0);
  for (DWORD i = 0; i < (block5Version == 101 ? 4u : 5u); ++i) w.I(0);
  w.I(0);
  w.Block(0x10006, 101).I(1).I(0);
  if (version == 104 || version == 105) w.I(1).I(1).I(0).I(0).I(0).I(0).I(777).I(0);
  if (version == 105) w.I(0).D(0).D(0).D(0).D(0).I(0);
  return w.Result();
}

TEST(StoredSettings, TheOlderLayoutIsConverted) {
  for (LONG version : {101, 104, 105}) {
    Held s;
    ASSERT_EQ(s->Load(MemoryStream(OlderLayoutSettings(version, 0.25)).Get()), S_OK);
    EXPECT_EQ(s->storedVersion, version);
    EXPECT_EQ(s->source.selectionOnly, 1);
    EXPECT_EQ(s->source.channelIndex, 4u);
    EXPECT_EQ(s->analysis.onlineMode, 1);
    EXPECT_EQ(s->source.markersShown, 0);
    EXPECT_DOUBLE_EQ(s->analysis.binWidth, 0.02);
    EXPECT_DOUBLE_EQ(s->analysis.prrxThreshold, 0.06);
    // R1..R4 = 900, 700, 1300, 1250 are made non-decreasing: 900, 900, 1300, 1300.
    EXPECT_DOUBLE_EQ(s->classifier.rrLow, 0.9);
    EXPECT_DOUBLE_EQ(s->classifier.rrHigh, 1.3);
    EXPECT_EQ(s->spectrum.vlfHigh, 0.05);
    EXPECT_EQ(s->spectrum.lfLow, 0.05);
    EXPECT_EQ(s->spectrum.lfHigh, 0.2);
    EXPECT_EQ(s->spectrum.hfLow, 0.2);
    EXPECT_EQ(s->spectrum.hfHigh, 0.5);
    EXPECT_EQ(s->spectrum.maxFrequency, 1.0);
    EXPECT_EQ(s->detection.minPeriod, 0.25);
    EXPECT_EQ(s->detection.preset, Rhyth::kCustomPreset);
    EXPECT_EQ(s->inUse, 1);
  }
  Held s;
  ASSERT_EQ(s->Load(MemoryStream(OlderLayoutSettings(101, 0.005, 0x10001, 101)).Get()), S_OK);
  EXPECT_EQ(s->detection.minPeriod, 0.3);  // too short a period is not taken
  EXPECT_EQ(s->detection.preset, 0u);
}

TEST(StoredSettings, AnOlderLayoutWithAWrongTagConvertsNothing) {
  for (DWORD firstTag : {0x10009u, 0x10001u}) {
    Held s;
    const Bytes bytes = firstTag == 0x10001 ? OlderLayoutSettings(101, 0.25, firstTag, 103)
                                            : OlderLayoutSettings(101, 0.25, firstTag);
    ASSERT_EQ(s->Load(MemoryStream(bytes).Get()), S_OK);
    EXPECT_EQ(s->source.channelIndex, 0u);
    EXPECT_EQ(s->detection.minPeriod, 0.3);
    EXPECT_EQ(s->storedVersion, 101);
    EXPECT_EQ(s->inUse, 1);
  }
}

TEST(StoredData, TheOlderLayoutCarriesTheRegion) {
  Held settings;
  RecordWriter w;
  w.I(0x10007).I(102).I(0x10008).I(0).D(1.5).S(u"x").I(0).I(0);
  for (int i = 0; i < 5; ++i) w.S(u"");
  w.I(0x10009).I(0).I(0).I(1).I(250).I(4).I(9000);
  auto* data = new Rhyth::Data(settings.settings);
  data->AddRef();
  const BeatPosition kept{5, 0};
  data->UserEvents()->Add(&kept, FALSE);
  ASSERT_EQ(data->Load(MemoryStream(w.Result()).Get()), S_OK);
  const Rhyth::AnalysisRegion expected{250, 1, 9000, 4};
  EXPECT_EQ(settings->analysis.region, expected);
  EXPECT_EQ(data->UserEvents()->Added().size(), 1u);  // the user's edits are not touched
  data->Release();
}

// What users lose when a damaged file is read: nothing. The previous values stay and the
// load says why it refused.
TEST(StoredSettings, DamagedOrUnusableSettingsAreRefusedAndTheOldOnesStay) {
  const Bytes good = Fixtures()[0].bytes;
  struct Case {
    const char* what;
    std::function<Bytes()> bytes;
    HRESULT result;
  } cases[] = {
      {"newer version", [] { RecordWriter w; w.I(7).I(0); return w.Result(); }, kXQuorNewerVersion},
      {"negative version", [] { RecordWriter w; w.I(-3); return w.Result(); }, kXQuorNewerVersion},
      {"empty stream", [] { return Bytes(); }, kXQuorDataTruncated},
      {"cut after the header", [&] { return Bytes(good.begin(), good.begin() + 6); },
       kXQuorDataTruncated},
      {"cut in the middle", [&] { return Bytes(good.begin(), good.begin() + 100); },
       kXQuorDataTruncated},
      {"cut one byte short", [&] { return Bytes(good.begin(), good.end() - 1); },
       kXQuorDataTruncated},
  };
  for (const Case& c : cases) {
    Held s;
    s->detection.qrsWidth = 0.05;
    s->dirty = 1;
    EXPECT_EQ(s->Load(MemoryStream(c.bytes()).Get()), c.result) << c.what;
    EXPECT_EQ(s->detection.qrsWidth, 0.05) << c.what;
    EXPECT_EQ(s->dirty, 1) << c.what;
    EXPECT_EQ(s->inUse, 0) << c.what;
  }
}

TEST(StoredSettings, ValuesThatWouldHangOrExhaustTheAnalysisAreRefused) {
  struct Case {
    const char* what;
    std::function<void(Settings&)> damage;
  } cases[] = {
      {"segment length 0", [](Settings& s) { s.analysis.sdarrSegmentLength = 0; }},
      {"negative segment length", [](Settings& s) { s.analysis.sdarrSegmentLength = -300; }},
      {"NaN segment length", [](Settings& s) { s.analysis.sdarrSegmentLength = std::nan(""); }},
      {"no frequencies", [](Settings& s) { s.spectrum.frequencyCount = 0; }},
      {"billions of frequencies", [](Settings& s) { s.spectrum.frequencyCount = 4000000000u; }},
      {"bins of a nanosecond", [](Settings& s) { s.analysis.binWidth = 1e-9; }},
      {"negative bin width", [](Settings& s) { s.analysis.binWidth = -0.01; }},
      {"maximum frequency 0", [](Settings& s) { s.spectrum.maxFrequency = 0; }},
      {"bands out of order", [](Settings& s) { s.spectrum.lfHigh = 0.5; }},
      {"infinite band edge", [](Settings& s) { s.spectrum.hfHigh = HUGE_VAL; }},
  };
  for (const Case& c : cases) {
    Held bad;
    c.damage(*bad.settings);
    auto stream = MemoryStream();
    ASSERT_EQ(bad->Save(stream.Get(), FALSE), S_OK);
    testing_streams::SeekToStart(stream.Get());
    Held s;
    s->spectrum.hfHigh = 0.4;
    EXPECT_EQ(s->Load(stream.Get()), kXQuorValueOutOfRange) << c.what;
    EXPECT_EQ(s->spectrum.hfHigh, 0.4) << c.what;
    EXPECT_EQ(s->analysis.sdarrSegmentLength, 300.0) << c.what;
  }
}

TEST(StoredData, DamagedDataLeavesTheUsersEditsAsTheyWere) {
  struct Case {
    const char* what;
    std::function<Bytes()> bytes;
    HRESULT result;
  } cases[] = {
      {"count near 2^32", [] { RecordWriter w; w.I(6).I(-2).I(0).I(5); return w.Result(); },
       kXQuorDataTruncated},
      {"count beyond the data", [] { RecordWriter w; w.I(6).I(3).I(0).I(5).I(1).I(6); return w.Result(); },
       kXQuorDataTruncated},
      {"no removed set", [] { RecordWriter w; w.I(6).I(0); return w.Result(); }, kXQuorDataTruncated},
      {"newer version", [] { RecordWriter w; w.I(7).I(0).I(0); return w.Result(); }, kXQuorNewerVersion},
  };
  for (const Case& c : cases) {
    auto* data = new Rhyth::Data(nullptr);
    data->AddRef();
    const BeatPosition kept{12, 3};
    data->UserEvents()->Add(&kept, TRUE);
    data->dirty = 1;
    EXPECT_EQ(data->Load(MemoryStream(c.bytes()).Get()), c.result) << c.what;
    EXPECT_EQ(data->UserEvents()->Removed().count(kept), 1u) << c.what;
    EXPECT_EQ(data->UserEvents()->Added().size(), 0u) << c.what;
    EXPECT_EQ(data->dirty, 1) << c.what;
    data->Release();
  }
}

TEST(StoredSettings, AWriteFailureIsReportedAndTheSettingsStayDirty) {
  for (ULONGLONG room : {0ull, 10ull, 200ull}) {
    Held s;
    s->dirty = 1;
    auto* stream = new testing_streams::FailingStream;
    stream->writeRoom = room;
    EXPECT_EQ(s->Save(stream, TRUE), kXQuorWriteFailed) << room;
    EXPECT_EQ(s->dirty, 1);
    stream->Release();

    auto* data = new Rhyth::Data(nullptr);
    data->AddRef();
    data->dirty = 1;
    auto* dataStream = new testing_streams::FailingStream;
    dataStream->writeRoom = room < 12 ? room : 12;
    EXPECT_EQ(data->Save(dataStream, TRUE), kXQuorWriteFailed) << room;
    EXPECT_EQ(data->dirty, 1);
    dataStream->Release();
    data->Release();
  }
}

}  // namespace
