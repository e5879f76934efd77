// pendrel: the host's command line.
#include <cstdio>
#include <cstring>

#include "host/app/host_start.h"
#include "platform/win32/resources.h"

HMODULE PendrelResources();

namespace {

void PrintUsage(std::FILE* out) {
  std::fputs(
      "pendrel: the recording host's command line\n"
      "\n"
      "This build has the platform layer, the core text services and the host's framework\n"
      "services (class registry, messages, events, menus and commands). It cannot yet load\n"
      "the analysis module, open recordings or write reports; those commands arrive with the\n"
      "analysis road.\n"
      "\n"
      "Usage: pendrel [--help]\n",
      out);
}

int Run(int argc, char** argv) {
  if (argc == 1 || (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")))) {
    PrintUsage(stdout);
    return 0;
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
