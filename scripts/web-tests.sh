#!/bin/sh
# scripts/web-tests.sh [TEST...]: runs the browser tests of the web edition (web/tests/*.test.mjs,
# or the ones named) in headless Chromium, a line per check. Needs `scripts/web.sh --build` first.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
[ "$#" -gt 0 ] || set -- web/tests/*.test.mjs
status=0
for test in "$@"; do
  echo "-- $(basename "$test" .test.mjs)"
  node "$test" build/web || status=1
done
exit "$status"
