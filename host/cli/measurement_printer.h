// The analysis's measurements as a person reads them (an aligned table, with units) or as a
// program reads them (CSV: measurement,value,unit).
#pragma once

#include <cstdio>
#include <vector>

#include "host/cli/analysis_session.h"

namespace PendrelHost {

void PrintMeasurementTable(const std::vector<Measurement>& measurements, std::FILE* out);
void PrintMeasurementCsv(const std::vector<Measurement>& measurements, std::FILE* out);
// The CSV rows of measurements taken at a point of a recording as it grows, after a first
// column with that time in seconds (time_s,measurement,value,unit); the header only when asked.
void PrintTimedMeasurementCsv(const std::vector<Measurement>& measurements, double seconds,
                              bool header, std::FILE* out);

}  // namespace PendrelHost
