#include "host/channels/progressive_event_node.h"

namespace PendrelHost {

ProgressiveEventNode::RecordState& ProgressiveEventNode::State(std::size_t record) {
  auto found = m_records.find(record);
  if (found == m_records.end()) {
    std::unique_ptr<Pass> pass = StartPass(record);
    found = m_records.try_emplace(record, RecordSize()).first;
    found->second.pass = std::move(pass);
  }
  return found->second;
}

int64_t ProgressiveEventNode::SettleTo(std::size_t record, int64_t tick) {
  RecordState& state = State(record);
  if (state.settled < tick) state.settled = state.pass->Advance(tick, state.events);
  return state.settled;
}

}  // namespace PendrelHost
