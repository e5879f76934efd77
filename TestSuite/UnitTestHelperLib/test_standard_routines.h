// Generic self-test bodies for a calculated event enumerator of the host. Given a test case,
// each builds synthetic host data, has the host create the enumerator from the case's formula,
// reads its events in several ways and checks that the ways agree (the same events from any
// start, online as offline, found forwards and backwards), or that every Next keeps the host's
// rules on its result, count and next unexamined tick. A check that fails throws
// UnitTestException; nothing else reports. Random choices draw from the seed of the run.
#pragma once

#include <functional>
#include <vector>

#include "TestSuite/UnitTestHelperLib/test_data_adder.h"
#include "TestSuite/UnitTestHelperLib/test_fiducial_enum_case.h"
#include "hostframework/extlib/event_enum_data_getter.h"

namespace TestStandardRoutines {

// A record and a tick within it.
struct TickPosition {
  TickPosition(LONG record, LONG offset) : mRecord(record), mRecordOffset(offset) {}
  LONG mRecord;
  LONG mRecordOffset;
};

// The event data getter as the routines drive it: one enumerator over a document, read
// offline, or online with a read step that runs when sampling stops.
class EnumGetter {
 public:
  // Offline: plain reading.
  explicit EnumGetter(IUnknown* document);
  // Online: subscribed to the document's online data.
  EnumGetter(IUnknown* document, std::function<void()> readOnStop);

  bool CreateEnum(DWORD enumId, const Quor::String& arithString) {
    return m_getter.CreateEnum(enumId, arithString);
  }
  bool SetSources(TickPosition position, double time = -1.0) {
    return m_getter.SetSources(position.mRecord, position.mRecordOffset, time);
  }
  IEnumEventEx* Enum() const { return m_getter.Enumerator(); }
  bool Running() const { return m_getter.Running(); }
  void Stop() { m_getter.Stop(); }
  void ReleaseEnum() { m_getter.ReleaseEnum(); }

  // Every event of `record` from its start, in order.
  template <class TBufType>
  bool GetRecordData(LONG record, std::vector<TBufType>& events);

 private:
  static IPendrelDataSource* Source(IUnknown* document);
  ExtLib::EventEnumDataGetter m_getter;
};

template <class TBufType>
void EventEnumBounceTest(const TestFiducialEnumCase& config, bool reuseEnumerator);
template <class TBufType>
void EventEnumOnlineOfflineComparison(const TestFiducialEnumCase& config);
template <class TBufType>
void EventEnumTestFind(const TestFiducialEnumCase& config);
template <class TBufType>
void EventEnumTestSetSources(const TestFiducialEnumCase& config);

// The rules of Next over finished data and over data that grows while it reads.
void EventEnumTestNextOffline(const TestFiducialEnumCase& config, DWORD eventSize);
void EventEnumTestNextOnline(const TestFiducialEnumCase& config, DWORD eventSize);

}  // namespace TestStandardRoutines
