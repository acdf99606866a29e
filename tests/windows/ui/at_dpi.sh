#!/bin/sh
# at_dpi.sh WINEPREFIX DPI PROGRAM [ARGUMENTS...]: runs a Windows program as
# run_in_xvfb.sh does, with the prefix's screen set to DPI dots per inch (the
# fonts and dialogs scale with it) and as many more pixels (the same screen at a
# finer resolution), and sets the prefix back to 96 afterwards, whatever the
# program's end. Wine reads the values when a program starts.
# WINEARCH names the prefix's architecture, WINE its Wine loader (default wine).
set -eu
export WINEPREFIX="$1" WINEARCH="${WINEARCH:?set WINEARCH to the prefix's}" WINEDEBUG=-all WINE="${WINE:-wine}"
dpi=$2
shift 2
here="$(cd "$(dirname "$0")" && pwd)"

# The dots per inch and the virtual desktop's size in pixels at them.
set_screen() {
    for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
        "$WINE" reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    done
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$2" /f >/dev/null 2>&1
    wineserver -w
}

wineserver -w
desktop=$("$WINE" reg query 'HKCU\Software\Wine\Explorer\Desktops' /v Default 2>/dev/null | tr -d '\r' | awk '$1 == "Default" { print $3 }')
screen="$((${desktop%x*} * dpi / 96))x$((${desktop#*x} * dpi / 96))"
set_screen "$dpi" "$screen"
status=0
ZELVA_SCREEN="$screen" "$here/run_in_xvfb.sh" "$WINEPREFIX" "$@" || status=$?
set_screen 96 "$desktop"
exit $status
