#include "host/sampling/simulated_sampling_device.h"

#include <cmath>
#include <string>

#include "core/quor_string.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"

namespace PendrelHost {

namespace {

constexpr const char* kService = "SamplingDevice";

IQuorString* TextFor(const std::u16string& text) {
  return text.empty() ? nullptr : Quor::String(text).GetInterface();
}

void ClearText(IQuorString** text) {
  if (text) *text = nullptr;
}

}  // namespace

SimulatedSamplingDevice::SimulatedSamplingDevice(std::shared_ptr<const Recording> source)
    : m_source(std::move(source)), m_ticksPerStart(std::llround(m_source->SampleRate())) {}

SimulatedSamplingDevice::~SimulatedSamplingDevice() { Detach(); }

HRESULT SimulatedSamplingDevice::IsSampling(DWORD, VARIANT_BOOL* sampling) {
  Tarn::RecordCall(kService, "IsSampling");
  if (!sampling) return E_POINTER;
  *sampling = Sampling() ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT SimulatedSamplingDevice::SelectChannels(DWORD, DWORD channelWord) {
  Tarn::RecordCall(kService, "SelectChannels", "channels=" + Tarn::HexWord(channelWord));
  return S_OK;
}

HRESULT SimulatedSamplingDevice::SetUp(DWORD, DWORD channelWord, DWORD mode) {
  Tarn::RecordCall(kService, "SetUp",
                   "channels=" + Tarn::HexWord(channelWord) + ", mode=" + std::to_string(mode));
  return S_OK;
}

HRESULT SimulatedSamplingDevice::RequestStart(DWORD, WORD* confirm, IQuorString** error) {
  Tarn::RecordCall(kService, "RequestStart");
  ClearText(error);
  if (!confirm) return E_POINTER;
  *confirm = 0;
  if (Sampling()) return S_FALSE;
  if (m_failure) {
    if (error) *error = TextFor(m_failure->text);
    return m_failure->code;
  }
  if (!m_target) {
    if (error) *error = TextFor(u"There is no document to sample into.");
    return E_UNEXPECTED;
  }
  if (m_confirmationNeeded) {
    m_awaitingConfirmation = true;
    *confirm = 1;
    return S_OK;
  }
  return Begin(error);
}

HRESULT SimulatedSamplingDevice::ConfirmStart(DWORD, double time, IQuorString** error) {
  Tarn::RecordCall(kService, "ConfirmStart", "time=" + std::to_string(time));
  ClearText(error);
  if (!m_awaitingConfirmation || !m_target) return E_UNEXPECTED;
  m_awaitingConfirmation = false;
  return Begin(error);
}

HRESULT SimulatedSamplingDevice::Begin(IQuorString** error) {
  if (!m_simulator->Open(m_blockTicks)) {
    if (error) {
      *error = TextFor(m_simulator->Finished() ? u"The recording has been replayed to its end."
                                               : u"A document refused to start sampling.");
    }
    return E_FAIL;
  }
  Advance(m_ticksPerStart);
  return S_OK;
}

HRESULT SimulatedSamplingDevice::Stop(DWORD) {
  Tarn::RecordCall(kService, "Stop");
  m_awaitingConfirmation = false;
  if (m_simulator) m_simulator->Close();
  return S_OK;
}

HRESULT SimulatedSamplingDevice::AttachTarget(DWORD, IUnknown* document) {
  Tarn::RecordCall(kService, "AttachTarget");
  DataDocument* target = AsDataDocument(document);
  if (!target) return E_INVALIDARG;
  if (target == m_target.get()) return S_OK;
  Detach();
  m_target = Tarn::Hold(target);
  m_simulator = std::make_unique<SamplingSimulator>(*m_source, target->SharedSource(), *target);
  return S_OK;
}

HRESULT SimulatedSamplingDevice::DetachTarget(DWORD, IUnknown* document) {
  Tarn::RecordCall(kService, "DetachTarget");
  if (!m_target || AsDataDocument(document) != m_target.get()) return S_FALSE;
  Detach();
  return S_OK;
}

int64_t SimulatedSamplingDevice::Advance(int64_t ticks) {
  return Sampling() ? m_simulator->Advance(ticks) : 0;
}

void SimulatedSamplingDevice::Detach() {
  // The simulator tells the target's sinks of the stop before the target may go.
  m_simulator.reset();
  m_target.reset();
  m_awaitingConfirmation = false;
}

SimulatedSamplingDevice& AddSimulatedDevice(DataDocument& document) {
  Tarn::HeldReference<SimulatedSamplingDevice> device(
      new SimulatedSamplingDevice(document.SharedSource()));
  document.Devices()->Add(device.get());
  return *device;
}

}  // namespace PendrelHost
