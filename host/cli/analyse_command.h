// `pendrel analyse [FILE] [OPTIONS]`: a recording or a saved document analysed by the loaded
// module, its measurements printed, its beats, RR intervals and document written on request.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace PendrelHost {

extern const char* const kAnalyseCommandUsage;

// 0 on success; 1 when the analysis could not be done; 2 for arguments that do not fit. The
// error is one line on `err`.
int RunAnalyseCommand(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err);

}  // namespace PendrelHost
