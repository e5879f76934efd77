// `pendrel menu [FILE]`: the analysis module's menu tree over a document, one item a line with
// its enabled state, as a person would find the menus with that document open.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace PendrelHost {

extern const char* const kMenuCommandUsage;

int RunMenuCommand(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err);

}  // namespace PendrelHost
