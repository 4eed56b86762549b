#!/usr/bin/env bash
# tests/scripts/progress_test.sh ROOT: the build and test progress of scripts/common.sh
# reaches the terminal as it happens. A fake cmake (and ctest) on PATH prints ninja's (and
# ctest's) lines and goes on to its next step only once the progress line for the last one
# has come out of the filter: a filter that holds its input back stalls it, and the fake
# gives up after a generous wait and fails. Also checks what passes through in full, the
# exit status, a failing test's output, and that a skipped test says why.
set -euo pipefail
root=$1
source "$root/scripts/common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work" ${vnt_private_runtime:+"$vnt_private_runtime"}' EXIT
mkdir "$work/bin" "$work/build"
export FAKE_OUT=$work/out FAKE_PROJECT=$work/build
PATH=$work/bin:$PATH

# await LINE: waits (up to a minute) until the filter has printed LINE.
cat >"$work/bin/await" <<'FAKE'
#!/usr/bin/env bash
for _ in $(seq 600); do
  grep -qxF -- "$1" "$FAKE_OUT" 2>/dev/null && exit 0
  sleep 0.1
done
echo "fake: \"$1\" did not come out while the run went on"
exit 3
FAKE
cat >"$work/bin/cmake" <<'FAKE'
#!/usr/bin/env bash
echo "ninja: Entering directory \`build/fake'"
for step in $(seq 20); do
  echo "[$step/20] Building CXX object step$step.o"
  if ((step % 2 == 0)); then await "   $step of 20 build steps done" || exit 3; fi
  ((step == 7)) && echo "step7.cpp:3:1: warning: a compiler message" >&2
done
exit "${FAKE_STATUS:-0}"
FAKE
cat >"$work/bin/ctest" <<'FAKE'
#!/usr/bin/env bash
echo "Test project $FAKE_PROJECT"
for test in $(seq 10); do
  echo "    Start $test: t$test"
  if ((test == 4)); then
    echo " 4/10 Test  #4: t4 ...............***Skipped   0.00 sec"
    continue
  fi
  if ((test == 9)); then
    printf ' 9/10 Test  #9: t9 ...............***Failed    0.02 sec\nwhat t9 said\n\n'
    continue
  fi
  echo "$(printf '%2d' "$test")/10 Test  #$test: t$test ...............   Passed    0.01 sec"
  await "   $test of 10 tests done" || exit 3
done
printf '\n90%% tests passed, 1 tests failed out of 10\n\nTotal Test time (real) =   0.10 sec\n'
printf '\nThe following tests did not run:\n\t  4 - t4 (Skipped)\n'
printf '\nThe following tests FAILED:\n\t  9 - t9 (Failed)\n'
exit 8
FAKE
chmod +x "$work/bin/"*
mkdir -p "$work/build/Testing/Temporary"
cat >"$work/build/Testing/Temporary/LastTest.log" <<'LOG'
4/10 Testing: t4
4/10 Test: t4
Output:
----------------------------------------------------------
[ RUN      ] T.t4
settings_test.cpp:172: Skipped
root writes into read-only folders

[  SKIPPED ] T.t4 (0 ms)
<end of output>
LOG

fail() {
  echo "FAILED: $1"
  echo "--- what the filter printed:"
  cat "$FAKE_OUT"
  exit 1
}

status=0
build_with_progress fake >"$FAKE_OUT" || status=$?
[[ $status -eq 0 ]] || fail "build_with_progress exited $status"
expected=$(for step in 1 2 4 6; do echo "   $step of 20 build steps done"; done
           echo "step7.cpp:3:1: warning: a compiler message"
           for step in 8 10 12 14 16 18 20; do echo "   $step of 20 build steps done"; done)
[[ $(cat "$FAKE_OUT") == "$expected" ]] || fail "build progress lines"

status=0
FAKE_STATUS=5 build_with_progress fake >"$FAKE_OUT" || status=$?
[[ $status -eq 5 ]] || fail "a failed build exited $status, not the build's 5"

status=0
quiet_ctest --preset fake >"$FAKE_OUT" || status=$?
[[ $status -eq 8 ]] || fail "quiet_ctest exited $status, not ctest's 8"
expected=$(cat <<'OUT'
   1 of 10 tests done
   2 of 10 tests done
   3 of 10 tests done
 4/10 Test  #4: t4 ...............***Skipped   0.00 sec
   5 of 10 tests done
   6 of 10 tests done
   7 of 10 tests done
   8 of 10 tests done
 9/10 Test  #9: t9 ...............***Failed    0.02 sec
what t9 said

   10 of 10 tests done
Total Test time (real) =   0.10 sec
The following tests did not run:
	  4 - t4 (Skipped): root writes into read-only folders
The following tests FAILED:
	  9 - t9 (Failed)
90% tests passed, 1 tests failed out of 10
OUT
)
[[ $(cat "$FAKE_OUT") == "$expected" ]] || fail "test progress lines"
echo "progress lines came as the fake build and tests went"
