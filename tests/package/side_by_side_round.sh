#!/usr/bin/env bash
# The x86 and the x64 package side by side on a fresh 64-bit Wine prefix, as on
# a workstation with both kinds of CAD host: first their tables (the x64 one
# wholly 64-bit, no component identifier shared), then both installed, each
# architecture's classes served by its own DLL, and then, both ways round, one
# package uninstalled while the other still creates its classes by ProgID,
# marshals them through its type library and opens its dialog; and the same
# with one DLL unregistered by regsvr32 /u instead.
#
#   WINE=64-BIT-WINE-LOADER tests/package/side_by_side_round.sh SOURCE_ROOT X86_BIN_DIR X64_BIN_DIR WORK_DIR
#
# Each BIN_DIR holds that architecture's Zelvacorin.dll, zelva-tables.exe,
# ZelvacorinSetup.dll, the stand-in host library 3itlu31.dll, pinhost.exe and
# the server tests. The last line counts the checks: "N passed, N failed".
if [[ $# -ne 4 ]]; then
    echo "usage: $0 SOURCE_ROOT X86_BIN_DIR X64_BIN_DIR WORK_DIR" >&2
    exit 2
fi
x86_bin="$(cd "$2" && pwd)"
source "$(dirname "$0")/round_start.sh" "$1" "$3" "$4" x64
x64_bin=$bin
version=1.0.2
libid='{DE33A82E-FD95-11D4-85CB-00E08110F9CF}'
pshape='{DE33A837-FD95-11D4-85CB-00E08110F9CF}'
# Each architecture's programs and install folder, by its package's name.
declare -A bin_of=([x86]="$x86_bin" [x64]="$x64_bin")
declare -A loader=([x86]=wine [x64]="$wine")
declare -A installed_dos=([x86]='C:\Program Files (x86)\Ombrivale\Tessalo' [x64]='C:\Program Files\Ombrivale\Tessalo')
declare -A view=([x86]=32 [x64]=64)

same() { [[ "$1" == "$2" ]] || { echo "  got:      $1"; echo "  expected: $2"; return 1; }; }
run_as() { local a=$1; shift; ${loader[$a]} "$@"; }  # run_as ARCH PROGRAM...: that architecture's system program
# A registry value as the architecture's programs see it, empty when absent.
reg_value() {  # reg_value ARCH KEY [NAME]: the named value, else the key's default one
    local value=(/ve)
    [[ $# -eq 3 ]] && value=(/v "$3")
    $wine reg query "$2" "${value[@]}" "/reg:${view[$1]}" 2>/dev/null | tr -d '\r' | sed -n 's/^ .*REG_SZ *//p' | head -1
}
msi_table() { msiinfo export "$1" "$2" | tail -n +4; }

echo "== The two packages and their tables"
tree="$work/tree"
cp -r "$source_root/install" "$tree"
mkdir -p "$tree/Tessalo/Images" && printf 'stand-in picture' >"$tree/Tessalo/Images/3iaoftt.jpg"
for a in x86 x64; do
    "$source_root/tools/package/package.sh" "$version" "$tree" "${bin_of[$a]}" "$work/$a.msi" --arch "$a" >/dev/null
done
check "the x64 package is marked x64" grep -q 'x64;1033' <(msiinfo suminfo "$work/x64.msi")
check "the x86 package is marked Intel" grep -q 'Intel;1033' <(msiinfo suminfo "$work/x86.msi")
shared_components="$(comm -12 <(msi_table "$work/x86.msi" Component | cut -f2 | sort) \
                              <(msi_table "$work/x64.msi" Component | cut -f2 | sort))"
check "no component identifier is in both packages" same "$shared_components" ""
bits_64() { msi_table "$1" Component | awk -F'\t' -v want="$2" '($4 % 512 >= 256) != want { print $1 }'; }
check "every x64 component is 64-bit" same "$(bits_64 "$work/x64.msi" 1)" ""
check "no x86 component is 64-bit" same "$(bits_64 "$work/x86.msi" 0)" ""
check "the x64 package reads back its values in the 64-bit view" \
    same "$(msi_table "$work/x64.msi" RegLocator | awk -F'\t' '$5 % 32 < 16 { print $1 }')" ""
check "the x64 package installs below the 64-bit Program Files" \
    grep -q '^INSTALLDIR	dir_manufacturer' <(msi_table "$work/x64.msi" Directory)
check "... which lies in the 64-bit Program Files" \
    grep -q '^dir_manufacturer	ProgramFiles64Folder' <(msi_table "$work/x64.msi" Directory)
upgrade_codes="$(for a in x86 x64; do msi_table "$work/$a.msi" Property | sed -n 's/^UpgradeCode\t//p'; done | sort -u | wc -l)"
check "the two packages upgrade apart" same "$upgrade_codes" 2

echo "== A fresh 64-bit prefix with the host's library for both architectures"
WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
for a in x86 x64; do run_as "$a" regsvr32 /s "$(winepath -w "${bin_of[$a]}/3itlu31.dll")"; done

# Both classes from a script of the architecture's script host, by ProgID; a
# failing script's last lines are printed, since the next run overwrites them.
script_client() {
    (cd "$source_root/tests/scripts" && run_as "$1" cscript //nologo client.vbs) >"$work/client-$1.txt" 2>&1
    grep -qE '^[0-9]+ passed, 0 failed' "$work/client-$1.txt" && return
    echo "the $1 script client's output ends:"
    tail -n 15 "$work/client-$1.txt"
    return 1
}
# Objects made in a multithreaded apartment and used across apartments, through
# proxies the type library's registration makes.
through_type_library() {
    (cd "${bin_of[$1]}" && wine zelvacorin_server_tests.exe --gtest_filter='ServerApartments.*') \
        >"$work/apartments-$1.txt" 2>&1
}
# The demo's round of work, whose drop opens the dialog, through the registered DLL,
# on an X screen of its own, with a Wine server started there.
opens_dialog() {
    rm -rf "$work/demo-$1"
    wineserver -w
    xvfb-run -a -s "-screen 0 800x600x24" sh -c 'wine "$@"; status=$?; wineserver -w; exit $status' opens_dialog \
        "${bin_of[$1]}/pinhost.exe" run "$source_root/examples/demo.scn" --out "$work/demo-$1" \
        >"$work/demo-$1.txt" 2>&1 && grep -q 'pin1' "$work/demo-$1/transcript.jsonl"
}
works() {  # works ARCH: every way in to that architecture's component
    check "the $1 classes are created by ProgID from its script host" script_client "$1"
    check "the $1 classes are marshalled through its type library" through_type_library "$1"
    check "the $1 component opens its dialog" opens_dialog "$1"
}
served_by() {  # served_by ARCH: that architecture's view names its installed DLL
    check "the $1 view's PShape class is the $1 DLL" \
        same "$(reg_value "$1" "HKCR\\CLSID\\$pshape\\InprocServer32")" "${installed_dos[$1]}\\Zelvacorin.dll"
}
platform_path() { reg_value x64 "HKCR\\TypeLib\\$libid\\1.0\\0\\win${view[$1]}"; }
# What the two architectures share stays while one is registered. (Wine keeps a
# ProgID per view, where Windows shares it; the type library's key it shares too.)
shared_stay() {
    check "the ProgID stays" same "$(reg_value "$1" 'HKCR\Zelvacorin.PShape\CLSID')" "$pshape"
    check "the type library's key stays" same "$(reg_value "$1" "HKCR\\TypeLib\\$libid\\1.0")" Zelvacorin
}

echo "== Both installed"
for a in x86 x64; do check "msiexec /i of the $a package succeeds" msi /i "$(winepath -w "$work/$a.msi")"; done
for a in x86 x64; do
    served_by "$a"
    check "the $a package's settings are in the $a view" \
        same "$(reg_value "$a" 'HKLM\SOFTWARE\Ombrivale\Tessalo' ApplDir)" "${installed_dos[$a]}\\."
    check "the type library names the $a DLL for its platform" \
        same "$(platform_path "$a")" "${installed_dos[$a]}\\Zelvacorin.dll"
    works "$a"
done

other() { [[ $1 == x86 ]] && echo x64 || echo x86; }
for gone in x86 x64; do
    kept=$(other "$gone")
    echo "== The $gone DLL unregistered by regsvr32 /u, the $kept one kept"
    check "regsvr32 /u of the $gone DLL succeeds" run_as "$gone" regsvr32 /s /u "${installed_dos[$gone]}\\Zelvacorin.dll"
    shared_stay "$kept"
    check "the $kept classes are still created by ProgID" script_client "$kept"
    check "the $kept classes are still marshalled through its type library" through_type_library "$kept"
    check "regsvr32 of the $gone DLL succeeds" run_as "$gone" regsvr32 /s "${installed_dos[$gone]}\\Zelvacorin.dll"
done

for gone in x86 x64; do
    kept=$(other "$gone")
    echo "== The $gone package uninstalled, the $kept one kept"
    check "msiexec /x of the $gone package succeeds" msi /x "$(winepath -w "$work/$gone.msi")"
    check "the $gone view's class is gone" same "$(reg_value "$gone" "HKCR\\CLSID\\$pshape\\InprocServer32")" ""
    check "the $gone platform's type-library path is gone" same "$(platform_path "$gone")" ""
    shared_stay "$kept"
    served_by "$kept"
    works "$kept"
    check "msiexec /i of the $gone package again succeeds" msi /i "$(winepath -w "$work/$gone.msi")"
done

echo "== Both uninstalled"
for a in x86 x64; do check "msiexec /x of the $a package succeeds" msi /x "$(winepath -w "$work/$a.msi")"; done
check "no ProgID is left" same "$(reg_value x64 'HKCR\Zelvacorin.PShape\CLSID')" ""
check "no type library is left" same "$(reg_value x64 "HKCR\\TypeLib\\$libid\\1.0")" ""
for a in x86 x64; do check "no $a class is left" same "$(reg_value "$a" "HKCR\\CLSID\\$pshape\\InprocServer32")" ""; done

report
