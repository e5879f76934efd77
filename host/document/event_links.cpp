#include "host/document/event_links.h"

#include <algorithm>
#include <iterator>

namespace PendrelHost {

namespace {

bool SameLink(const PendrelEventLink& a, const PendrelEventLink& b) {
  return a.markerChannel == b.markerChannel && a.kind == b.kind && a.linkType == b.linkType &&
         a.reserved == b.reserved;
}

}  // namespace

bool EventLinks::Add(DWORD target, const PendrelEventLink& link) {
  std::vector<PendrelEventLink>& links = m_links[target];
  if (std::any_of(links.begin(), links.end(),
                  [&](const PendrelEventLink& l) { return SameLink(l, link); })) {
    return false;
  }
  links.push_back(link);
  return true;
}

bool EventLinks::Remove(DWORD target, const PendrelEventLink& link) {
  const auto found = m_links.find(target);
  if (found == m_links.end()) return false;
  const auto removed =
      std::erase_if(found->second, [&](const PendrelEventLink& l) { return SameLink(l, link); });
  if (found->second.empty()) m_links.erase(found);
  return removed > 0;
}

const std::vector<PendrelEventLink>& EventLinks::Of(DWORD target) const {
  static const std::vector<PendrelEventLink> none;
  const auto found = m_links.find(target);
  return found == m_links.end() ? none : found->second;
}

void EventLinks::Forget(DWORD channel) {
  m_links.erase(channel);
  for (auto it = m_links.begin(); it != m_links.end();) {
    std::erase_if(it->second,
                  [&](const PendrelEventLink& l) { return l.markerChannel == channel; });
    it = it->second.empty() ? m_links.erase(it) : std::next(it);
  }
}

}  // namespace PendrelHost
