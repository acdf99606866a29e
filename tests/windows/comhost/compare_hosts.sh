#!/bin/sh
# compare_hosts.sh WINEPREFIX NATIVE_PINHOST PINHOST_EXE INSTALL_DIR OUT_DIR SCENARIO...
# Runs compare_hosts.py on a private 800x600 X screen (Xvfb) with the build's
# Wine prefix; one Wine server serves the whole batch. The prefix's Wine
# server is let finish before and after, so no Wine process outlives its screen.
set -eu
export WINEPREFIX="$1" WINEARCH=win32 WINEDEBUG=-all
shift
here=$(cd "$(dirname "$0")" && pwd)
wineserver -w
exec xvfb-run -a -s "-screen 0 800x600x24" \
    sh -c 'status=0; /usr/bin/python3 "$@" || status=$?; wineserver -w; exit $status' \
    compare_hosts "$here/compare_hosts.py" "$@"
