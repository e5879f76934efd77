// The plot page "local.html": one HTML page that inlines the script set "etch_local.js" and
// holds the container in which the plot window makes its plot. Built once per process and kept
// until the module unloads.
#pragma once

#include <string>

namespace Quor {

// The id of the page's plot container; the plot window makes its plot in it.
inline constexpr char kLocalPageContainerId[] = "local";

// A copy of the page's bytes.
std::string BuildLocalPage();

}  // namespace Quor
