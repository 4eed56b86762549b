#!/usr/bin/env bash
# Installs the Debian packages one of the scripts needs, and nothing when all are there.
#   install-deps.sh run       compiler, CMake, Ninja, Qt: enough to build the program
#   install-deps.sh test      and clang, its sanitizer run-time, GoogleTest, Google Benchmark,
#                             the package tools (dpkg-dev, and file, which CPack needs)
#   install-deps.sh package   the program's build and the package tools, lintian included
set -euo pipefail

run=(g++ cmake ninja-build qt6-base-dev fonts-dejavu-core fonts-dejavu-extra)
case "${1:-test}" in
  run) packages=("${run[@]}") ;;
  test) packages=("${run[@]}" clang libclang-rt-14-dev libgtest-dev libbenchmark-dev
                dpkg-dev file desktop-file-utils) ;;
  package) packages=("${run[@]}" dpkg-dev file desktop-file-utils lintian) ;;
  *) echo "usage: $0 [run|test|package]" >&2; exit 2 ;;
esac

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
# apt's own progress lines, so a long download does not look like a hang.
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
