#!/usr/bin/env bash
# Builds the Debian package (build/package/vnt-assistant_<version>_<arch>.deb) and checks
# it with desktop-file-validate and lintian.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/install-deps.sh" package
build=build/package

echo "== Configuring with Debian's build flags"
# bindnow as well: lintian asks for it.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# The hardening flags Debian builds its own packages with.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVNT_BUILD_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
echo "== Building"
cmake --build "$build" --target vnt-assistant vnt-seasons vnt_packaging_files -- --quiet
echo "== Packaging"
(cd "$build" && cpack -G DEB >/dev/null 2>&1) || { echo "package.sh: cpack failed; see $build/_CPack_Packages" >&2; exit 1; }
deb=$(ls "$build"/vnt-assistant_*.deb)
echo "$deb: $(stat -c %s "$deb") bytes, installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"

echo "== desktop-file-validate"
desktop-file-validate packaging/vnt-assistant.desktop
echo "== lintian"
report=$(lintian --pedantic --display-info "$deb" 2>&1 | grep -v '^running with root privileges' || true)
echo "${report:-(nothing to report)}"
if grep -q '^E:' <<<"$report"; then
  echo "package.sh: lintian reports errors" >&2
  exit 1
fi
echo "Install it with: apt install ./$deb"
