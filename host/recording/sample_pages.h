// Room for a channel's samples that are about to be written whole. Where the room spans huge
// pages the system is asked to back it with them: a long recording is then touched once per two
// megabytes instead of once per four kilobytes, and on a virtual machine those page faults cost
// more than reading the file.
#pragma once

#include <cstddef>
#include <vector>

namespace PendrelHost {

// `samples` ends up holding `count` values (zero where it grew).
void ResizeForFilling(std::vector<float>& samples, std::size_t count);

}  // namespace PendrelHost
