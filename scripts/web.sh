#!/bin/sh
# scripts/web.sh [--build]: installs what the web edition needs (emscripten, Chromium, Node
# and puppeteer-core for the browser tests), builds it into build/web/site/ and serves that
# folder on 127.0.0.1, printing the address to open. --build only installs and builds.
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

need=""
command -v emcmake >/dev/null 2>&1 || need="$need emscripten"
command -v node >/dev/null 2>&1 || need="$need nodejs"
command -v npm >/dev/null 2>&1 || need="$need npm"
[ -x /usr/bin/chromium ] || need="$need chromium"
[ -f /usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf ] || need="$need fonts-dejavu-core"
command -v ninja >/dev/null 2>&1 || need="$need ninja-build"
if [ -n "$need" ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update
  # shellcheck disable=SC2086
  $sudo apt-get install -y --no-install-recommends $need
fi
if [ ! -d web/tests/node_modules/puppeteer-core ]; then
  # The browser is Debian's; puppeteer-core downloads none.
  (cd web/tests && npm ci --no-audit --no-fund)
fi

# Debian's emscripten finds acorn only through NODE_PATH.
export NODE_PATH=/usr/share/nodejs
cmake --preset web >/dev/null
cmake --build --preset web

[ "$build_only" = yes ] && exit 0
echo "Open http://127.0.0.1:$port/ (Ctrl+C stops the server)"
exec node web/tests/serve.mjs build/web/site "$port"
