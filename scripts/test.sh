#!/usr/bin/env bash
# Builds with warnings as errors and runs every test twice: a normal build, then a build
# under AddressSanitizer + UndefinedBehaviorSanitizer (which also fuzzes the season-file
# reader, for VNT_FUZZ_SECONDS, 60 by default). The Debian package is built and tried
# when the package tools (dpkg-dev, file) are there. Prints a line per phase, the tests'
# progress, failures in full and ctest's summary last. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source "$root/scripts/common.sh"
"$root/scripts/install-deps.sh" test
"$root/scripts/install-deps.sh" web
jobs=$(nproc)

# quiet_ctest and the progress lines come from common.sh.

build() {
  cmake --preset "$1" >/dev/null
  build_with_progress --preset "$1" -j "$jobs"
}

echo "== Normal build (warnings as errors)"
build ci
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
  echo "== Debian package: built, unpacked and started"
  quiet_ctest --preset package
  # The package is built with Debian's hardening flags, which turn on warnings of their
  # own: the program and the tool must stay clean under them too.
  echo "== The packaged programs under Debian's build flags (warnings as errors)"
  configure_debian_build build/debian-flags -DVNT_WERROR=ON
  build_with_progress build/debian-flags -j "$jobs" --target vnt-assistant vnt-seasons
fi

echo "== Sanitizer build"
build sanitize

echo "== Fuzzing the season-file reader for ${VNT_FUZZ_SECONDS:-60} s"
corpus=$(mktemp -d)
trap 'rm -rf "$corpus" "$corpus.log" ${vnt_private_runtime:+"$vnt_private_runtime"}' EXIT
cp fuzz/corpus/season_files/* "$corpus"/
status=0
build/sanitize/fuzz/fuzz_season_files -max_total_time="${VNT_FUZZ_SECONDS:-60}" \
  -print_final_stats=1 "$corpus" >"$corpus.log" 2>&1 || status=$?
grep -E 'stat::number_of_executed_units|DONE|ERROR|SUMMARY' "$corpus.log" || true
[[ $status -eq 0 ]] || { tail -n 60 "$corpus.log"; exit "$status"; }

echo "== Sanitizer tests"
quiet_ctest --preset sanitize -j "$jobs"
