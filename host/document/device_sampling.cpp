#include "host/document/device_sampling.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "core/quor_string.h"
#include "host/channels/channel_error.h"
#include "host/channels/computed_channels.h"
#include "host/document/arithmetic_calculation.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_text.h"
#include "host/recording/recording_error.h"

namespace PendrelHost {

namespace {

constexpr const char* kService = "DeviceSampling";

std::optional<std::string> FormulaOf(IQuorChannelDataSource* source, DWORD channel) {
  IUnknown* object = nullptr;
  if (FAILED(source->GetData(channel, &object)) || !object) return std::nullopt;
  Tarn::HeldReference<IUnknown> held(object);
  IPendrelCalculation* calculation = nullptr;
  if (FAILED(object->QueryInterface(IPendrelCalculation::iid,
                                    reinterpret_cast<void**>(&calculation)))) {
    return std::nullopt;
  }
  Tarn::HeldReference<IPendrelCalculation> heldCalculation(calculation);
  const ArithmeticCalculation* arithmetic = AsArithmeticCalculation(calculation);
  if (!arithmetic || !arithmetic->Formula()) return std::nullopt;
  return *arithmetic->Formula();
}

}  // namespace

struct DeviceSampling::Session {
  std::size_t record = 0;
  int64_t ticks = 0;  // appended to the record
  // The time base the formulas are computed over.
  std::unique_ptr<Recording> clock;
  std::unique_ptr<EventEnumeratorRegistry> noEnumerators;
  std::unique_ptr<ComputedChannels> computed;
  std::vector<ChannelValue> formulas;  // one per channel of the recording
  bool recordOpen = false;
};

DeviceSampling::DeviceSampling(DocumentContents& contents, DocumentOnlineSource& online)
    : m_contents(contents), m_online(online) {}

DeviceSampling::~DeviceSampling() = default;

HRESULT DeviceSampling::DescribeChannel(DWORD channel, VARIANT_BOOL enabled,
                                        LONGLONG periodNumerator, LONGLONG periodDenominator,
                                        IUnitName* unit, double, double, double, double,
                                        IUnknown*, IQuorChannelDataSource*) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "DescribeChannel",
                     "channel=" + std::to_string(channel) +
                         ", enabled=" + std::to_string(enabled != VARIANT_FALSE) + ", period=" +
                         std::to_string(periodNumerator) + "/" + std::to_string(periodDenominator));
    if (m_session) return E_UNEXPECTED;
    if (periodNumerator <= 0 || periodDenominator <= 0 || channel > 255) return E_INVALIDARG;
    if (m_descriptions.size() <= channel) m_descriptions.resize(channel + 1);
    Description& description = m_descriptions[channel];
    description.enabled = enabled != VARIANT_FALSE;
    description.period = double(periodNumerator) / double(periodDenominator);
    description.unit.clear();
    if (unit) {
      IQuorString* text = nullptr;
      if (SUCCEEDED(unit->GetText(VARIANT_TRUE, &text)) && text) {
        Tarn::HeldReference<IQuorString> held(text);
        description.unit = Tarn::Utf8(Tarn::TextOf(text));
      }
    }
    return S_OK;
  });
}

std::optional<std::string> DeviceSampling::Obstacle() const {
  if (m_session) return "A record is being sampled.";
  const bool any = std::any_of(m_descriptions.begin(), m_descriptions.end(),
                               [](const Description& d) { return d.enabled; });
  if (!any) return "No channel is enabled.";
  const Recording& recording = m_contents.Source();
  if (recording.ChannelCount() > 0) {
    const auto enabled = std::count_if(m_descriptions.begin(), m_descriptions.end(),
                                       [](const Description& d) { return d.enabled; });
    if (std::size_t(enabled) != recording.ChannelCount()) {
      return "The enabled channels differ from the document's.";
    }
  }
  return std::nullopt;
}

HRESULT DeviceSampling::CanSample(VARIANT_BOOL* canSample, IQuorString** text) {
  Tarn::RecordCall(kService, "CanSample");
  if (!canSample || !text) return E_POINTER;
  const std::optional<std::string> obstacle = Obstacle();
  *canSample = obstacle ? VARIANT_FALSE : VARIANT_TRUE;
  *text = Quor::String(obstacle ? *obstacle : std::string("Ready to sample.")).GetInterface();
  return S_OK;
}

