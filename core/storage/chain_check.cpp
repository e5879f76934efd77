#include "core/storage/chain_check.h"

#include <algorithm>

namespace QuorCompoundFile {

namespace {

DWORD ExpectedEndCluster(const ElementRecord& record, DWORD last) {
  if (record.size == 0) return record.firstCluster;
  return last | (record.size % kClusterSize == 0 ? kAtClusterEnd : 0);
}

}  // namespace

bool ChainIsSound(const ClusterMap& map, const ElementRecord& record, ClusterClaims& claims) {
  if (!record.firstCluster) return record.size == 0 && record.endCluster == 0;
  const ULONGLONG needed = std::max<ULONGLONG>(1, ClustersFor(record.size));
  if (needed > map.EntryCount()) return false;
  ULONGLONG length = 0;
  DWORD previous = 0;
  for (DWORD cluster = record.firstCluster; cluster; cluster = map.Next(cluster)) {
    if (!map.InUse(cluster) || map.Prev(cluster) != previous || ++length > needed ||
        !claims.Claim(cluster)) {
      return false;
    }
    previous = cluster;
  }
  return length == needed && record.endCluster == ExpectedEndCluster(record, previous);
}

}  // namespace QuorCompoundFile
