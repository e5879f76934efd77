// A sampled host channel as an algorithm's input: the host's float enumerator read 1024 samples
// at a time.
#pragma once

#include "core/byte_buffer.h"
#include "core/com_ptr.h"
#include "hostframework/eeh3/eeh_source_enum.h"
#include "platform/pendrel/calc_enum.h"

namespace EEH3 {

class FloatExWrapper : public eeh_SourceEnum {
 public:
  static constexpr DWORD kBufferSamples = 1024;

  // Without a host enumerator the source has no data.
  explicit FloatExWrapper(IEnumFloatEx* host);

  LONG Position() override;
  void Seek(LONG tick) override;
  void SetPosition(LONG tick) override;
  HRESULT Clone(eeh_SourceEnum** copy) const override;

  // The current sample; valid while HasCurrent() holds.
  float Value() const { return Samples()[m_index]; }

 private:
  FloatExWrapper(const FloatExWrapper& other, IEnumFloatEx* hostCopy);

  const float* Samples() const { return reinterpret_cast<const float*>(m_samples.Data()); }
  bool Fill() override;
  // Moves the host to where reading goes on; false when its data does not reach there.
  bool BringHostToNext();

  Quor::ComPtr<IEnumFloatEx> m_host;
  Quor::ComPtr<ICalcEnum> m_hostAsCalcEnum;
  ByteBuffer m_samples;
  LONG m_bufferStart = 0;
  LONG m_hostPosition = 0;  // where the host enumerator stands
};

}  // namespace EEH3
