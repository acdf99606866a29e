#!/bin/sh
# run_in_xvfb.sh WINEPREFIX PROGRAM [ARGUMENTS...]: runs a Windows program under
# Wine on a private X screen (Xvfb) of 800x600 pixels, or of ZELVA_SCREEN (WxH).
# The prefix's Wine server is let finish before and after, so that no Wine
# process outlives its screen or starts on one that is gone. WINEARCH names the
# prefix's architecture, WINE its Wine loader (default wine).
set -eu
export WINEPREFIX="$1" WINEARCH="${WINEARCH:?set WINEARCH to the prefix's}" WINEDEBUG=-all WINE="${WINE:-wine}"
shift
wineserver -w
exec xvfb-run -a -s "-screen 0 ${ZELVA_SCREEN:-800x600}x24" \
    sh -c 'status=0; "$WINE" "$@" || status=$?; wineserver -w; exit $status' run_in_xvfb "$@"
