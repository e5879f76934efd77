// The host's simulated acquisition device for one data document: it replays the document's
// recording into the target document attached to it (a document the data document gave out
// for sampling), through the sampling simulator, so that the target's online data sinks follow
// as they would a real acquisition. Each start opens a session that stays open until a stop;
// a start samples a first stretch at once (ticks per start), and Advance samples more, as time
// passing would. A pause (a stop, then a start) continues the replay in a new record; a new
// target starts from the beginning again. Tests script how a start fails and whether it waits
// for confirmation. Runs on the thread that owns the documents.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "host/document/data_document.h"
#include "host/framework/held_reference.h"
#include "host/sampling/sampling_simulator.h"
#include "platform/pendrel/sampling_device.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

// How a start fails: the code, and the text for the user (empty: none).
struct StartFailure {
  HRESULT code;
  std::u16string text;
};

class SimulatedSamplingDevice final : public SimpleUnknownImp1<IPendrelSamplingDevice, 1> {
 public:
  // Replays `source`, which the device shares.
  explicit SimulatedSamplingDevice(std::shared_ptr<const Recording> source);
  ~SimulatedSamplingDevice() override;

  HRESULT IsSampling(DWORD reserved, VARIANT_BOOL* sampling) override;
  HRESULT SelectChannels(DWORD reserved, DWORD channelWord) override;
  HRESULT SetUp(DWORD reserved, DWORD channelWord, DWORD mode) override;
  // Fails as scripted; E_UNEXPECTED without a target; asks for confirmation when scripted to;
  // otherwise starts. S_FALSE while already sampling.
  HRESULT RequestStart(DWORD reserved, WORD* confirm, IQuorString** error) override;
  // E_UNEXPECTED without a request waiting for it.
  HRESULT ConfirmStart(DWORD reserved, double time, IQuorString** error) override;
  HRESULT Stop(DWORD reserved) override;
  // Only a host data document is a target (E_INVALIDARG otherwise); attaching another
  // document stops sampling into the one before and lets go of it.
  HRESULT AttachTarget(DWORD reserved, IUnknown* document) override;
  HRESULT DetachTarget(DWORD reserved, IUnknown* document) override;

  // Every start fails so from now on; nothing: starts succeed.
  void SetStartFailure(std::optional<StartFailure> failure) { m_failure = std::move(failure); }
  void SetConfirmationNeeded(bool needed) { m_confirmationNeeded = needed; }
  // Sampled at once when a start succeeds (0: nothing until Advance); one second of the
  // source until set.
  void SetTicksPerStart(int64_t ticks) { m_ticksPerStart = ticks; }
  // Ticks per block the sinks hear of; 0 as the sinks ask.
  void SetBlockTicks(int64_t ticks) { m_blockTicks = ticks; }
  // Samples up to `ticks` more while sampling; the ticks sampled.
  int64_t Advance(int64_t ticks);

  bool Sampling() const { return m_simulator && m_simulator->IsOpen(); }
  // The document sampled into, null when none is attached.
  DataDocument* Target() const { return m_target.get(); }

 private:
  // Opens a session on the target and samples the first stretch.
  HRESULT Begin(IQuorString** error);
  void Detach();

  std::shared_ptr<const Recording> m_source;
  Tarn::HeldReference<DataDocument> m_target;
  std::unique_ptr<SamplingSimulator> m_simulator;
  std::optional<StartFailure> m_failure;
  bool m_confirmationNeeded = false;
  bool m_awaitingConfirmation = false;
  int64_t m_ticksPerStart;
  int64_t m_blockTicks = 0;
};

// Gives the data document a simulated device that replays its own recording, in its device
// list (which the document must still have); the device, which the list holds.
SimulatedSamplingDevice& AddSimulatedDevice(DataDocument& document);

}  // namespace PendrelHost
