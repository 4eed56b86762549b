# Sourced by the other scripts: what they share.

# Qt wants a private runtime folder and complains on every start without one; a session
# without a desktop (a console, CI) has none, so give it one that goes with the script.
# vnt_private_runtime names it when this script made it, for the script's exit trap.
vnt_private_runtime=""
if [[ -z "${XDG_RUNTIME_DIR:-}" ]]; then
  vnt_private_runtime=$(mktemp -d "${TMPDIR:-/tmp}/vnt-runtime.XXXXXX")
  chmod 700 "$vnt_private_runtime"
  export XDG_RUNTIME_DIR=$vnt_private_runtime
  trap 'rm -rf "$vnt_private_runtime"' EXIT
fi

# The progress filters below read their input a line at a time in the shell and print each
# line as it comes: an awk in the pipe may read a pipe in large blocks (Debian's mawk does),
# and then minutes of progress arrive at once at the end.

# cmake --build with a line at every tenth of the build steps instead of minutes of
# silence; compiler messages and failures are printed in full. Arguments go to cmake.
build_with_progress() {
  cmake --build "$@" 2>&1 | {
    local line shown=-1 tenth
    while IFS= read -r line || [[ -n $line ]]; do
      if [[ $line =~ ^\[([0-9]+)/([0-9]+)\]\  ]]; then
        tenth=$((BASH_REMATCH[1] * 10 / BASH_REMATCH[2]))
        if ((tenth != shown)); then
          shown=$tenth
          printf '   %d of %d build steps done\n' "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}"
        fi
      elif [[ $line == "ninja: no work to do"* ]]; then
        echo "   nothing to rebuild"
      elif [[ $line != "ninja: Entering directory"* ]]; then
        printf '%s\n' "$line"
      fi
    done
  }
  return "${PIPESTATUS[0]}"
}

# quiet_ctest CTEST_ARGUMENTS...: ctest without a line per passing test: progress at every
# tenth, failing tests with their output, each skipped test with the reason it gave, and
# the summary line (N% tests passed ...) at the very end.
quiet_ctest() {
  local held
  held=$(mktemp)
  ctest "$@" --output-on-failure 2>&1 | {
    local line shown=-1 tenth count total failing=0 after=0
    while IFS= read -r line || [[ -n $line ]]; do
      if ((after)); then
        printf '%s\n' "$line" >>"$held"
      elif [[ $line =~ ^\ *([0-9]+)/([0-9]+)\ Test\ +# ]]; then
        count=${BASH_REMATCH[1]} total=${BASH_REMATCH[2]}
        failing=1
        [[ $line =~ \ Passed\ +[0-9.]+\ sec$ ]] && failing=0
        if ((failing)); then
          printf '%s\n' "$line"
        else
          tenth=$((count * 10 / total))
          if ((tenth != shown)); then
            shown=$tenth
            printf '   %d of %d tests done\n' "$count" "$total"
          fi
        fi
      elif [[ $line =~ ^\ *Start\ +[0-9]+:\  ]]; then
        failing=0
      elif [[ $line == "Test project "* ]]; then
        printf '%s\n' "${line#Test project }" >"$held.dir"
      elif [[ $line =~ \ tests\ passed,\ [0-9]+\ tests?\ failed\ out\ of\  ]]; then
        after=1
        printf '%s\n' "$line" >>"$held"
      elif ((failing)) || [[ -n ${line//[[:space:]]/} ]]; then
        printf '%s\n' "$line"
      fi
    done
  }
  local status=${PIPESTATUS[0]}
  # What came after the summary (the total time, the tests that did not run), each skipped
  # test with its reason from ctest's log, then the summary line.
  local summary="" log name
  log="$(cat "$held.dir" 2>/dev/null)/Testing/Temporary/LastTest.log"
  while IFS= read -r line || [[ -n $line ]]; do
    if [[ -z $summary ]]; then
      summary=$line
    elif [[ $line =~ ^[[:space:]]+[0-9]+\ -\ (.+)\ \(Skipped\)$ ]]; then
      name=${BASH_REMATCH[1]}
      printf '%s: %s\n' "$line" "$(skip_reason "$log" "$name")"
    elif [[ -n $line ]]; then
      printf '%s\n' "$line"
    fi
  done <"$held"
  rm -f "$held" "$held.dir"
  [[ -z $summary ]] || printf '%s\n' "$summary"
  return "$status"
}

# skip_reason LOG TEST: the reason TEST gave for skipping itself in ctest's log (GoogleTest's
# "file:line: Skipped" and the message under it), else "no reason given".
skip_reason() {
  local reason
  reason=$(awk -v name="$2" '
    /^[0-9]+\/[0-9]+ Test: / { inside = (substr($0, index($0, ": ") + 2) == name); next }
    inside && /^<end of output>$/ { exit }
    inside && /: Skipped$/ { getline; print; exit }' "$1" 2>/dev/null)
  printf '%s' "${reason:-no reason given}"
}

# The compiler and linker flags Debian builds its own packages with, hardening included
# (bindnow too: lintian asks for it), as cmake arguments, one a line.
debian_flag_arguments() {
  local DEB_BUILD_MAINT_OPTIONS=hardening=+all
  export DEB_BUILD_MAINT_OPTIONS
  echo "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
  echo "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)"
}

# Configures BUILD_DIR for the Debian package: Debian's flags (at Debian's -O2, as the
# normal build that scripts/test.sh checks them in), installed under /usr. Further
# arguments go to cmake.
configure_debian_build() {
  local dir=$1
  shift
  local flags
  mapfile -t flags < <(debian_flag_arguments)
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVNT_BUILD_TESTS=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr "${flags[@]}" "$@" >/dev/null
}
