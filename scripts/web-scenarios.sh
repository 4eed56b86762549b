#!/bin/sh
# scripts/web-scenarios.sh FILE...: plays scenario files inside the web page in headless
# Chromium (the wasm build of vnt-scenario), printing what vnt-scenario prints and exiting
# as it does. Needs `scripts/web.sh --build` first.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
site="$root/build/web/site"
if [ ! -f "$site/vnt-scenario.wasm" ] || [ ! -d "$root/web/tests/node_modules/puppeteer-core" ]; then
  echo "web-scenarios.sh: run scripts/web.sh --build first" >&2
  exit 2
fi
exec node "$root/web/tests/run-scenarios.mjs" "$site" "$@"
