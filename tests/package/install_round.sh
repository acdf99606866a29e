#!/usr/bin/env bash
# The package's whole life on a fresh Wine prefix of its architecture (32-bit
# for the x86 package, 64-bit for the x64 one), as an administrator lives it:
# install with msiexec (no regsvr32), use both classes from a script,
# compare the registry with a regsvr32 registration, edit a table and write the
# preferences, upgrade to a higher version, repair a deleted DLL by installing
# again, uninstall, and look at what is left.
#
#   [WINE=64-BIT-WINE-LOADER] tests/package/install_round.sh SOURCE_ROOT BIN_DIR WORK_DIR [x86|x64]
#
# BIN_DIR holds the architecture's Zelvacorin.dll, zelva-tables.exe and the stand-in
# host library 3itlu31.dll (the host's own library, registered as on a CAD
# workstation). The last line counts the checks: "N passed, N failed".
source "$(dirname "$0")/round_start.sh"
installed_dos='C:\Program Files\Ombrivale\Tessalo'
family_key='HKLM\SOFTWARE\Ombrivale\Tessalo'
product_key='HKLM\SOFTWARE\Ombrivale\Tessalo\Zelvacorin'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
host_library_key='HKEY_CLASSES_ROOT\TypeLib\{47ACD060-AF38-11D2-99DB-00A0244EC406}'
old_version=1.0.1 new_version=1.0.2
added_table='Norme/ISO/Data/M64x4.tab'
edited_table='Norme/ISO/Data/M10.tab'

same() { [[ "$1" == "$2" ]] || { echo "  got:      $1"; echo "  expected: $2"; return 1; }; }

# A registry key and all below it as text, empty when absent.
reg_dump() {
    local file="$work/export.reg"
    rm -f "$file"
    $wine reg export "$1" "$(winepath -w "$file")" >/dev/null 2>&1 || return 0
    iconv -f UTF-16LE -t UTF-8 "$file" | tr -d '\r' | sed '1s/^\xEF\xBB\xBF//' | grep -v '^Windows Registry Editor'
}
reg_value() { reg_dump "$1" | sed -n "s/^\"$2\"=\"\(.*\)\"$/\1/p" | head -1 | sed 's/\\\\/\\/g'; }
tab_captions() { local n; for n in 0 1 2; do printf '%s' "$(reg_value "$product_key" "Norme#$n")"; [[ $n == 2 ]] || printf '|'; done; }
product_entries() { reg_dump "$uninstall_key" | grep -cxF "\"DisplayName\"=\"$product\""; }

# The registration's own keys (those no other key of the table lies below).
registration_roots() {
    grep -v '^#' "$source_root/windows/server/registration.tsv" | cut -f1 | sort -u |
        awk '{ for (i in seen) if (index($0, i "\\") == 1) next; seen[$0]; print }'
}
registration_dump() { local k; while read -r k; do reg_dump "HKEY_CLASSES_ROOT\\$k"; done < <(registration_roots); }

start=$SECONDS

echo "== Packages $old_version (without $added_table) and $new_version"
tree="$work/tree"
cp -r "$source_root/install" "$tree"
# The texture is drawn by the native build; any picture serves the installer.
mkdir -p "$tree/Tessalo/Images" && printf 'stand-in picture' >"$tree/Tessalo/Images/3iaoftt.jpg"
cp -r "$tree" "$work/old-tree" && rm "$work/old-tree/Tessalo/$added_table"
grep -av "\"$(basename "$added_table")\"" "$tree/Tessalo/Norme/ISO/Norme.ini" >"$work/old-tree/Tessalo/Norme/ISO/Norme.ini"
"$source_root/tools/package/package.sh" "$old_version" "$work/old-tree" "$bin" "$work/old.msi" --arch "$arch" >/dev/null
"$source_root/tools/package/package.sh" "$new_version" "$tree" "$bin" "$work/new.msi" --arch "$arch" >/dev/null
echo "package build: $((SECONDS - start)) s"

# Wine keeps no file permissions; what it can show is the package's one lock.
locks="$(msiinfo export "$work/new.msi" MsiLockPermissionsEx | tail -n +4 | cut -f2,3,4)"
check "only the preferences folder is made writable, for users" same "$locks" \
    "$(printf 'PREFERENCESDIR\tCreateFolder\tD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1301bf;;;BU)')"

echo "== A fresh prefix with the host's library"
prefix_start=$SECONDS
WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
$wine regsvr32 /s "$(winepath -w "$bin/3itlu31.dll")"
$wine reg add 'HKLM\SOFTWARE\Ombrivale\Other' /v Kept /d yes /f >/dev/null 2>&1
host_keys() { reg_dump "$host_library_key"; reg_dump 'HKLM\SOFTWARE\Ombrivale\Other'; }
host_keys_before="$(host_keys)"
echo "prefix: $((SECONDS - prefix_start)) s"
round_start=$SECONDS

echo "== Install $old_version"
check "msiexec /i succeeds" msi /i "$(winepath -w "$work/old.msi")" LANGUAGE=Italian 'CALLOUT={name} {L}'
check "the DLL is installed" test -f "$installed/Zelvacorin.dll"
check "the tables are installed" test -f "$installed/$edited_table"
check "the texture is installed" test -f "$installed/Images/3iaoftt.jpg"
check "the checker and the read-me are installed" test -f "$installed/zelva-tables.exe" -a -f "$installed/ReadMe.txt"
check "ApplDir names the install folder" same "$(reg_value "$family_key" ApplDir)" "$installed_dos\\."
check "LANGUAGE sets the language" same "$(reg_value "$family_key" Language)" Italian
check "size matching is on by default" same "$(reg_value "$product_key" MatchSize)" 1
check "CALLOUT sets the drawing callout" same "$(reg_value "$product_key" CalloutFormat)" '{name} {L}'
check "the preferences file lies in a folder of its own" \
    same "$(reg_value "$product_key" 'File Prefs')" '\Preferences\Zelvacorin.prf'
check "the tab captions are Italian" same "$(tab_captions)" 'ISO metrica|Unified pollici|Gas & Tr'
for n in 0 1 2; do
    for name in "Norme Dir#$n" "Data#$n" "File INI#$n"; do
        want="$(sed -n "s/^\"$name\"=\"\(.*\)\"\r\?$/\1/p" "$tree/Tessalo.reg" | sed 's/\\\\/\\/g')"
        check "$name as shipped" same "$(reg_value "$product_key" "$name")" "$want"
    done
