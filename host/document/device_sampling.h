// One face of the data document: sampling driven by a device. A device describes its channels,
// then opens a record, says as ticks become available and closes the record; the document
// computes each new tick of a channel from the formula of the arithmetic calculation that the
// data source gives for the channel when the record starts (the document keeps no reference
// to the source, which holds the document), appends the samples to its recording and tells its
// online data sinks, synchronously, on the device's thread. The first record lays the
// recording out (its rate from the tick interval, one channel per enabled description); later
// records keep it. The face also numbers ticks across records (64-bit sample indexes).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/document/document_contents.h"
#include "host/document/document_online_source.h"
#include "host/framework/held_reference.h"
#include "platform/pendrel/device_sampling.h"

namespace PendrelHost {

class DeviceSampling : public IPendrelSamplingSink, public IPendrelSampleIndex {
 public:
  HRESULT DescribeChannel(DWORD channel, VARIANT_BOOL enabled, LONGLONG periodNumerator,
                          LONGLONG periodDenominator, IUnitName* unit, double scale, double offset,
                          double rangeHigh, double rangeLow, IUnknown* reserved,
                          IQuorChannelDataSource* source) override;
  HRESULT CanSample(VARIANT_BOOL* canSample, IQuorString** text) override;
  HRESULT PrepareSampling(DWORD flags) override;
  HRESULT StartSampling(IQuorChannelDataSource* source, double tickInterval, double startTime,
                        DWORD value, VARIANT_BOOL notify) override;
  HRESULT TicksAvailable(LONG count) override;
  HRESULT EndSampling(DWORD flags, DWORD* result) override;
  HRESULT StopSampling(VARIANT_BOOL notify) override;

  HRESULT TickToSampleIndex(LONG record, LONG tick, LONGLONG* index) override;
  HRESULT SampleIndexToTick(LONGLONG index, LONG* record, LONG* tick) override;

 protected:
  DeviceSampling(DocumentContents& contents, DocumentOnlineSource& online);
  ~DeviceSampling();

 private:
  struct Description {
    bool enabled = false;
    double period = 0.0;
    std::string unit;
  };
  struct Session;

  // Why sampling cannot start now; nothing when it can.
  std::optional<std::string> Obstacle() const;
  void LayOut(double tickInterval);
  void OpenRecord(double startTime);
  void TellSinks(const std::function<HRESULT(IOnlineDataSink&)>& call) const;

  DocumentContents& m_contents;
  DocumentOnlineSource& m_online;
  std::vector<Description> m_descriptions;  // by channel index
  // The record being sampled; each channel's new ticks are computed from its formula over a
  // recording of the record's length without data of its own, so that numbers and functions
  // of time ("sinewave") give the samples.
  std::unique_ptr<Session> m_session;
};

}  // namespace PendrelHost
