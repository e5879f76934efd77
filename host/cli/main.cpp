// pendrel: the host's command line.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/cli/channel_command.h"
#include "platform/win32/resources.h"

HMODULE PendrelResources();

namespace {

void PrintUsage(std::FILE* out) {
  std::fputs(
      "pendrel: the recording host's command line\n"
      "\n"
      "This build has the platform layer, the core text services, and the host's recordings and\n"
      "computed channels. It cannot yet load the analysis module or write reports; those\n"
      "commands arrive with the analysis road.\n"
      "\n"
      "Usage: pendrel [--help]\n"
      "       pendrel channel [OPTIONS] [RECORDING] FORMULA\n"
      "\n"
      "Commands:\n"
      "  channel   print a computed channel of a recording as CSV (pendrel channel --help)\n",
      out);
}

}  // namespace

int main(int argc, char** argv) {
  // The module finds the host's texts (error messages among them) in the executable's table.
  win32::SetExecutableModule(PendrelResources());
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
