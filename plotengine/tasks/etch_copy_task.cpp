#include "plotengine/tasks/etch_copy_task.h"

#include <utility>

namespace Quor {

EtchCopyTask::EtchCopyTask(const char* action, std::string plotId, ISubject* subject)
    : EtchSvgRequest(action), m_plotId(std::move(plotId)) {
  Listen(subject);
}

bool EtchCopyTask::IsAnswer(const EtchSvgPayload& answer) const {
  return answer.userData && String(answer.userData) == String(u"copy");
}

EtchSaveEMFTask::EtchSaveEMFTask(std::string plotId, std::u16string filePath, ISubject* subject)
    : EtchCopyTask("save", std::move(plotId), subject), m_filePath(std::move(filePath)) {}

}  // namespace Quor
