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

# ctest without a line per passing test: progress at every tenth, failing tests with their
# output, and the summary line (N% tests passed ...) at the very end.
quiet_ctest() {
  ctest "$@" --output-on-failure 2>&1 | awk '
    /^ *[0-9]+\/[0-9]+ Test +#/ {
      split($1, count, "/")
      failing = ($0 !~ / Passed +[0-9.]+ sec$/)
      if (failing) { print; fflush(); next }
      tenth = int(count[1] * 10 / count[2])
      if (tenth != shown) {
        shown = tenth
        printf "   %d of %d tests done\n", count[1], count[2]; fflush()
      }
      next
    }
    /^ *Start +[0-9]+: / { failing = 0; next }
    /^Test project / { next }
    / tests passed, [0-9]+ tests? failed out of / { summary = $0; after = 1; next }
    after { if ($0 != "") print; next }
    failing || NF { print }
    END { if (summary != "") print summary }'
  return "${PIPESTATUS[0]}"
}

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

echo "== Fuzzing every reader, ${VNT_FUZZ_SECONDS:-60} s in all"
scripts/fuzz.sh build/sanitize

echo "== Sanitizer tests"
quiet_ctest --preset sanitize -j "$jobs"
