#include "analysis/document/analysis_client.h"

#include "hostframework/type_ids.h"

namespace AnalysisManager {

DWORD ManagerTypeWord() { return TypeIdClass<&GUID_TarnChildDocument, 0>::Id(); }

}  // namespace AnalysisManager
