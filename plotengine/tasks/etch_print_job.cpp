#include "plotengine/tasks/etch_print_job.h"

#include <utility>

namespace Quor {

EtchPrintJob::EtchPrintJob(std::string title, std::string plotId)
    : EtchSvgRequest("print"), m_title(std::move(title)), m_plotId(std::move(plotId)) {}

void EtchPrintJob::Start(EtchProxyBase* plotModel, ISubject* subject) {
  Listen(subject);
  if (plotModel) plotModel->RunScript(SvgRequestScript(m_plotId, "print"));
}

bool EtchPrintJob::IsAnswer(const EtchSvgPayload& answer) const {
  return answer.userData && String(answer.userData) == String(u"print") && answer.plotId &&
         String(answer.plotId) == String::FromUtf8(m_plotId);
}

}  // namespace Quor
