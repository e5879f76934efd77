// Links that show one channel's events as marks on another, kept by the index of the channel
// they are shown on.
#pragma once

#include <map>
#include <vector>

#include "platform/pendrel/arithmetic_channels.h"

namespace PendrelHost {

class EventLinks {
 public:
  // False when the target has this link already.
  bool Add(DWORD target, const PendrelEventLink& link);
  // False when the target has no such link.
  bool Remove(DWORD target, const PendrelEventLink& link);
  const std::vector<PendrelEventLink>& Of(DWORD target) const;
  // Drops the links shown on the channel and those that show its events elsewhere.
  void Forget(DWORD channel);

 private:
  std::map<DWORD, std::vector<PendrelEventLink>> m_links;
};

}  // namespace PendrelHost
