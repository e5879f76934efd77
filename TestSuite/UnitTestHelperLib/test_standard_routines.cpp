#include "TestSuite/UnitTestHelperLib/test_standard_routines.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "TestSuite/UnitTestHelperLib/ran1.h"
#include "TestSuite/UnitTestHelperLib/unit_test_exception.h"
#include "analysis/detection/fiducial_event.h"
#include "hostframework/extlib/host_calls.h"

namespace TestStandardRoutines {

namespace {

// The fields of an event record the routines read: the tick (first), the sub-tick offset
// (second), a value (third) and, at byte 20, the number that with the tick names the event.
template <class TBufType>
LONG TickOf(const TBufType& event) {
  LONG tick;
  std::memcpy(&tick, &event, sizeof tick);
  return tick;
}
template <class TBufType>
float OffsetOf(const TBufType& event) {
  float offset;
  std::memcpy(&offset, reinterpret_cast<const BYTE*>(&event) + 4, sizeof offset);
  return offset;
}
template <class TBufType>
double ValueOf(const TBufType& event) {
  double value;
  std::memcpy(&value, reinterpret_cast<const BYTE*>(&event) + 8, sizeof value);
  return value;
}
template <class TBufType>
LONG NumberOf(const TBufType& event) {
  LONG number;
  std::memcpy(&number, reinterpret_cast<const BYTE*>(&event) + 20, sizeof number);
  return number;
}

struct EventHelper {
  template <class TBufType>
  static bool same(const TBufType& a, const TBufType& b) {
    return TickOf(a) == TickOf(b) && NumberOf(a) == NumberOf(b);
  }
  template <class TBufType>
  static std::string text(const TBufType& event) {
    return "[" + std::to_string(NumberOf(event)) + ", " + std::to_string(TickOf(event)) + ", " +
           std::to_string(ValueOf(event)) + "]";
  }
};

Quor::String Text(const std::string& text) { return Quor::String(text); }

Ran1 SeededGenerator() {
  const LONG seed = SelfTestSeed();
  return Ran1(seed > 0 ? -seed : seed);
}

LONG RandomBetween(Ran1& random, LONG span) {
  return LONG(double(random.Draw()) * (double(span) + 0.999999999));
}

// A document with its adder: the data every routine reads.
struct TestData {
  Quor::ComPtr<IUnknown> document;
  Quor::ComPtr<FormulaDataAdder> adder;
};

TestData NewTestData() {
  TestData data;
  data.document = ObjectFactoryAccessor::Get();
  UNIT_TEST_CHECK(data.document);
  data.adder = Quor::ComPtr<FormulaDataAdder>(new FormulaDataAdder(data.document.Get()));
  return data;
}

void AddExtraChannels(const TestFiducialEnumCase& config, IUnknown* document) {
  for (const Quor::String& formula : config.mExtraChannels) AddExtraChannel(document, formula);
}

TestData PrepareData(const TestFiducialEnumCase& config, LONG ticks, LONG records) {
  TestData data = NewTestData();
  for (LONG r = 0; r < records; ++r) {
    data.adder->AddRecord(config.mExpressions, ticks, config.mSampleRates, 0.0);
  }
  AddExtraChannels(config, data.document.Get());
  return data;
}

// The tick the document gives back for `tick` of `record` through its sample index: what a
// source that keeps filling makes of a position.
LONG RoundTrip(IUnknown* document, LONG record, LONG tick) {
  auto index = ExtLib::Query<IPendrelSampleIndex>(document);
  LONGLONG sample = 0;
  LONG backRecord = record, backTick = tick;
  if (index && SUCCEEDED(index->TickToSampleIndex(record, tick, &sample))) {
    index->SampleIndexToTick(sample, &backRecord, &backTick);
  }
  return backTick;
}

}  // namespace

IPendrelDataSource* EnumGetter::Source(IUnknown* document) {
  // The caller holds the document for the getter's life; the getter takes its own reference.
  auto source = ExtLib::Query<IPendrelDataSource>(document);
  return source.Get();
}

EnumGetter::EnumGetter(IUnknown* document) : m_getter(Source(document), 1) {}

EnumGetter::EnumGetter(IUnknown* document, std::function<void()> readOnStop)
    : m_getter(Source(document), std::move(readOnStop), 0) {}

template <class TBufType>
bool EnumGetter::GetRecordData(LONG record, std::vector<TBufType>& events) {
  events.clear();
  events.reserve(100);
  if (!SetSources(TickPosition(record, 0), -1.0)) return false;
  IEnumEventEx* events_enum = Enum();
  if (!events_enum) return false;
  constexpr int kBufferRecords = 100;
  std::vector<TBufType> buffer(kBufferRecords);
  std::size_t returned = 0;
  for (;;) {
    int fetched = 0;
    LONG next = 0;
    const HRESULT hr = events_enum->Next(int(sizeof(TBufType)) * kBufferRecords, kRecordEndOffset,
                                         buffer.data(), &fetched, &next);
    if (FAILED(hr) || fetched <= 0) break;
    fetched = std::min(fetched, kBufferRecords);
    events.insert(events.end(), buffer.begin(), buffer.begin() + fetched);
    returned += std::size_t(fetched);
  }
  const bool ok = events.size() == returned;
  if (ok && Running()) Stop();
  return ok;
}

template <class TBufType>
void EventEnumBounceTest(const TestFiducialEnumCase& config, bool reuseEnumerator) {
  const TestData data = PrepareData(config, config.mNumSamples, config.mNumRecords);
  std::vector<std::vector<TBufType>> results(std::size_t(std::max<LONG>(config.mNumRecords, 0)));
  {
    EnumGetter edg(data.document.Get());
    UNIT_TEST_CHECK(edg.CreateEnum(config.mEnumID, config.mArithString));
    for (LONG i = 0; i < config.mNumRecords; ++i) {
      UNIT_TEST_CHECK(edg.GetRecordData<TBufType>(i,results[i]));
      const LONG nn = LONG(results[i].size());
      UNIT_TEST_CHECK(nn>0);
    }
  }
  Ran1 random = SeededGenerator();
  EnumGetter edg(data.document.Get());
  if (reuseEnumerator) edg.CreateEnum(config.mEnumID, config.mArithString);
  for (int probe = 0; probe < 50; ++probe) {
    const LONG r = random.RandomIndex(config.mNumRecords);
    const std::vector<TBufType>& events = results[std::size_t(r)];
    if (events.empty()) continue;
    LONG e = random.RandomIndex(LONG(events.size()));
    const TBufType& target = events[std::size_t(e)];
    const LONG lo = e == 0 ? 0 : TickOf(events[std::size_t(e - 1)]) + 1;
    const LONG hi = TickOf(target) - (OffsetOf(target) < 0 ? 1 : 0);
    LONG start = lo < hi ? lo + RandomBetween(random, hi - lo) : hi;
    if (config.mFilling) {
      start = RoundTrip(data.document.Get(), r, start);
      while (e > 0 && TickOf(events[std::size_t(e - 1)]) > start) --e;
    }
    if (!reuseEnumerator) {
      if (!edg.Running()) edg.ReleaseEnum();
      edg.CreateEnum(config.mEnumID, config.mArithString);
    }
    edg.SetSources(TickPosition(r, start), -1.0);
    std::vector<TBufType> buffer(10);
    int n = 0;
    LONG next = 0;
    if (IEnumEventEx* theenum = edg.Enum()) {
      theenum->Next(int(sizeof(TBufType)) * 10, kRecordEndOffset, buffer.data(), &n, &next);
    }
    UNIT_TEST_CHECK(n>0);
    if (edg.Running()) edg.Stop();
    const LONG tp1 = TickOf(buffer[0]);
    const LONG tp2 = TickOf(events[std::size_t(e)]);
    UNIT_TEST_CHECK_MESSAGE(tp1 == tp2, Text("Bounce gave different result! Peak was at " +
                                             std::to_string(tp1) + ", but bouncing put it at " +
                                             std::to_string(tp2) + "."));
    const float to1 = OffsetOf(buffer[0]);
    const float to2 = OffsetOf(events[std::size_t(e)]);
    UNIT_TEST_CHECK(fabs( to1 - to2 ) < 0.01);
  }
}

template <class TBufType>
void EventEnumOnlineOfflineComparison(const TestFiducialEnumCase& config) {
  std::vector<TBufType> vec;
  {
    const TestData data = PrepareData(config, config.mNumSamples, 1);
    EnumGetter edg(data.document.Get());
    UNIT_TEST_CHECK(edg.CreateEnum(config.mEnumID, config.mArithString));
    UNIT_TEST_CHECK(edg.GetRecordData<TBufType>(0,vec));
    UNIT_TEST_CHECK_MESSAGE(vec.size()>0,
                            Quor::String("OnlineOffline Comparison needs some events to work with."));
  }
  const TestData data = NewTestData();
  AddExtraChannels(config, data.document.Get());
  data.adder->StartRecord(config.mExpressions, config.mNumSamples, config.mSampleRates, 0.0);
  data.adder->AddTicks(10);

  constexpr int kBufferRecords = 20;
  std::vector<TBufType> buf(kBufferRecords);
  HRESULT hr = S_OK;
  int nRetd = 0;
  LONG nut = 0;
  IEnumEventEx* theenum = nullptr;
  const auto read = [&] {
    nRetd = 0;
    if (!theenum) return;
    hr = theenum->Next(int(sizeof(TBufType)) * kBufferRecords, kRecordEndOffset, buf.data(), &nRetd,
                       &nut);
    nRetd = std::clamp(nRetd, 0, kBufferRecords);
  };
  EnumGetter edg(data.document.Get(), read);
  edg.CreateEnum(config.mEnumID, config.mArithString);
  edg.SetSources(TickPosition(0, 0), -1.0);
  theenum = edg.Enum();
  UNIT_TEST_CHECK(theenum);

  LONG added = 10;
  std::size_t ndx = 0;
  bool finished = false;
  const auto compare = [&] {
    for (std::size_t i = 0; i < std::size_t(nRetd); ++i) {
      UNIT_TEST_CHECK(vec.size() > ndx+i);
      UNIT_TEST_CHECK_MESSAGE(EventHelper::same(buf[i],vec[ndx+i]),
                              Text("Event #" + std::to_string(ndx + i) +
                                   " differs between online and offline (" +
                                   EventHelper::text(buf[i]) + " vs " +
                                   EventHelper::text(vec[ndx + i]) + ")."));
    }
    ndx += std::size_t(nRetd);
  };
  while (added < config.mNumSamples || !finished) {
    read();
    if (added >= config.mNumSamples && !finished) {
      compare();
      // Stopping makes the getter read once more: what the closed record settled.
      data.adder->StopSampling();
      finished = true;
    }
    UNIT_TEST_CHECK(hr==S_OK || nut==kRecordEndOffset);
    if (nRetd < kBufferRecords && !finished) {
      data.adder->AddTicks(10);
      added += 10;
    }
    compare();
  }
  UNIT_TEST_CHECK_MESSAGE(ndx==vec.size(), Text("Offline found " + std::to_string(vec.size()) +
                                                " events, but online found " +
                                                std::to_string(ndx) + " events!"));
}

template <class TBufType>
void EventEnumTestFind(const TestFiducialEnumCase& config) {
  const TestData data = PrepareData(config, config.mNumSamples, 1);
  std::vector<TBufType> vec;
  {
    EnumGetter edg(data.document.Get());
    UNIT_TEST_CHECK(edg.CreateEnum(config.mEnumID, config.mArithString));
    UNIT_TEST_CHECK(edg.GetRecordData<TBufType>(0,vec));
    if (vec.size() < 12) {
      UNIT_TEST_FAIL(Quor::String("EventEnumTestFind Comparison needs some events to work with."));
    }
  }
  Ran1 random = SeededGenerator();
  {
    EnumGetter edg(data.document.Get());
    edg.CreateEnum(config.mEnumID, config.mArithString);
    edg.SetSources(TickPosition(0, random.RandomIndex(config.mNumSamples)), -1.0);
    IEnumEventEx* theenum = edg.Enum();
    UNIT_TEST_CHECK(theenum);
    const LONG pos0 = TickOf(vec[10]);
    const LONG pos1 = TickOf(vec[11]);
    for (int i = 0; i < 100; ++i) {
      const LONG mid = pos0 + 1 + RandomBetween(random, pos1 - pos0 - 2);
      const int choice = int(double(random.Draw()) * 3.999999999);
      HRESULT hr = S_OK;
      LONG nPos = 0;
      switch (choice) {
        case 0:
          hr = theenum->Seek(0, mid, pos0 + 1, kRecordEndOffset);
          UNIT_TEST_CHECK(hr==S_OK);
          theenum->GetPosition(&nPos);
          UNIT_TEST_CHECK_MESSAGE(nPos == pos1,
                                  Quor::String("Find fails to find known event going forwards."));
          hr = theenum->Seek(0, mid, pos0 + 1, pos1 + 1);
          UNIT_TEST_CHECK(hr==S_OK);
          theenum->GetPosition(&nPos);
          UNIT_TEST_CHECK_MESSAGE(nPos == pos1,
                                  Quor::String("Find fails to find known event going forwards."));
          break;
        case 1:
          hr = theenum->Seek(0, pos0 + 1, pos0 + 1, pos1);
          UNIT_TEST_CHECK(hr==S_FALSE);
          theenum->GetPosition(&nPos);
          UNIT_TEST_CHECK(nPos>pos0 && nPos<=pos1);
          break;
        case 2:
          hr = theenum->Seek(1, mid, 0, pos1);
          UNIT_TEST_CHECK(hr==S_OK);
          theenum->GetPosition(&nPos);
          UNIT_TEST_CHECK_MESSAGE(nPos == pos0,
                                  Quor::String("Find fails to find known event going backwards."));
          hr = theenum->Seek(1, mid, pos0, pos1);
          UNIT_TEST_CHECK(hr==S_OK);
          theenum->GetPosition(&nPos);
          UNIT_TEST_CHECK_MESSAGE(nPos == pos0,
                                  Quor::String("Find fails to find known event going backwards."));
          break;
        default:
          hr = theenum->Seek(1, pos1 - 1, pos0 + 1, pos1);
          UNIT_TEST_CHECK(hr==S_FALSE);
          theenum->GetPosition(&nPos);
          UNIT_TEST_CHECK_MESSAGE(nPos>pos0 && nPos<=pos1,
                                  Quor::String("Bad position returned by Find when going "
                                               "backwards and no event found."));
          break;
      }
    }
  }
  EnumGetter edg(data.document.Get());
  edg.CreateEnum(config.mEnumID, config.mArithString);
  const LONG numsamples = config.mNumSamples;
  edg.SetSources(TickPosition(0, numsamples - 1), -1.0);
  IEnumEventEx* theenum = edg.Enum();
  UNIT_TEST_CHECK(theenum);
  LONG startpos = 0;
  UNIT_TEST_CHECK(theenum->GetPosition(&startpos)==S_OK);
  UNIT_TEST_CHECK(startpos==numsamples-1);
  const HRESULT hr = theenum->Seek(1, startpos, 0, numsamples);
  UNIT_TEST_CHECK(hr==S_OK);
  LONG pos = 0;
  UNIT_TEST_CHECK(theenum->GetPosition(&pos)==S_OK);
  UNIT_TEST_CHECK(pos==TickOf(vec[vec.size()-1]));
}

template <class TBufType>
void EventEnumTestSetSources(const TestFiducialEnumCase& config) {
  if (config.mFilling) return;
  constexpr LONG kTicks = 17000;
  const TestData data = PrepareData(config, kTicks, 1);
  std::vector<TBufType> vec;
  EnumGetter edg1(data.document.Get());
  UNIT_TEST_CHECK(edg1.CreateEnum(config.mEnumID, config.mArithString));
  UNIT_TEST_CHECK(edg1.GetRecordData<TBufType>(0,vec));
  EnumGetter edg2(data.document.Get());
  UNIT_TEST_CHECK(edg2.CreateEnum(config.mEnumID, config.mArithString));
  const LONG ticknum = kTicks - 1;
  UNIT_TEST_CHECK(edg2.SetSources(TickPosition(0,ticknum)));
  LONG position = -1;
  edg2.Enum()->GetPosition(&position);
  const bool posok = position == ticknum;
  UNIT_TEST_CHECK_MESSAGE(posok, Text("Incorrect position after SetSources (" +
                                      std::to_string(position) + " instead of " +
                                      std::to_string(ticknum) + " in record with " +
                                      std::to_string(kTicks) + " ticks)."));
  edg2.Stop();
}

void EventEnumTestNextOffline(const TestFiducialEnumCase& config, DWORD eventSize) {
  const LONG numsamples = config.mNumSamples;
  UNIT_TEST_CHECK(numsamples>200);
  UNIT_TEST_CHECK(eventSize > 0);
  constexpr int numbufelems = 5;
  std::vector<BYTE> buffer(std::size_t(numbufelems) * eventSize);
  const int bytes = int(buffer.size());
  const TestData data = NewTestData();
  data.adder->AddRecord(config.mExpressions, numsamples, 1000.0, 0.0);
  AddExtraChannels(config, data.document.Get());
  EnumGetter edg(data.document.Get());
  edg.CreateEnum(config.mEnumID, config.mArithString);
  LONG startTick = numsamples / 3;
  if (config.mFilling) startTick = RoundTrip(data.document.Get(), 0, startTick);
  edg.SetSources(TickPosition(0, startTick), -1.0);
  IEnumEventEx* theenum = edg.Enum();
  UNIT_TEST_CHECK(theenum);
  LONG nut = 0;
  HRESULT hr = S_OK;
  int nRetd = 0;

  const LONG endTick = numsamples - 10;
  while (nut < endTick) {
    hr = theenum->Next(bytes, endTick, buffer.data(), &nRetd, &nut);
    UNIT_TEST_CHECK_MESSAGE(hr==S_OK || hr==S_FALSE, Quor::String("Bad HResult from Next."));
    UNIT_TEST_CHECK_MESSAGE(nut==kRecordEndOffset || hr==S_OK,
                            Quor::String("Bad HResult from Next."));
    UNIT_TEST_CHECK_MESSAGE(nut<=endTick || nut==kRecordEndOffset,
                            Quor::String("Bad nextUnexaminedTick from Next."));
    UNIT_TEST_CHECK_MESSAGE(nRetd == numbufelems || nut == endTick || nut == kRecordEndOffset,
                            Quor::String("nRetd and nextUnexaminedTick inconsistent in Next."));
  }
  UNIT_TEST_CHECK_MESSAGE(nut == kRecordEndOffset || nut == endTick,
                          Quor::String("Enumerators must be positioned either at endTick or at "
                                       "kRecordEndOffset following a completed call to next."));

  int preventinfiniteloop = 0;
  while (nut != kRecordEndOffset && nut <= numsamples) {
    hr = theenum->Next(bytes, kRecordEndOffset, buffer.data(), &nRetd, &nut);
    UNIT_TEST_CHECK_MESSAGE(hr==S_OK || hr==S_FALSE, Quor::String("Bad HResult from Next."));
    UNIT_TEST_CHECK_MESSAGE(nut==kRecordEndOffset || hr==S_OK,
                            Quor::String("Bad HResult from Next."));
    if (nut == numsamples) {
      ++preventinfiniteloop;
      UNIT_TEST_CHECK_MESSAGE(preventinfiniteloop<4,
                              Quor::String("Enumerator isn't returning kRecordEndOffset at end of "
                                           "record"));
    }
  }
  if (!config.mFilling) {
    UNIT_TEST_CHECK_MESSAGE(hr == S_FALSE, Quor::String("Enumerators should return S_FALSE when "
                                                        "out of data and not filling."));
    UNIT_TEST_CHECK_MESSAGE(nut==kRecordEndOffset,
                            Quor::String("When no more events are going to be available "
                                         "Enumerators are supposed to return kRecordEndOffset as "
                                         "their position. See IEventEnums.idl."));
  }
}

void EventEnumTestNextOnline(const TestFiducialEnumCase& config, DWORD eventSize) {
  const LONG numsamples = config.mNumSamples;
  UNIT_TEST_CHECK(numsamples>200);
  UNIT_TEST_CHECK(eventSize > 0);
  constexpr int kBufferRecords = 50;
  // Calls that may still return events once the data is complete: its last events.
  constexpr int kCallsPastTheEnd = 100;
  std::vector<BYTE> buffer(std::size_t(kBufferRecords) * eventSize);
  const int bytes = int(buffer.size());
  const TestData data = NewTestData();
  AddExtraChannels(config, data.document.Get());
  data.adder->StartRecord(config.mExpressions, numsamples, 1000.0, 0.0);
  data.adder->AddTicks(100);
  LONG itot = 100;
  EnumGetter edg(data.document.Get(), nullptr);
  edg.CreateEnum(config.mEnumID, config.mArithString);
  edg.SetSources(TickPosition(0, 0), -1.0);
  IEnumEventEx* theenum = edg.Enum();
  UNIT_TEST_CHECK(theenum);
  int nRetd = kBufferRecords;
  LONG nut = 0;
  int callsPastTheEnd = 0;
  while (itot < numsamples || nRetd > 0) {
    if (nRetd < kBufferRecords) {
      data.adder->AddTicks(100);
      itot += 100;
    }
    if (itot >= numsamples && ++callsPastTheEnd > kCallsPastTheEnd) {
      UNIT_TEST_FAIL(Quor::String("Enumerator keeps returning events past the end of its data."));
    }
    nRetd = 0;
    const HRESULT hr = theenum->Next(bytes, config.mFilling ? itot : kRecordEndOffset,
                                     buffer.data(), &nRetd, &nut);
    if (hr == S_OK) {
      UNIT_TEST_CHECK_MESSAGE(nut==kRecordEndOffset || nut <= itot,
                              Quor::String("NextUnusedTick returned by Next is bad."));
    } else if (hr == S_FALSE) {
      UNIT_TEST_CHECK_MESSAGE(hr==S_OK || nut==kRecordEndOffset,
                              Quor::String("S_FALSE and kRecordEndOffset must go together."));
    } else {
      UNIT_TEST_CHECK_MESSAGE(hr==S_OK || hr==S_FALSE,
                              Quor::String("Unexpected HResult from Next"));
    }
  }
  UNIT_TEST_CHECK(nut<=numsamples || nut==kRecordEndOffset);
  edg.Stop();
  data.adder->StopSampling();
}

template void EventEnumBounceTest<Rhyth::FiducialEvent>(const TestFiducialEnumCase&, bool);
template void EventEnumOnlineOfflineComparison<Rhyth::FiducialEvent>(const TestFiducialEnumCase&);
template void EventEnumTestFind<Rhyth::FiducialEvent>(const TestFiducialEnumCase&);
template void EventEnumTestSetSources<Rhyth::FiducialEvent>(const TestFiducialEnumCase&);

}  // namespace TestStandardRoutines
