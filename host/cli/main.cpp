// pendrel: the host's command line.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/app/host_start.h"
#include "host/cli/channel_command.h"
#include "platform/win32/resources.h"

HMODULE PendrelResources();

namespace {

void PrintUsage(std::FILE* out) {
  std::fputs(
      "pendrel: the recording host's command line\n"
      "\n"
      "This build has the platform layer, the core text services, the host's framework\n"
      "services (class registry, messages, events, menus and commands), and the host's\n"
      "recordings (the built-in synthetic ECG, CSV, and EDF, BDF, GDF and MIT/WFDB files) with\n"
      "their computed channels. It cannot yet load the analysis module or write reports; those\n"
      "commands arrive with the analysis road.\n"
      "\n"
      "Usage: pendrel [--help]\n"
      "       pendrel channel [OPTIONS] [RECORDING] FORMULA\n"
      "\n"
      "Commands:\n"
      "  channel   print a computed channel of a recording as CSV (pendrel channel --help)\n",
      out);
}

int Run(int argc, char** argv) {
  if (argc == 1 || (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")))) {
    PrintUsage(stdout);
    return 0;
  }
  if (!std::strcmp(argv[1], "channel")) {
    const std::vector<std::string> arguments(argv + 2, argv + argc);
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
      std::fputs(PendrelHost::kChannelCommandUsage, stdout);
      return 0;
    }
    return PendrelHost::RunChannelCommand(arguments, stdout, stderr);
  }
  std::fprintf(stderr, "pendrel: unknown argument '%s'\n\n", argv[1]);
  PrintUsage(stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  // The module finds the host's texts (error messages among them) in the executable's table.
  win32::SetExecutableModule(PendrelResources());
  // Before any module loads: modules look for the framework and application objects first.
  if (FAILED(PendrelHost::StartHost())) {
    std::fputs("pendrel: the host's framework services could not be registered\n", stderr);
    return 1;
  }
  const int status = Run(argc, argv);
  PendrelHost::StopHost();
  return status;
}
