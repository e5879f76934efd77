// Quor::ScaleProxy: one scale of a plot (horizontal or vertical) over the ranges its persist
// task keeps for the document. Setting a range stores it with the task and sends it to the
// document; inverting only swaps the stored ends. The plot base owns its two proxies; the task
// (not owned) outlives them.
#pragma once

#include "plotengine/plot_window/iscale_proxy.h"

namespace Quor {

class EtchPersistTask;

class ScaleProxy final : public IScaleProxy {
 public:
  // `index`: 0 horizontal, 1 vertical.
  ScaleProxy(EtchPersistTask* task, std::int32_t index) : m_task(task), m_index(index) {}

  double GetLowestAllowed() override;
  double GetHighestAllowed() override;
  double GetMin() override;
  double GetMax() override;
  std::int32_t GetIndex() override { return m_index; }
  String GetUnitText() override { return String(); }
  std::int32_t GetFlags() override { return 0; }
  // Every range can be shown.
  bool ValidateRange(double high, double low, String& message) override;
  void SetRange(double high, double low) override;
  void Invert() override;

 private:
  EtchPersistTask* m_task;  // not owned
  std::int32_t m_index;
};

}  // namespace Quor
