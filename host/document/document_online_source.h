// One face of the data document: its online data, to which module documents subscribe as sinks
// while they analyse during sampling. The source holds a reference on each sink until it is
// removed or the data document closes.
#pragma once

#include <vector>

#include "host/framework/held_reference.h"
#include "platform/pendrel/online_data.h"

namespace PendrelHost {

class DocumentOnlineSource : public IPendrelOnlineDataSource {
 public:
  HRESULT AddSink(IOnlineDataSink* sink) override;
  HRESULT RemoveSink(IOnlineDataSink* sink) override;

  // The sinks in the order they subscribed, each with a reference for the caller.
  std::vector<Tarn::HeldReference<IOnlineDataSink>> Sinks() const;
  // Lets go of every sink.
  void DropSinks();

 protected:
  DocumentOnlineSource() = default;
  ~DocumentOnlineSource() = default;

 private:
  std::vector<Tarn::HeldReference<IOnlineDataSink>> m_sinks;
};

}  // namespace PendrelHost
