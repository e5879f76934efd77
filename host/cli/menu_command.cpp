#include "host/cli/menu_command.h"

#include "host/cli/analysis_session.h"
#include "host/framework/menu_commands.h"

namespace PendrelHost {

const char* const kMenuCommandUsage =
    "Usage: pendrel menu [FILE]\n"
    "\n"
    "Prints the analysis module's menu items, one a line, with the state each has over the\n"
    "document: its path, its text and whether it is enabled, disabled or checked. FILE is a\n"
    "recording or a saved document; without it, the built-in sample is open.\n"
    "\n"
    "Example line: Rhyth|Analyse \"Analyze Channel\" enabled\n";

int RunMenuCommand(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err) {
  if (arguments.size() > 1 || (arguments.size() == 1 && arguments[0].rfind("--", 0) == 0)) {
    std::fprintf(err, "pendrel menu: %s (pendrel menu --help)\n",
                 arguments.size() > 1 ? ("too many arguments: '" + arguments[1] + "'").c_str()
                                      : ("unknown option " + arguments[0]).c_str());
    return 2;
  }
  try {
    AnalysisSession session;
    if (arguments.empty()) {
      session.OpenSample({});
    } else {
      session.OpenFile(arguments[0]);
    }
    for (const std::string& line : Tarn::MenuStateLines()) std::fprintf(out, "%s\n", line.c_str());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(err, "pendrel menu: %s\n", e.what());
    return 1;
  }
}

}  // namespace PendrelHost
