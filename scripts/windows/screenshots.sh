#!/usr/bin/env bash
# Pictures the README shows, taken afresh from the current tables and texts:
# the dialogs in each language (the dialog tests under Xvfb) and the forms of
# the demo as pinhost.exe's scripted user first sees them, copied into
# docs/screenshots/.
#
#   scripts/windows/screenshots.sh     (builds in build/windows, as ./run test does)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$root/build/windows"

"$root/scripts/windows/build.sh" "$build"
pictures="$build/windows/screenshots"
rm -f "$pictures"/*.png
# The dialog tests bring up the prefix they need (CTest fixtures).
ctest --test-dir "$build/windows" -R '^ui_tests_xvfb$' --output-on-failure
"$root/bench/pinhost_exe_batch.sh" 1
docs="$root/docs/screenshots"
cp "$pictures"/dialog-*.png "$pictures"/notice-*.png "$docs/"
# pinhost.exe names its pictures after the forms; the README after what they show.
cp "$pictures/pinhost-Dialog.png" "$docs/pinhost-dialog.png"
cp "$pictures/pinhost-DlgInfo.png" "$docs/pinhost-notice.png"
echo "screenshots.sh: the pictures are in docs/screenshots"
