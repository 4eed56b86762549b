#!/usr/bin/env bash
# Builds with warnings as errors and runs every test twice: a normal build (with the flags
# Debian builds its packages with, so the packaged programs are checked under them too),
# then a build under AddressSanitizer + UndefinedBehaviorSanitizer (which also fuzzes the
# readers of outside files, for VNT_FUZZ_SECONDS, 60 by default). The Debian package is built
# from the normal build and tried when the package tools (dpkg-dev, file) are there. Prints
# a line per phase, the tests' progress, failures (and why a test skipped) in full and
# ctest's summary last. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source "$root/scripts/common.sh"
"$root/scripts/install-deps.sh" test
"$root/scripts/install-deps.sh" web
jobs=$(nproc)

# build PRESET [CMAKE_ARGUMENTS...]
build() {
  cmake --preset "$@" >/dev/null
  build_with_progress --preset "$1" -j "$jobs"
}

# The normal build carries Debian's flags (hardening, -O2), so the programs the package
# ships are checked under them with warnings as errors here, with no third build of the
# same code. quiet_ctest and the progress lines come from common.sh.
mapfile -t debian_flags < <(debian_flag_arguments)
echo "== Normal build (Debian's build flags, warnings as errors)"
build ci "${debian_flags[@]}"
echo "== Normal tests"
quiet_ctest --preset ci -j "$jobs"

echo "== Web edition: build (emscripten, warnings as errors)"
# Debian's emscripten finds acorn only through NODE_PATH.
NODE_PATH=/usr/share/nodejs build web
echo "== Web edition: every scenario inside the page, in headless Chromium"
mapfile -t scenarios < <(find tests/scenarios -name '*.scn' | sort)
scripts/web-scenarios.sh "${scenarios[@]}"
echo "== Web edition: browser tests"
scripts/web-tests.sh

if command -v dpkg-shlibdeps >/dev/null && command -v file >/dev/null; then
  echo "== Debian package (from the normal build): built, unpacked and started"
  quiet_ctest --preset package
fi

echo "== Sanitizer build"
build sanitize

echo "== Fuzzing every reader, ${VNT_FUZZ_SECONDS:-60} s in all"
scripts/fuzz.sh build/sanitize

echo "== Sanitizer tests"
quiet_ctest --preset sanitize -j "$jobs"
