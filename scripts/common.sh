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

# cmake --build with a line at every tenth of the build steps instead of minutes of
# silence; compiler messages and failures are printed in full. Arguments go to cmake.
build_with_progress() {
  cmake --build "$@" 2>&1 | awk '
    /^\[[0-9]+\/[0-9]+\] / {
      split(substr($1, 2), count, "/")
      tenth = int(count[1] * 10 / count[2])
      if (tenth != shown) {
        shown = tenth
        printf "   %d of %d build steps done\n", count[1], count[2]; fflush()
      }
      next
    }
    /^ninja: no work to do/ { print "   nothing to rebuild"; next }
    /^ninja: Entering directory/ { next }
    { print; fflush() }'
  return "${PIPESTATUS[0]}"
}

# Configures BUILD_DIR for the Debian package: a release build with the hardening flags
# Debian builds its own packages with (bindnow too: lintian asks for it), installed under
# /usr. Further arguments go to cmake.
configure_debian_build() {
  local dir=$1
  shift
  local DEB_BUILD_MAINT_OPTIONS=hardening=+all
  export DEB_BUILD_MAINT_OPTIONS
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVNT_BUILD_TESTS=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" "$@" >/dev/null
}
