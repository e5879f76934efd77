// The class registry makes the arithmetic calculation, type (id of GUID_TarnArithmetic << 16),
// and its settings, that type | 1, through this maker: the framework library knows nothing of
// computed channels.
#pragma once

namespace PendrelHost {

// Once per process; documents do it when they open.
void AddArithmeticObjectMaker();

}  // namespace PendrelHost
