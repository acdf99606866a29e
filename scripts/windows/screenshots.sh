#!/usr/bin/env bash
# Every picture the documents show, taken afresh from the real Zelvacorin.dll
# under Wine (the list and how each is taken: scripts/windows/pictures.py), into
# docs/screenshots/, which then holds these pictures and no others.
#
#   scripts/windows/screenshots.sh     (builds only what it runs, in build/windows)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$root/build/windows"

nice "$root/scripts/windows/build.sh" "$build" i686 zelvacorin zelva_host_library pinhost
windows="$build/windows"
bin="$windows/bin"
"$root/scripts/windows/prefix.sh" "$windows"
prefix="$windows/wineprefix"
(
    cd "$bin"
    export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all
    wine regsvr32 /s 3itlu31.dll
    wine regsvr32 /s Zelvacorin.dll
    wineserver -w
)
/usr/bin/python3 "$root/scripts/windows/pictures.py" take "$bin" "$prefix" "$root/docs/screenshots"
echo "screenshots.sh: the pictures are in docs/screenshots"
