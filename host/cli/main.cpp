// pendrel: the host's command line.
#include <cstdio>
#include <cstring>

#include "platform/win32/resources.h"

HMODULE PendrelResources();

namespace {

void PrintUsage(std::FILE* out) {
  std::fputs(
      "pendrel: the recording host's command line\n"
      "\n"
      "This build has the platform layer and the core text services only. It cannot yet load\n"
      "the analysis module, open recordings or write reports; those commands arrive with the\n"
      "analysis road.\n"
      "\n"
      "Usage: pendrel [--help]\n",
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
  std::fprintf(stderr, "pendrel: unknown argument '%s'\n\n", argv[1]);
  PrintUsage(stderr);
  return 2;
}