HRESULT DeviceSampling::PrepareSampling(DWORD flags) {
  Tarn::RecordCall(kService, "PrepareSampling", "flags=" + Tarn::HexWord(flags));
  return S_OK;
}

void DeviceSampling::LayOut(double tickInterval) {
  Recording& recording = m_contents.EditableSource();
  if (recording.ChannelCount() > 0 || recording.RecordCount() > 0) return;
  recording.SetSampleRate(1.0 / tickInterval);
  for (std::size_t channel = 0; channel < m_descriptions.size(); ++channel) {
    const Description& description = m_descriptions[channel];
    if (description.enabled) {
      recording.AddChannel({"Ch" + std::to_string(channel + 1), description.unit});
    }
  }
}

void DeviceSampling::OpenRecord(double startTime) {
  Recording& recording = m_contents.EditableSource();
  if (!recording.StartDateTime()) recording.SetStartDateTime(startTime);
  double start = startTime - *recording.StartDateTime();
  if (recording.RecordCount() > 0) {
    // Records follow each other, whatever the clock said.
    const std::size_t last = recording.RecordCount() - 1;
    start = std::max(start, recording.RecordStartTime(last) +
                                double(recording.TickCount(last)) * recording.TickPeriod());
  }
  m_session->record = recording.AddRecord(std::max(0.0, start));
  m_session->recordOpen = true;
}

HRESULT DeviceSampling::StartSampling(IQuorChannelDataSource* source, double tickInterval,
                                      double startTime, DWORD value, VARIANT_BOOL) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "StartSampling",
                     "tickInterval=" + std::to_string(tickInterval) + ", value=" +
                         std::to_string(value));
    if (!source) return E_POINTER;
    if (Obstacle() || !(tickInterval > 0)) return E_UNEXPECTED;
    LONGLONG length = 0;
    if (FAILED(source->GetLength(&length)) || length < 0 || length > 0x7FFFFFFF) {
      return E_INVALIDARG;
    }
    auto session = std::make_unique<Session>();
    std::vector<std::string> formulas;
    for (std::size_t channel = 0; channel < m_descriptions.size(); ++channel) {
      const Description& description = m_descriptions[channel];
      if (!description.enabled) continue;
      const std::optional<std::string> formula = FormulaOf(source, DWORD(channel));
      if (!formula) return E_INVALIDARG;
      formulas.push_back(*formula);
    }
    try {
      LayOut(tickInterval);
      session->clock = std::make_unique<Recording>(m_contents.Source().SampleRate());
      session->clock->AddChannel({"time", ""});
      session->clock->AddRecord(0.0);
      session->clock->AppendSamples(0, std::vector<std::vector<float>>{
                                           std::vector<float>(std::size_t(length), 0.0f)});
      session->clock->CloseRecord(0);
      session->noEnumerators = std::make_unique<EventEnumeratorRegistry>();
      session->computed =
          std::make_unique<ComputedChannels>(*session->clock, *session->noEnumerators);
      for (const std::string& formula : formulas) {
        ChannelValue computed = session->computed->Evaluate(formula);
        if (computed.IsEvents()) return E_INVALIDARG;
        session->formulas.push_back(std::move(computed));
      }
    } catch (const ChannelError&) {
      return E_INVALIDARG;
    } catch (const RecordingError&) {
      return E_INVALIDARG;
    }
    for (const auto& sink : m_online.Sinks()) {
      VARIANT_BOOL proceed = VARIANT_TRUE;
      sink->OnSamplingStarting(0, &proceed);
      if (proceed == VARIANT_FALSE) return E_ABORT;
    }
    m_session = std::move(session);
    OpenRecord(startTime);
    TellSinks([&](IOnlineDataSink& sink) { return sink.OnRecordStart(LONG(m_session->record)); });
    return S_OK;
  });
}

