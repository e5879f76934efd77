// What an enumerator test drives: the enumerator's type word and the computed-channel formula
// that makes the host create it, and the synthetic data it reads (one formula and sample rate
// per data channel, the ticks per record, the records, further computed channels).
#pragma once

#include <vector>

#include "core/quor_string.h"
#include "platform/win32/types.h"

struct TestFiducialEnumCase {
  TestFiducialEnumCase() = default;
  // One data channel of `expression` at 1000 samples per second, `numSamples` ticks a record.
  TestFiducialEnumCase(DWORD enumId, LONG numSamples, const Quor::String& expression,
                       const Quor::String& arithString)
      : mEnumID(enumId),
        mExpressions{expression},
        mChannelIds{0},
        mArithString(arithString),
        mNumSamples(numSamples),
        mSampleRates{1000.0} {}

  DWORD mEnumID = 0;
  std::vector<Quor::String> mExpressions;
  std::vector<LONG> mChannelIds;
  Quor::String mArithString{u"NOT SET"};
  LONG mNumSamples = 26123;
  // Set for an enumerator whose source keeps filling its data.
  bool mFilling = false;
  LONG mNumRecords = 3;
  std::vector<Quor::String> mExtraChannels;
  std::vector<double> mSampleRates;
};
