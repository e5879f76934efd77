// `pendrel run SCRIPT`: a session script, one host action a line, so that a user can open a
// recording, select, run menu commands (adding and removing beats among them), answer the
// module's questions, print the measurements, save and export without a screen.
#pragma once

#include <cstdio>
#include <istream>
#include <string>
#include <vector>

namespace PendrelHost {

extern const char* const kRunCommandUsage;

int RunRunCommand(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err);

// Runs the script's lines; `name` names it in errors. 0, or 1 after the first failing line.
int RunScript(std::istream& script, const std::string& name, std::FILE* out, std::FILE* err);

}  // namespace PendrelHost
