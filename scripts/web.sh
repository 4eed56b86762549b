#!/bin/sh
# scripts/web.sh [--build]: installs what the web edition needs (emscripten, Chromium, Node
# and puppeteer-core for the browser tests), builds it into build/web/site/ and serves that
# folder on 127.0.0.1, printing the address to open (port 8080, or VNT_WEB_PORT). --build only
# installs and builds.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

build_only=no
port=${VNT_WEB_PORT:-8080}
for arg in "$@"; do
  case "$arg" in
    --build) build_only=yes ;;
    *) echo "usage: scripts/web.sh [--build]" >&2; exit 2 ;;
  esac
done

"$root/scripts/install-deps.sh" web

# Debian's emscripten finds acorn only through NODE_PATH.
export NODE_PATH=/usr/share/nodejs
cmake --preset web >/dev/null
cmake --build --preset web

[ "$build_only" = yes ] && exit 0
exec node web/tests/serve.mjs build/web/site "$port"
