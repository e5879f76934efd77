// Computes the measures of signal windows given on standard input, for
// check_hjorth_reference.py to hold against numpy.
//
// Input, one window per line: <sample interval> <smoothing> <count> <samples...>
// Output, one line per window: <variance> <mobility> <form factor>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "analysis/detection/hjorth_measures.h"

namespace {

double ReadNumber(std::istream& in) {
  std::string word;
  in >> word;
  return std::stod(word);
}

}  // namespace

int main() {
  for (;;) {
    std::string interval;
    if (!(std::cin >> interval)) return 0;
    const std::size_t smoothing = std::size_t(ReadNumber(std::cin));
    const std::size_t count = std::size_t(ReadNumber(std::cin));
    std::vector<float> samples(count);
    for (float& sample : samples) sample = float(ReadNumber(std::cin));
    const Rhyth::HjorthValues values =
        Rhyth::HjorthMeasures(samples, std::stod(interval), smoothing);
    std::printf("%.17g %.17g %.17g\n", values.variance, values.mobility, values.formFactor);
  }
}
