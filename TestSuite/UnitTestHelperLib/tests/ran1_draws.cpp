// Prints draws of the self-tests' generator, for the reference implementation to compare:
// ran1_draws STATE COUNT prints COUNT draws from STATE, one a line, each exact as a float.
#include <cstdio>
#include <cstdlib>

#include "TestSuite/UnitTestHelperLib/ran1.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: ran1_draws STATE COUNT\n", stderr);
    return 2;
  }
  Ran1 random(LONG(std::strtol(argv[1], nullptr, 10)));
  const long count = std::strtol(argv[2], nullptr, 10);
  for (long i = 0; i < count; ++i) std::printf("%.9g\n", double(random.Draw()));
  return 0;
}
