#!/usr/bin/env bash
# Builds with warnings as errors and runs every test twice: a normal build, then a build
# under AddressSanitizer + UndefinedBehaviorSanitizer (which also fuzzes the season-file
# reader for a minute). Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/install-deps.sh"
jobs=$(nproc)

echo "== Normal build"
cmake --preset ci >/dev/null
cmake --build --preset ci -j "$jobs"
ctest --preset ci -j "$jobs"

echo "== Sanitizer build"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$jobs"

echo "== Fuzzing the season-file reader for ${VNT_FUZZ_SECONDS:-60} s"
corpus=$(mktemp -d)
trap 'rm -rf "$corpus" "$corpus.log"' EXIT
cp fuzz/corpus/season_files/* "$corpus"/
status=0
build/sanitize/fuzz/fuzz_season_files -max_total_time="${VNT_FUZZ_SECONDS:-60}" \
  -print_final_stats=1 "$corpus" >"$corpus.log" 2>&1 || status=$?
grep -E 'stat::number_of_executed_units|DONE|ERROR|SUMMARY' "$corpus.log" || true
[[ $status -eq 0 ]] || { tail -n 60 "$corpus.log"; exit "$status"; }

echo "== Sanitizer tests"
ctest --preset sanitize -j "$jobs"
