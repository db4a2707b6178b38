#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tools need, where they are missing.
set -euo pipefail

packages=(
  g++ clang cmake ninja-build pkg-config
  libfreetype-dev libfontconfig-dev fonts-liberation2 libpng-dev
  libcli11-dev libgtest-dev libbenchmark-dev libsdl2-dev libgif-dev
  libclang-rt-14-dev xvfb xauth python3-pil
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