done
check "one installed product" same "$(product_entries)" 1
check "the installed tables check clean" wine "$installed_dos\\zelva-tables.exe" check

echo "== Both classes from a script, without regsvr32"
(cd "$source_root/tests/scripts" && $wine cscript //nologo client.vbs) >"$work/client.txt" 2>&1
check "the script client passes" grep -qE '^[0-9]+ passed, 0 failed' "$work/client.txt"

echo "== The registry as msiexec wrote it and as regsvr32 writes it"
registration_dump >"$work/registry-msiexec.txt"
$wine regsvr32 /s /u "$installed_dos\\Zelvacorin.dll"
check "unregistering removes the registration" same "$(registration_dump)" ""
$wine regsvr32 /s "$installed_dos\\Zelvacorin.dll"
registration_dump >"$work/registry-regsvr32.txt"
check "msiexec and regsvr32 write the same registration" \
    diff "$work/registry-msiexec.txt" "$work/registry-regsvr32.txt"
check "the registration is not empty" test -s "$work/registry-msiexec.txt"

echo "== An administrator edits a table; a user writes the preferences"
printf '# our own note\r\n' >>"$installed/$edited_table"
edited="$(cat "$installed/$edited_table")"
mkdir -p "$installed/Preferences" && printf ' 1500 \r\n 3000 \r\n 0 \r\n20\r\n1.5\r\n 1 \r\n' >"$installed/Preferences/Zelvacorin.prf"

echo "== Upgrade to $new_version"
check "msiexec /i of the higher version succeeds" msi /i "$(winepath -w "$work/new.msi")"
check "the upgrade keeps the installed language" same "$(reg_value "$family_key" Language)" Italian
check "the upgrade keeps the installed callout" same "$(reg_value "$product_key" CalloutFormat)" '{name} {L}'
check "the upgrade keeps size matching" same "$(reg_value "$product_key" MatchSize)" 1
check "still one installed product" same "$(product_entries)" 1
check "the installed product is the higher version" \
    bash -c "$wine reg query '$uninstall_key' /s 2>/dev/null | tr -d '\r' | grep -q 'DisplayVersion.*$new_version'"
check "the new table is added" test -f "$installed/$added_table"
check "the unchanged index now lists it" grep -q "$(basename "$added_table")" "$installed/Norme/ISO/Norme.ini"
check "the upgraded tables check clean" wine "$installed_dos\\zelva-tables.exe" check
check "the edited table is kept" same "$(cat "$installed/$edited_table")" "$edited"
check "the preferences are kept" test -f "$installed/Preferences/Zelvacorin.prf"
check "the DLL is still registered" same "$(registration_dump)" "$(cat "$work/registry-msiexec.txt")"

echo "== Installing again repairs a deleted DLL"
rm "$installed/Zelvacorin.dll"
check "msiexec /i over the installed version succeeds" msi /i "$(winepath -w "$work/new.msi")"
check "the DLL is back" test -f "$installed/Zelvacorin.dll"
check "the edited table is still kept" same "$(cat "$installed/$edited_table")" "$edited"

echo "== Uninstall"
check "msiexec /x succeeds" msi /x "$(winepath -w "$work/new.msi")"
check "no installed product" same "$(product_entries)" 0
left="$(cd "$installed" 2>/dev/null && find . -type f | sort | tr '\n' ' ')"
check "only the edited table and the preferences are left" \
    same "$left" "./$edited_table ./Preferences/Zelvacorin.prf "
check "the edited table survives" same "$(cat "$installed/$edited_table")" "$edited"
check "the settings are gone" same "$(reg_dump "$family_key")" ""
check "the registration is gone" same "$(registration_dump)" ""
check "the host library's keys and other values stay" same "$(host_keys)" "$host_keys_before"
check "they were there to keep" grep -q Kept <<<"$host_keys_before"

echo "== Install into another folder"
elsewhere='C:\CAD\Tessalo'
check "msiexec /i with INSTALLDIR succeeds" msi /i "$(winepath -w "$work/new.msi")" "INSTALLDIR=$elsewhere\\"
check "the files go there" test -f "$WINEPREFIX/drive_c/CAD/Tessalo/Zelvacorin.dll"
check "ApplDir names that folder" same "$(reg_value "$family_key" ApplDir)" "$elsewhere\\."
check "the classes are served from there" grep -qiF "${elsewhere//\\/\\\\}\\\\Zelvacorin.dll" <<<"$(registration_dump)"
check "its tables check clean" wine "$elsewhere\\zelva-tables.exe" check
check "msiexec /x removes it" msi /x "$(winepath -w "$work/new.msi")"
# Wine's installer leaves the emptied install folder itself (it tries it before the
# preferences folder inside it is gone); nothing else may be left.
check "nothing is left there" same "$(find "$WINEPREFIX/drive_c/CAD/Tessalo" -mindepth 1)" ""

echo "== The language: by default the machine's user-interface language"
# Wine takes the user-interface language from LC_ALL when no such Unix locale is installed.
install_in() {  # install_in UNIX_LOCALE [PROPERTY...]: a fresh install there, its language and captions
    LC_ALL=$1 $wine msiexec /i "$(winepath -w "$work/new.msi")" "${@:2}" /qn || return 1
    echo "$(reg_value "$family_key" Language) $(tab_captions)"
    $wine msiexec /x "$(winepath -w "$work/new.msi")" /qn
}
check "an English system gets the English set" same "$(install_in en_US.UTF-8)" 'en ISO metric|Unified inch|Pipe & Tr'
check "a German system gets the German set" same "$(install_in de_DE.UTF-8)" 'de ISO metrisch|Unified Zoll|Rohr & Tr'
check "an Italian system gets the Italian set" same "$(install_in it_CH.UTF-8)" 'it ISO metrica|Unified pollici|Gas & Tr'
check "a French system gets the English set" same "$(install_in fr_FR.UTF-8)" 'en ISO metric|Unified inch|Pipe & Tr'
check "LANGUAGE wins over the system's" same "$(install_in de_DE.UTF-8 LANGUAGE=it)" 'it ISO metrica|Unified pollici|Gas & Tr'
check "an old name is written as it is" same "$(install_in en_US.UTF-8 LANGUAGE=German)" 'German ISO metrisch|Unified Zoll|Rohr & Tr'

wineserver -w
echo "install round: $((SECONDS - round_start)) s"
report
