#!/usr/bin/env bash
# Builds the program (not the tests) and starts it on the bundled sample seasons.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The window needs a display; say so before minutes of installing and building.
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "run.sh: no display found (DISPLAY is not set); run it in a desktop session, or" \
       "on a virtual display: apt-get install xvfb, then xvfb-run -a scripts/run.sh" >&2
  exit 1
fi
source "$root/scripts/common.sh"
"$root/scripts/install-deps.sh" run
echo "== Building vnt-assistant"
cmake --preset app -S "$root" >/dev/null
build_with_progress --preset app
echo "== Starting vnt-assistant on the sample seasons"
# Not exec: the private runtime folder, if this script made one, goes when the program ends.
"$root/build/app/app/vnt-assistant" --seasons "$root/seasons"
