// The check of an element's data chain against the cluster map, made before the engine follows
// a chain that a file's table or header names: a damaged record is refused instead of walked.
#pragma once

#include "core/storage/cluster_claims.h"
#include "core/storage/cluster_map.h"

namespace QuorCompoundFile {

// True when the record's chain starts at its first cluster, runs through clusters in use whose
// prev links name their predecessors, holds exactly the clusters its size needs (one for an
// empty element that has a cluster), and ends at the record's end cluster. Every cluster of it
// is claimed; one claimed before fails the check. The walk takes at most as many steps as the
// size needs clusters, and no more than the map has entries.
bool ChainIsSound(const ClusterMap& map, const ElementRecord& record, ClusterClaims& claims);

}  // namespace QuorCompoundFile
