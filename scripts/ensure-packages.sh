#!/usr/bin/env bash
# Installs the Debian packages listed in scripts/debian-packages.txt (or in the list named as the
# first argument) that are not installed yet.
# Runs `apt-get update` at most once, and only when something is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# Another list may be named, as the fuzzing script does with its own.
list="${1:-$here/debian-packages.txt}"

missing=()
while read -r pkg _; do
  [[ -z "$pkg" || "$pkg" == \#* ]] && continue
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done < "$list"

[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "error: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
