#!/usr/bin/env bash
# Builds the program and starts it on the bundled sample seasons.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake --preset default -S "$root" >/dev/null
cmake --build "$root/build/default" --target vnt-assistant
cd "$root/seasons"
exec "$root/build/default/app/vnt-assistant"
