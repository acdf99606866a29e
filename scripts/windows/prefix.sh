#!/usr/bin/env bash
# Makes the Wine prefix that the Windows tests run in, BUILD_DIR/wineprefix, of
# the architecture WINEARCH names (win32 or win64: the build's), set up by the
# Wine loader WINE names (default wine; for win64 the 64-bit one, so that the
# settings below land in the 64-bit registry view).
# Fonts are set up so Chinese dialog texts render (a font link from Tahoma to
# WenQuanYi Micro Hei, and Wine's own fonts copied in, which Debian's Wine does not
# load by itself), and a virtual desktop gives windows a title bar under Xvfb.
# Returns at once when the prefix is already complete.
set -euo pipefail

if [[ $# -ne 1 ]]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
mkdir -p "$1"
export WINEPREFIX="$(cd "$1" && pwd)/wineprefix"
export WINEARCH="${WINEARCH:?set WINEARCH to win32 or win64}" WINEDEBUG=-all WINE="${WINE:-wine}"
ready="$WINEPREFIX/.zelvacorin-ready"
[[ -f "$ready" ]] && exit 0

# A half-made prefix (an interrupted earlier run) is started again from nothing.
rm -rf "$WINEPREFIX"
WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1

fontlink='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
for face in Tahoma "Tahoma Bold"; do
    "$WINE" reg add "$fontlink" /v "$face" /t REG_MULTI_SZ \
        /d "wqy-microhei.ttc,WenQuanYi Micro Hei" /f >/dev/null 2>&1
done
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

"$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
"$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 800x600 /f >/dev/null 2>&1

# The registry reaches the prefix's files only when the Wine server stops.
wineserver -w
touch "$ready"
echo "prefix.sh: made $WINEPREFIX"
