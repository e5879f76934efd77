// `pendrel channel [OPTIONS] [RECORDING] FORMULA`: prints a computed channel of a recording (the
// built-in sample when none is named) as CSV, so that a person can look at any stage. With
// `--calc MEASURE` it prints instead the channel of the analysis module's channel calculation
// over the analysed recording; only that form needs the module.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace PendrelHost {

extern const char* const kChannelCommandUsage;

// Whether the arguments ask for the analysis module's channel calculation.
bool ChannelCommandNeedsModule(const std::vector<std::string>& arguments);

// The process's exit status: 0 done, 1 the recording or the channel failed, 2 bad arguments.
int RunChannelCommand(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err);

}  // namespace PendrelHost
