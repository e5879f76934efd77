// pendrel: the host's command line.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "host/app/host_start.h"
#include "host/browser/browser_class.h"
#include "host/cli/analyse_command.h"
#include "host/cli/channel_command.h"
#include "host/cli/menu_command.h"
#include "host/cli/process_heap.h"
#include "host/cli/run_command.h"
#include "host/cli/runtime_locale.h"
#include "host/cli/selftest_command.h"
#include "host/document/arithmetic_objects.h"
#include "host/document/document_objects.h"
#include "host/module/module_loader.h"
#include "platform/win32/resources.h"

HMODULE PendrelResources();

namespace {

using Arguments = std::vector<std::string>;
using CommandFunction = int (*)(const Arguments&, std::FILE*, std::FILE*);

struct Command {
  const char* name;
  const char* const* usage;
  CommandFunction run;
  // Whether the command works through the analysis module with these arguments.
  bool (*needsModule)(const Arguments&);
};

bool Always(const Arguments&) { return true; }

const Command kCommands[] = {
    {"analyse", &PendrelHost::kAnalyseCommandUsage, &PendrelHost::RunAnalyseCommand, &Always},
    {"menu", &PendrelHost::kMenuCommandUsage, &PendrelHost::RunMenuCommand, &Always},
    {"run", &PendrelHost::kRunCommandUsage, &PendrelHost::RunRunCommand, &Always},
    {"channel", &PendrelHost::kChannelCommandUsage, &PendrelHost::RunChannelCommand,
     &PendrelHost::ChannelCommandNeedsModule},
    {"selftest", &PendrelHost::kSelftestCommandUsage, &PendrelHost::RunSelftestCommand, &Always},
};

void PrintUsage(std::FILE* out) {
  std::fputs(
      "pendrel: the recording host's command line, with the Rhyth heart rate variability\n"
      "analysis module loaded as the host loads it\n"
      "\n"
      "Usage: pendrel [--module PATH] COMMAND [ARGUMENTS]\n"
      "       pendrel COMMAND --help\n"
      "\n"
      "Commands:\n"
      "  analyse   analyse an ECG and print its measurements (pendrel analyse --help)\n"
      "  menu      print the analysis menu with each item's state (pendrel menu --help)\n"
      "  run       run a session script (pendrel run --help)\n"
      "  channel   print a computed channel of a recording as CSV (pendrel channel --help)\n"
      "  selftest  run the module's self-tests (pendrel selftest --help)\n"
      "\n"
      "--module PATH loads the analysis module from PATH instead of librhyth.so beside pendrel.\n",
      out);
}

bool IsHelp(const std::string& argument) { return argument == "--help" || argument == "-h"; }

// The module option may stand anywhere; the rest of the arguments keep their order.
bool TakeModuleOption(Arguments& arguments, std::filesystem::path& module) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] != "--module") continue;
    if (i + 1 >= arguments.size()) return false;
    module = arguments[i + 1];
    arguments.erase(arguments.begin() + long(i), arguments.begin() + long(i) + 2);
    return TakeModuleOption(arguments, module);
  }
  return true;
}

int RunCommand(const Command& command, const Arguments& arguments,
               const std::filesystem::path& module) {
  if (arguments.size() == 1 && IsHelp(arguments[0])) {
    std::fputs(*command.usage, stdout);
    return 0;
  }
  if (command.needsModule(arguments)) {
    PendrelHost::AddArithmeticObjectMaker();
    PendrelHost::AddDocumentObjectMakers();
    try {
      PendrelHost::LoadModule(module);
    } catch (const PendrelHost::ModuleLoadError& e) {
      std::fprintf(stderr, "pendrel: %s\n", e.what());
      return 1;
    }
  }
  return command.run(arguments, stdout, stderr);
}

int Run(Arguments arguments) {
  std::filesystem::path module = PendrelHost::DefaultModulePath();
  if (!TakeModuleOption(arguments, module)) {
    std::fputs("pendrel: --module needs a path\n", stderr);
    return 2;
  }
  if (arguments.empty() || (arguments.size() == 1 && IsHelp(arguments[0]))) {
    PrintUsage(stdout);
    return 0;
  }
  for (const Command& command : kCommands) {
    if (arguments[0] == command.name) {
      return RunCommand(command, Arguments(arguments.begin() + 1, arguments.end()), module);
    }
  }
  std::fprintf(stderr, "pendrel: unknown command '%s' (pendrel --help)\n", arguments[0].c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  PendrelHost::PrepareProcessHeap();
  // The module finds the host's texts (error messages among them) in the executable's table.
  win32::SetExecutableModule(PendrelResources());
  PendrelHost::UseInstalledRuntimeLocale();
  // Before any module loads: modules look for the framework and application objects first.
  if (FAILED(PendrelHost::StartHost())) {
    std::fputs("pendrel: the host's framework services could not be registered\n", stderr);
    return 1;
  }
  // Plots and the report find the browser component in the class registry; its browser process
  // starts only when the first page is made.
  PendrelBrowser::RegisterBrowserClass();
  const int status = Run(Arguments(argv + 1, argv + argc));
  PendrelHost::StopHost();
  return status;
}
