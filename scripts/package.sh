#!/usr/bin/env bash
# Builds the Debian package (build/package/vnt-assistant_<version>_<arch>.deb) and checks
# it with desktop-file-validate and lintian.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source "$root/scripts/common.sh"
"$root/scripts/install-deps.sh" package
build=build/package

echo "== Configuring with Debian's build flags"
configure_debian_build "$build"
echo "== Building"
build_with_progress "$build" --target vnt-assistant vnt-seasons vnt_packaging_files
echo "== Packaging"
(cd "$build" && cpack -G DEB >/dev/null 2>&1) || { echo "package.sh: cpack failed; see $build/_CPack_Packages" >&2; exit 1; }
deb=$(ls "$build"/vnt-assistant_*.deb)
echo "$deb: $(stat -c %s "$deb") bytes, installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"

echo "== desktop-file-validate"
desktop-file-validate packaging/vnt-assistant.desktop
echo "== lintian"
report=$(lintian --pedantic --display-info "$deb" 2>&1 | grep -v '^running with root privileges' || true)
echo "${report:-(nothing to report)}"
# lintian's I: (information) and P: (pedantic) lines are hints, not faults; say so, and
# what the ones this package is known to get mean.
if grep -q '^[IP]:' <<<"$report"; then
  echo "(The I: and P: lines above are lintian's information and pedantic hints, not faults.)"
  grep -q 'hardening-no-fortify-functions' <<<"$report" &&
    echo "(hardening-no-fortify-functions: the programs are built with -D_FORTIFY_SOURCE=2;" \
         "a program whose C library calls were all checked when compiled, or that makes none" \
         "that can be guarded, has no fortified call for lintian to find.)"
fi
if grep -q '^E:' <<<"$report"; then
  echo "package.sh: lintian reports errors" >&2
  exit 1
fi
echo "Install it with: apt install ./$deb"
