// Test series as the views hand them to a plot: an IEnumFloatEx over a vector of values, with
// the label face (labels "L<index>") unless asked to go without. Counts its Next calls and
// remembers the last block size asked for.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "core/quor_string.h"
#include "platform/pendrel/data_source.h"
#include "platform/win32/com_object.h"
#include "plotengine/proxy/etch_enum.h"

namespace plotengine_test {

class FakeFloatSeries final : public SimpleUnknownImp2<IEnumFloatEx, Quor::IEtchEnum> {
 public:
  // With one reference for the caller.
  static FakeFloatSeries* Make(std::vector<double> values, bool labelled = true) {
    auto* series = new FakeFloatSeries(std::move(values), labelled);
    series->AddRef();
    return series;
  }
  static FakeFloatSeries* Ramp(int count, bool labelled = true) {
    std::vector<double> values(count);
    for (int i = 0; i < count; ++i) values[i] = i;
    return Make(std::move(values), labelled);
  }

  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (!m_labelled && iid == Quor::IEtchEnum::iid) {
      if (object) *object = nullptr;
      return E_NOINTERFACE;
    }
    return SimpleUnknownImp2<IEnumFloatEx, Quor::IEtchEnum>::QueryInterface(iid, object);
  }

  HRESULT Clone(IEnumFloatEx**) override { return E_NOTIMPL; }
  // Clamped to 0 .. size.
  HRESULT Skip(int n, int* skipped) override {
    const long long target = std::clamp<long long>(m_position + (long long)n, 0, Size());
    if (skipped) *skipped = int(target - m_position);
    const bool all = target - m_position == n;
    m_position = int(target);
    return all ? S_OK : S_FALSE;
  }
  HRESULT GetPosition(DWORD* position) override {
    *position = DWORD(m_position);
    return S_OK;
  }
  HRESULT GetReservedWord(DWORD*) override { return E_NOTIMPL; }
  HRESULT Reserved5() override { return E_NOTIMPL; }
  // As floats, advancing by the number written.
  HRESULT Next(int n, float* values, int* fetched) override {
    ++nextCalls;
    lastBlock = n;
    const int count = std::max(0, std::min(n, Size() - m_position));
    for (int i = 0; i < count; ++i) values[i] = float(m_values[m_position + i]);
    m_position += count;
    if (fetched) *fetched = count;
    return count == n ? S_OK : S_FALSE;
  }

  HRESULT LabelAt(int i, IQuorString** label) override {
    const std::string text = i >= 0 && i < Size() ? "L" + std::to_string(i) : "";
    *label = Quor::String::FromUtf8(text).GetInterface();
    return S_OK;
  }

  int Position() const { return m_position; }
  LONG References() const { return m_refCount; }

  int nextCalls = 0;
  int lastBlock = 0;

 private:
  FakeFloatSeries(std::vector<double> values, bool labelled)
      : m_values(std::move(values)), m_labelled(labelled) {}
  int Size() const { return int(m_values.size()); }

  std::vector<double> m_values;
  bool m_labelled;
  int m_position = 0;
};

}  // namespace plotengine_test
