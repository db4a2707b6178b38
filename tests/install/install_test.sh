#!/usr/bin/env bash
# Installs the build into a fresh prefix and builds the README's example against it as
# another project would, once through find_package(Quillmere) and once through pkg-config;
# each program must run from the installed libraries and write its PNG. Then packs the
# build as a Debian package.
#
#   install_test.sh BUILD_DIR SOURCE_DIR WORK_DIR
set -euo pipefail
build=$1 source=$2 work=$3
rm -rf "$work"
mkdir -p "$work"
prefix="$work/prefix"

cmake --install "$build" --prefix "$prefix" >"$work/install.log"
for f in include/quillmere/controls/TForm.h include/quillmere/panels/TQELGradient.h \
         lib/cmake/Quillmere/QuillmereConfig.cmake lib/pkgconfig/quillmere.pc bin/quillmere; do
  [ -e "$prefix/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done
soname=$(objdump -p "$prefix/lib/libQmVcl.so" | awk '/SONAME/ {print $2}')
[ "$soname" = "libQmVcl.so.1" ] || { echo "libQmVcl.so has SONAME '$soname'" >&2; exit 1; }

# Against the CMake package.
cmake -S "$source/examples" -B "$work/cmake-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$prefix" >"$work/cmake-configure.log"
cmake --build "$work/cmake-build" >"$work/cmake-build.log"
(cd "$work/cmake-build" && ./hello)
[ -s "$work/cmake-build/hello.png" ] || { echo "the CMake-built example wrote no PNG" >&2; exit 1; }

# Against the pkg-config file.
mkdir -p "$work/pkg-config-build"
flags=$(PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config --cflags --libs quillmere)
# shellcheck disable=SC2086
c++ -o "$work/pkg-config-build/hello" "$source/examples/hello.cpp" $flags \
  -Wl,-rpath,"$prefix/lib"
(cd "$work/pkg-config-build" && ./hello)
[ -s "$work/pkg-config-build/hello.png" ] || { echo "the pkg-config example wrote no PNG" >&2; exit 1; }

# The installed tool runs from the installed libraries, not the build's.
"$prefix/bin/quillmere" demo -o "$work/gallery.png" >/dev/null
[ -s "$work/gallery.png" ] || { echo "the installed tool wrote no gallery" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/deb" >"$work/cpack.log")
deb=$(ls "$work"/deb/*.deb)
dpkg-deb --contents "$deb" | grep 'include/quillmere/controls/TForm.h' >/dev/null ||
  { echo "the Debian package lacks the headers" >&2; exit 1; }
echo "installed, built against by CMake and pkg-config, packed: $(basename "$deb")"
