#!/bin/sh
# at_dpi.sh WINEPREFIX DPI PROGRAM [ARGUMENTS...]: runs a Windows program as
# run_in_xvfb.sh does, with the prefix's screen set to DPI dots per inch (the
# fonts and dialogs scale with it), and sets the prefix back to 96 afterwards,
# whatever the program's end. Wine reads the value when a program starts.
# WINEARCH names the prefix's architecture, WINE its Wine loader (default wine).
set -eu
export WINEPREFIX="$1" WINEARCH="${WINEARCH:?set WINEARCH to the prefix's}" WINEDEBUG=-all WINE="${WINE:-wine}"
dpi=$2
shift 2
here="$(cd "$(dirname "$0")" && pwd)"

set_dpi() {
    for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
        "$WINE" reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    done
    wineserver -w
}

wineserver -w
set_dpi "$dpi"
status=0
"$here/run_in_xvfb.sh" "$WINEPREFIX" "$@" || status=$?
set_dpi 96
exit $status
