#include "hostframework/eeh3/state_base.h"

namespace EEH3 {

void StateBase::RestoreSources(const ParamsBase& params, LONG end, bool growing) const {
  for (DWORD i = 0; i < params.SourceCount() && i < m_sourcePositions.size(); ++i) {
    eeh_SourceEnum* source = params.Source(i);
    source->SetEnd(end, growing);
    source->Seek(m_sourcePositions[i]);
  }
}

void StateBase::SaveSources(const ParamsBase& params) {
  m_sourcePositions.resize(params.SourceCount());
  for (DWORD i = 0; i < params.SourceCount(); ++i) {
    m_sourcePositions[i] = params.Source(i)->Position();
  }
}

bool StateBase::SourcesAtEnd(const ParamsBase& params) const {
  for (DWORD i = 0; i < params.SourceCount(); ++i) {
    if (!params.Source(i)->AtEnd()) return false;
  }
  return true;
}

}  // namespace EEH3
