#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the sample need; does nothing when
# they are all there already.
set -euo pipefail
packages=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev
          qt6-base-dev libgl-dev libxcb1-dev xvfb xauth libmspack-dev mscompress attr
          g++-mingw-w64-x86-64 g++-mingw-w64-i686 googletest wine wine64)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
