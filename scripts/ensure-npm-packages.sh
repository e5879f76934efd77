#!/usr/bin/env bash
# Installs the npm packages whose browser scripts the plot page embeds (jQuery), exactly as the
# committed lockfile pins them. Skips the install when node_modules already came from this
# lockfile.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
packages="$here/../plotengine/scripts/packages"
stamp="$packages/node_modules/.installed-from-lockfile"

if ! command -v npm >/dev/null; then
  # Debian's nodejs comes without npm; the Node.js builds that bundle npm already have it.
  sudo=()
  [[ $(id -u) -ne 0 ]] && sudo=(sudo)
  echo "Installing: npm"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends npm
fi

wanted=$(cat "$packages/package.json" "$packages/package-lock.json" | sha256sum | cut -d' ' -f1)
if [[ -f "$stamp" && "$(cat "$stamp")" == "$wanted" ]]; then
  exit 0
fi

echo "Installing npm packages in plotengine/scripts/packages"
(cd "$packages" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
echo "$wanted" > "$stamp"
