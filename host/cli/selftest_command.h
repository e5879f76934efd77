// `pendrel selftest [--list] [--filter TEXT] [--seed N]`: the loaded module's self-tests, run
// through the host's test registry and runner as the host runs them, one line per test.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace PendrelHost {

extern const char* const kSelftestCommandUsage;

int RunSelftestCommand(const std::vector<std::string>& arguments, std::FILE* out,
                       std::FILE* err);

}  // namespace PendrelHost
