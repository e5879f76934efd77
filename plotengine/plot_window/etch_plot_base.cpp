#include "plotengine/plot_window/etch_plot_base.h"

#include "hostframework/host_services.h"
#include "plotengine/markup/plot_script_calls.h"

namespace Quor {

EtchPlotBase::EtchPlotBase(IPendrelHostDocument* document)
    : m_document(document) {
  // The persist task's messages go through the host's message service: make sure it exists.
  GetTarnMessageService();
}

EtchPlotBase::~EtchPlotBase() = default;

bool EtchPlotBase::MakePlot() {
  return RunScript(String::FromUtf8(MakePlotCall(GetContainerId(), GetDoubleClickTime())));
}

bool EtchPlotBase::SetMarkup(const String& markup) {
  m_markup = markup;
  std::u16string text = markup.ToStdWString();
  if (m_persistTask) m_persistTask->WritePlotSettings(text);
  return RunScript(String::FromUtf8(SetMarkupCall(GetContainerId(), String(text).ToUtf8String())));
}

bool EtchPlotBase::PlotterDataChanged(const String& dataId, std::int32_t start) {
  return RunScript(
      String::FromUtf8(PlotterDataChangedCall(GetContainerId(), dataId.ToUtf8String(), start)));
}

}  // namespace Quor
