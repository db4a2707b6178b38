#!/usr/bin/env bash
# The Windows build's quillmere under Wine, with the Liberation faces, as a program the
# scripts of the Linux build can run in its place: QM_WINDOWS_TOOL names quillmere.exe.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export QUILLMERE_FONTS=liberation
exec "$here/../../tools/wine/wine-run.sh" "${QM_WINDOWS_TOOL:?QM_WINDOWS_TOOL names quillmere.exe}" "$@"
