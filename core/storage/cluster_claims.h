// ClusterClaims: which clusters a check of a compound file has found a use for. A cluster
// claimed a second time belongs to two things at once, which only damage makes. One lives for
// the duration of one check.
#pragma once

#include <vector>

#include "platform/win32/types.h"

namespace QuorCompoundFile {

class ClusterClaims {
 public:
  explicit ClusterClaims(DWORD entryCount) : m_claimed(entryCount) {}

  // False when the cluster was claimed before. The caller keeps the number within the map.
  bool Claim(DWORD cluster) {
    if (m_claimed[cluster]) return false;
    m_claimed[cluster] = true;
    return true;
  }
  bool Claimed(DWORD cluster) const { return m_claimed[cluster]; }

 private:
  std::vector<bool> m_claimed;
};

}  // namespace QuorCompoundFile
