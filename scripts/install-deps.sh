#!/usr/bin/env bash
# Installs the Debian packages one of the scripts needs, and nothing when all are there.
#   install-deps.sh run       compiler, CMake, Ninja, Qt: enough to build the program
#   install-deps.sh test      and clang, its sanitizer run-time, GoogleTest, Google Benchmark,
#                             the package tools (dpkg-dev, and file, which CPack needs), and
#                             bindfs, for seal's test on a FUSE mount
#   install-deps.sh package   the program's build and the package tools, lintian included
#   install-deps.sh web       emscripten, Node, npm and Chromium for the web edition and its
#                             browser tests, then puppeteer-core and axe-core (npm ci in
#                             web/tests, once)
set -euo pipefail

run=(g++ cmake ninja-build qt6-base-dev fonts-dejavu-core fonts-dejavu-extra)
case "${1:-test}" in
  run) packages=("${run[@]}") ;;
  test) packages=("${run[@]}" clang libclang-rt-14-dev libgtest-dev libbenchmark-dev
                dpkg-dev file desktop-file-utils bindfs) ;;
  package) packages=("${run[@]}" dpkg-dev file desktop-file-utils lintian) ;;
  web) packages=(cmake ninja-build fonts-dejavu-core python3-fonttools librsvg2-bin emscripten nodejs npm chromium) ;;
  *) echo "usage: $0 [run|test|package|web]" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
  # A Node from elsewhere (with its own npm, which Debian's npm package conflicts with) will do.
  [[ $package == nodejs ]] && command -v node >/dev/null && continue
  [[ $package == npm ]] && command -v npm >/dev/null && continue
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

# The browser tests drive Debian's Chromium through puppeteer-core, which downloads none.
npm_ci() {
  local modules="$(dirname "$0")/../web/tests/node_modules"
  [[ "${1:-}" == web && ! ( -d "$modules/puppeteer-core" && -d "$modules/axe-core" ) ]] || return 0
  echo "Installing puppeteer-core and axe-core (npm ci in web/tests)"
  # Without the dev dependencies: Lighthouse is for bench/web/lighthouse.mjs, which installs it.
  (cd "$(dirname "$0")/../web/tests" && npm ci --omit=dev --no-audit --no-fund --loglevel=error)
}
if [[ ${#missing[@]} -eq 0 ]]; then
  npm_ci "${1:-test}"
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "Please install as root: ${missing[*]}" >&2; exit 1; }
  sudo=sudo
fi
# apt's own progress lines, so a long download does not look like a hang.
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
npm_ci "${1:-test}"
