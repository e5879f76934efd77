#include "analysis/tests/document/calc_channels.h"

#include "analysis/calc/calc_dialog.h"
#include "analysis/detection/enumerator_classes.h"
#include "platform/win32/message_box.h"

namespace AnalysisDocumentTest {

namespace {

// Made at load time and linked into the module's list of class objects, as the module's own.
Rhyth::SelectorEnumClass selectorClass(Rhyth::SelectorEnumDescriptor());

}  // namespace

std::optional<std::string> AddRhythChannel(PendrelHost::DataDocument& document, const std::string& name,
                                           LONG mode, bool interpolate) {
  const auto calcClass = PendrelHost::FindCalculationClass("Rhyth");
  if (!calcClass) return std::nullopt;
  win32::QueueMessageBoxAnswer(Rhyth::CalcDialogChoice(mode, true, interpolate));
  return PendrelHost::AddCalculatedChannel(document, calcClass.get(), name);
}

}  // namespace AnalysisDocumentTest
