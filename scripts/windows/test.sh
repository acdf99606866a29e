#!/usr/bin/env bash
# One pass of the Windows side for one architecture, from nothing to test
# results: the build (scripts/windows/build.sh), then its tests under Wine
# through CTest, which first makes the prefix of the build's architecture
# (BUILD_DIR/windows/wineprefix, 32- or 64-bit) and registers the stand-in host
# library; the package's install round makes a prefix of its own.
#
#   scripts/windows/test.sh BUILD_DIR [i686|x86_64]     (default i686)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
start=$SECONDS

"$root/scripts/windows/build.sh" "$@"
build="$(cd "$1" && pwd)"

status=0
ctest --test-dir "$build/windows" --verbose --no-tests=error || status=$?
# Let the prefix's Wine server finish writing its registry and exit.
WINEPREFIX="$build/windows/wineprefix" wineserver -w || true

echo "Windows test pass (${2:-i686}): $((SECONDS - start)) s"
exit $status
