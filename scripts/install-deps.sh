#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when missing.
set -euo pipefail
packages=(cmake ninja-build g++ make pkg-config libgtest-dev libgmock-dev zlib1g-dev
          qt6-base-dev libgl-dev xvfb xauth)
# "fuzz": also the compiler the fuzzers need.
[ "${1:-}" = fuzz ] && packages+=(clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
