#!/bin/sh
# checker_registry_view.sh BIN_DIR: the table checker of the build's
# architecture reads the settings a package wrote in the registry view of that
# architecture, where the component of the same architecture reads them, and
# none from the other view (a 64-bit prefix has both). Runs in the prefix
# WINEPREFIX of architecture WINEARCH, started by the Wine loader WINE (default
# wine), and leaves no settings behind in it.
set -eu
: "${WINEPREFIX:?}" "${WINEARCH:?set WINEARCH to the prefix's}"
export WINEDEBUG=-all WINE="${WINE:-wine}"
bin=$(cd "$1" && pwd)
case $WINEARCH in
    win32) own="" other="" ;;  # a 32-bit prefix has one view
    win64) own=/reg:64 other=/reg:32 ;;
esac
family='HKLM\SOFTWARE\Ombrivale\Tessalo'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$bin"

# The shipped settings, naming the staged tree's Tessalo folder as ApplDir.
appl_dir=$(winepath -w "$bin/install/Tessalo" | sed 's/\\/\\\\\\\\/g')
sed "s|^\"ApplDir\"=.*|\"ApplDir\"=\"$appl_dir\"|" install/Tessalo.reg >"$work/settings.reg"
settings=$(winepath -w "$work/settings.reg")
# A folder without a tree's settings file: the checker takes the installed ones.
mkdir "$work/bare"
bare=$(winepath -w "$work/bare")

passed=0 failed=0
expect() {
    if printf '%s\n' "$2" | grep -q "$3"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        printf 'FAILED: %s: no "%s" in:\n%s\n' "$1" "$3" "$2"
    fi
}

"$WINE" reg import "$settings" $own >/dev/null 2>&1
out=$("$WINE" zelva-tables.exe check "$bare" 2>&1 || true)
"$WINE" reg delete "$family" /f $own >/dev/null 2>&1
expect "settings in the own view" "$out" 'with the settings of HKLM\\SOFTWARE\\Ombrivale\\Tessalo\\Zelvacorin'
expect "settings in the own view" "$out" '^0 errors, 0 warnings'

if [ -n "$other" ]; then
    "$WINE" reg import "$settings" $other >/dev/null 2>&1
    out=$("$WINE" zelva-tables.exe check "$bare" 2>&1 || true)
    "$WINE" reg delete "$family" /f $other >/dev/null 2>&1
    expect "settings in the other view only" "$out" 'no installed settings were found'
fi
wineserver -w
echo "$passed passed, $failed failed"
