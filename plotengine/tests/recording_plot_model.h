// A plot model whose transport is recorded: the scripts it runs and a copy of every event it
// delivers, decoded by type.
#pragma once

#include <string>
#include <vector>

#include "plotengine/proxy/etch_proxy_base.h"

namespace plotengine_test {

struct RecordedEvent {
  DWORD n;  // the event number, the low word of its type
  std::vector<std::u16string> texts;
  std::vector<double> values;
  DWORD count = 0;
  DWORD flag = 0;
};

class RecordingPlotModel : public Quor::EtchProxyBase {
 public:
  void Detach() override {}
  ISubject* GetSubject() override { return nullptr; }
  bool RunScript(const Quor::String& script) override {
    scripts.push_back(script.ToUtf8String());
    return scriptResult;
  }
  LONG DeliverEvent(const Quor::EtchEvent& event) override;
  Quor::EtchStringMap ResourceURLs() override { return {}; }
  void MakeDropMenu(const Quor::String&, int, int, int, int, int, bool, double, double) override {}

  void ShowErrorsInPlot() { m_showErrorsInPlot = true; }

  std::vector<std::string> scripts;
  std::vector<RecordedEvent> events;
  bool scriptResult = true;
};

// Decodes an event's payload into a record of its texts, values and words.
RecordedEvent DecodeEvent(const Quor::EtchEvent& event);

}  // namespace plotengine_test
