#include "analysis/detection/signal_window.h"

namespace Rhyth {

SignalWindow ReadSignalWindow(EEH3::FloatExWrapper& signal, LONG from, LONG count) {
  SignalWindow window;
  signal.Seek(from);
  while (LONG(window.samples.size()) < count && signal.HasCurrent()) {
    window.samples.push_back(signal.Value());
    signal.Advance();
  }
  window.complete = LONG(window.samples.size()) >= count || signal.AtEnd();
  return window;
}

}  // namespace Rhyth
