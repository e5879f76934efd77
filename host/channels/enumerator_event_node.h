// An event channel whose events a registered calculated event enumerator finds, one enumerator
// per record.
#pragma once

#include <memory>
#include <vector>

#include "host/channels/event_enumerator.h"
#include "host/channels/progressive_event_node.h"
#include "host/channels/signal_node.h"
#include "host/recording/recording.h"

namespace PendrelHost {

// A channel parameter of an enumerator: one of the two is set.
struct EnumeratorInput {
  std::shared_ptr<SignalNode> samples;
  std::shared_ptr<EventNode> events;
};

class EnumeratorEventNode : public ProgressiveEventNode {
 public:
  // Throws ChannelError when the class refuses the numbers.
  EnumeratorEventNode(const Recording& recording, std::shared_ptr<const EventEnumeratorClass> enumeratorClass,
                      std::vector<EnumeratorInput> inputs, std::vector<double> numbers);

  std::size_t RecordSize() const override { return m_recordSize; }
  uint32_t EventTypeWord() const override { return m_typeWord; }

 protected:
  std::unique_ptr<Pass> StartPass(std::size_t record) override;

 private:
  const Recording& m_recording;
  std::shared_ptr<const EventEnumeratorClass> m_class;
  std::vector<EnumeratorInput> m_inputs;
  std::vector<double> m_numbers;
  std::size_t m_recordSize;
  uint32_t m_typeWord;
};

}  // namespace PendrelHost
