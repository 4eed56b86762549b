#!/usr/bin/env bash
# Builds the program (not the tests) and starts it on the bundled sample seasons.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The window needs a display; say so before minutes of installing and building.
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "run.sh: no display found (DISPLAY is not set); run it in a desktop session or" \
       "under Xvfb (e.g. Xvfb :1 & DISPLAY=:1 scripts/run.sh)" >&2
  exit 1
fi
"$root/scripts/install-deps.sh" run
echo "== Building vnt-assistant"
cmake --preset app -S "$root" >/dev/null
cmake --build --preset app -- --quiet
echo "== Starting vnt-assistant on the sample seasons"
exec "$root/build/app/app/vnt-assistant" --seasons "$root/seasons"
