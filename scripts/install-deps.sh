#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and nothing when all are there.
set -euo pipefail

packages=(g++ clang libclang-rt-14-dev cmake ninja-build qt6-base-dev libgtest-dev
          libbenchmark-dev
          fonts-dejavu-core fonts-dejavu-extra)
missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "Please install as root: ${missing[*]}" >&2; exit 1; }
  sudo=sudo
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