HRESULT DeviceSampling::TicksAvailable(LONG count) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "TicksAvailable", "count=" + std::to_string(count));
    if (!m_session || !m_session->recordOpen) return E_UNEXPECTED;
    if (count < 0) return E_INVALIDARG;
    if (count == 0) return S_OK;
    const int64_t from = m_session->ticks;
    std::vector<std::vector<float>> blocks;
    for (const ChannelValue& formula : m_session->formulas) {
      std::vector<float> values(static_cast<std::size_t>(count));
      if (formula.IsNumber()) {
        std::fill(values.begin(), values.end(), float(*formula.number));
      } else {
        formula.samples->Read(0, from, values);
      }
      blocks.push_back(std::move(values));
    }
    std::vector<std::span<const float>> spans(blocks.begin(), blocks.end());
    m_contents.EditableSource().AppendSamples(m_session->record, spans);
    m_session->ticks += count;
    const LONG record = LONG(m_session->record);
    TellSinks([&](IOnlineDataSink& sink) {
      return sink.OnDataAdded(record, LONG(from), count, VARIANT_TRUE);
    });
    TellSinks([&](IOnlineDataSink& sink) { return sink.OnRecordEnd(record); });
    return S_OK;
  });
}

HRESULT DeviceSampling::EndSampling(DWORD flags, DWORD* result) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "EndSampling", "flags=" + Tarn::HexWord(flags));
    if (result) *result = 0;
    if (!m_session || !m_session->recordOpen) return S_FALSE;
    m_contents.EditableSource().CloseRecord(m_session->record);
    m_session->recordOpen = false;
    const LONG record = LONG(m_session->record);
    const LONG end = LONG(m_session->ticks);
    // What the closed record settles (its last events) is read in one more step.
    TellSinks([&](IOnlineDataSink& sink) { return sink.OnDataAdded(record, end, 0, VARIANT_TRUE); });
    TellSinks([&](IOnlineDataSink& sink) { return sink.OnRecordEnd(record); });
    return S_OK;
  });
}

HRESULT DeviceSampling::StopSampling(VARIANT_BOOL) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "StopSampling");
    if (!m_session) return S_FALSE;
    if (m_session->recordOpen) EndSampling(0, nullptr);
    // The session ends before the sinks hear of it: a sink may start the next one.
    m_session.reset();
    for (const auto& sink : m_online.Sinks()) sink->OnSamplingStopped(0, 0);
    return S_OK;
  });
}

void DeviceSampling::TellSinks(const std::function<HRESULT(IOnlineDataSink&)>& call) const {
  // Every sink subscribed now, also one that came after the start: a reader that follows a
  // record already being sampled.
  for (const auto& sink : m_online.Sinks()) call(*sink);
}

HRESULT DeviceSampling::TickToSampleIndex(LONG record, LONG tick, LONGLONG* index) {
  Tarn::RecordCall(kService, "TickToSampleIndex",
                   "record=" + std::to_string(record) + ", tick=" + std::to_string(tick));
  if (!index) return E_POINTER;
  const Recording& recording = m_contents.Source();
  if (record < 0 || std::size_t(record) >= recording.RecordCount() || tick < 0) {
    return E_INVALIDARG;
  }
  LONGLONG before = 0;
  for (LONG r = 0; r < record; ++r) before += recording.TickCount(std::size_t(r));
  *index = before + tick;
  return S_OK;
}

HRESULT DeviceSampling::SampleIndexToTick(LONGLONG index, LONG* record, LONG* tick) {
  Tarn::RecordCall(kService, "SampleIndexToTick", "index=" + std::to_string(index));
  if (!record || !tick) return E_POINTER;
  const Recording& recording = m_contents.Source();
  if (index < 0 || recording.RecordCount() == 0) return E_INVALIDARG;
  std::size_t r = 0;
  // An index past the data lies in the last record, which may still grow.
  while (r + 1 < recording.RecordCount() && index >= recording.TickCount(r)) {
    index -= recording.TickCount(r++);
  }
  if (index > 0x7FFFFFFF) return E_INVALIDARG;
  *record = LONG(r);
  *tick = LONG(index);
  return S_OK;
}

}  // namespace PendrelHost
