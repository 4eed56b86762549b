#!/bin/sh
# scripts/web-tests.sh [TEST...]: runs the browser tests of the web edition (web/tests/*.test.mjs,
# or the ones named) in headless Chromium on node's test runner, a test per check, and prints
# the runner's summary (tests, pass, fail). Needs `scripts/web.sh --build` first.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
[ "$#" -gt 0 ] || set -- web/tests/*.test.mjs
# One file at a time: each starts its own Chromium, and two at once only slow a small machine.
VNT_WEB_BUILD="$root/build/web" exec node --test --test-concurrency=1 --test-reporter=spec "$@"
