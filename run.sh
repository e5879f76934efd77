#!/usr/bin/env bash
# Installs what is missing, builds in Release and runs the host's `pendrel` command with the arguments.
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-packages.sh
scripts/ensure-npm-packages.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target pendrel
exec "$build/bin/pendrel" "$@"
