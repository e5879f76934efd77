// A stand-in for the plot proxy in browser tests: the script object "etch_proxy" that logs
// every call the plotting scripts make and answers from a table of series. CompileMarkup
// compiles the markup and runs the plot's setup within the call, as the real proxy does.
// Reference counted from 0 like every script object; one per test.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "plotengine/bridge/v8_object_base.h"

namespace Quor {

class RecordingEtchProxy final : public V8ObjectBase {
 public:
  RecordingEtchProxy();

  // The values served under a data id; any other expression is a formula in t. The labels of
  // a series are its id followed by the value's index.
  void SetSeries(const std::string& id, std::vector<double> values);
  void ForgetSeries(const std::string& id);
  // Every answer of RequestPixData carries this many extra values after those asked for.
  void SetJunkValues(int count) { m_junk = count; }
  // Milliseconds RequestPixData takes before it answers.
  void SetDelay(int milliseconds) { m_delay = milliseconds; }
  // What IsZoomEnabled answers: a boolean, or a text when `text` is not empty.
  void SetZoomEnabledAnswer(bool enabled, std::string text = {}) {
    std::lock_guard lock(m_mutex);
    m_zoomEnabled = enabled;
    m_zoomEnabledText = std::move(text);
  }

  // The calls so far, oldest first, and forgotten: "Method(arg|arg|...)".
  std::vector<std::string> TakeCalls();

 protected:
  void RegisterMethodNames() override;
  void CallMethod(IQuorV8Variant** result, IUnknown* context, const String& method,
                  InterfaceArray<IQuorV8Variant>& arguments) override;

 private:
  std::vector<double> Values(const std::string& expression, double t, double interval, int count);
  std::vector<String> Labels(const std::string& id, int first, int count);

  std::mutex m_mutex;
  std::map<std::string, std::vector<double>> m_series;
  std::vector<std::string> m_calls;
  int m_junk = 0;
  int m_delay = 0;
  bool m_zoomEnabled = false;
  std::string m_zoomEnabledText;
};

}  // namespace Quor
