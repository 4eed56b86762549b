#!/usr/bin/env bash
# Fuzzes every reader of outside input (fuzz/fuzz_*.cpp), sharing VNT_FUZZ_SECONDS (60 by
# default) among them, each from a copy of its seed corpus in fuzz/corpus/NAME/. Prints each
# target's executed-units line; on a crash, the end of its log, and exits non-zero.
#
#   scripts/fuzz.sh [BUILD_DIR [NAME...]]     (BUILD_DIR: build/sanitize, built with VNT_FUZZ=ON)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/sanitize}
shift || true
names=("$@")
if [[ ${#names[@]} -eq 0 ]]; then
  for dir in "$root"/fuzz/corpus/*/; do names+=("$(basename "$dir")"); done
fi
total=${VNT_FUZZ_SECONDS:-60}
each=$(( total / ${#names[@]} ))
(( each >= 1 )) || each=1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for name in "${names[@]}"; do
  fuzzer=$build/fuzz/fuzz_$name
  [[ -x $fuzzer ]] || { echo "no fuzz target $fuzzer (configure with VNT_FUZZ=ON, clang)"; exit 1; }
  mkdir "$work/$name"
  cp "$root/fuzz/corpus/$name"/* "$work/$name"/
  echo "   $name: ${each} s"
  code=0
  # Crash files go to the work folder, not wherever the script was started.
  "$fuzzer" -max_total_time="$each" -print_final_stats=1 -artifact_prefix="$work/$name-" \
    "$work/$name" >"$work/$name.log" 2>&1 || code=$?
  grep -E 'stat::number_of_executed_units|DONE|ERROR|SUMMARY' "$work/$name.log" | sed 's/^/   /' || true
  if [[ $code -ne 0 ]]; then
    tail -n 60 "$work/$name.log"
    for crash in "$work/$name"-*; do
      [[ -e $crash ]] && echo "   input: $(od -An -c "$crash" | head -c 400)"
    done
    status=$code
  fi
done
exit "$status"
