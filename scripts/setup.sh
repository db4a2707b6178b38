#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tools need, where they are missing.
#   --wine     also Wine and mingw-w64, which draw the GDI fixtures and time real GDI for the
#              benchmarks (the tests never need them)
#   --windows  also what the Windows build and its tests under Wine need: mingw-w64 for 32-
#              and 64-bit Windows, Wine, stb, GoogleTest's sources, pefile; and wine32 (Debian's
#              i386 architecture) where it can be installed
set -euo pipefail

packages=(
  g++ clang cmake ninja-build pkg-config
  libfreetype-dev libfontconfig-dev fonts-liberation2 libpng-dev
  libcli11-dev libgtest-dev libbenchmark-dev libsdl2-dev libgif-dev
  libclang-rt-14-dev xvfb xauth python3-pil
)
windows=false
case "${1:-}" in
  --wine) packages+=(wine wine64 gcc-mingw-w64-x86-64) ;;
  --windows)
    windows=true
    packages+=(wine wine64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libstb-dev
               googletest python3-pefile)
    ;;
esac

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# 32-bit Windows programs run on Debian's wine32, which needs the i386 architecture. Its
# package indexes are at times out of step with the amd64 ones, and then it cannot be
# installed: that is said, the architecture is taken back off, and nothing fails.
if $windows && [ ! -x /usr/lib/wine/wine ]; then
  added=false
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
    added=true
  fi
  if "${sudo_cmd[@]}" apt-get update -qq >/dev/null 2>&1 &&
     "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends wine32:i386 >/dev/null 2>&1; then
    echo "Installed wine32: the 32-bit Windows build's tests run too"
  else
    echo "wine32 could not be installed (Debian's i386 packages are not available or not in step" \
         "today): the 32-bit Windows tests will be skipped"
    if $added && [ -z "$(dpkg-query -W -f='${binary:Package}\n' 2>/dev/null | grep ':i386$' || true)" ]; then
      "${sudo_cmd[@]}" dpkg --remove-architecture i386
      "${sudo_cmd[@]}" apt-get update -qq >/dev/null 2>&1 || true
    fi
  fi
fi
