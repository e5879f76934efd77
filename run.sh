#!/usr/bin/env bash
# Installs what is missing, builds in Release and runs the host's `pendrel` command with the
# arguments; without any, it analyses the built-in sample, prints the measurements, writes the
# report to out/report.html and out/report.pdf and the six plots to out/plots/ (PNG and SVG).
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-packages.sh
scripts/ensure-npm-packages.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target pendrel
if [[ $# -eq 0 ]]; then
  mkdir -p out
  set -- analyse --report out/report.html --report out/report.pdf --plots out/plots
fi
exec "$build/bin/pendrel" "$@"
