#!/bin/sh
# Compiles tools/rc/version.rc with LLVM's resource compiler (Debian's llvm-14 package) and
# writes the data of its one resource to tests/fixtures/package/version.bin: the bytes a
# resource compiler lays out for the package's version information.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
windres=${WINDRES:-llvm-windres-14}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$windres" "$root/tools/rc/version.rc" -O res -o "$work/version.res"
python3 - "$work/version.res" "$root/tests/fixtures/package/version.bin" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
at = 0
while at < len(data):
    size, header = struct.unpack_from("<II", data, at)
    body = data[at + header:at + header + size]
    # Type and name are ordinals (0xFFFF, n): RT_VERSION is 16.
    kind = struct.unpack_from("<HH", data, at + 8)
    if kind == (0xFFFF, 16):
        open(sys.argv[2], "wb").write(body)
        break
    at = (at + header + size + 3) & ~3
else:
    sys.exit("no version resource in " + sys.argv[1])
PY
echo "wrote tests/fixtures/package/version.bin"
