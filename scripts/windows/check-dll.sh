#!/usr/bin/env bash
# Checks a DLL built for Windows: it is built for ARCH (i686: PE32 for x86;
# x86_64: PE32+ for x86-64), the type library it embeds (if any) is built for
# that architecture's platform (SYS_WIN32 or SYS_WIN64), it imports nothing but
# system DLLs (the MinGW runtime is linked in), each section it loads starts
# on a page in the file (Wine then maps it rather than reading it in whole),
# and it exports exactly the given names, undecorated.
#
#   scripts/windows/check-dll.sh ARCH DLL EXPORT...
set -euo pipefail

if [[ $# -lt 3 ]]; then
    echo "usage: $0 i686|x86_64 DLL EXPORT..." >&2
    exit 2
fi
case $1 in
    i686) format=pei-i386 syskind=SYS_WIN32 ;;
    x86_64) format=pei-x86-64 syskind=SYS_WIN64 ;;
    *) echo "check-dll: unknown architecture $1" >&2; exit 2 ;;
esac
dll=$2
shift 2
# The x86-64 objdump reads both PE32 and PE32+.
dump=$(x86_64-w64-mingw32-objdump -p "$dll")

status=0
found_format=$(sed -n 's/.*file format //p' <<<"$dump" | head -1)
if [[ "$found_format" != "$format" ]]; then
    echo "check-dll: $dll is $found_format, not $format"
    status=1
fi
found_syskind=$(/usr/bin/python3 "$(dirname "$0")/typelib_syskind.py" "$dll")
if [[ "$found_syskind" != none && "$found_syskind" != "$syskind" ]]; then
    echo "check-dll: $dll embeds a type library for $found_syskind, not $syskind"
    status=1
fi

# Rows of the section table: "  0 .text  001327a0  VMA  LMA  FILE_OFFSET  2**4",
# the next line saying whether the section is loaded.
unaligned=$(x86_64-w64-mingw32-objdump -h "$dll" |
    awk '/^ *[0-9]+ / {name = $2; offset = $6; next}
         /LOAD/ && offset !~ /000$/ {print name}')
if [[ -n "$unaligned" ]]; then
    echo "check-dll: $dll has sections off a page in the file: $(tr '\n' ' ' <<<"$unaligned")"
    status=1
fi

system_dlls='^(kernel32|user32|gdi32|advapi32|ole32|oleaut32|comctl32|comdlg32|shell32|shlwapi|msvcrt|ntdll|version|uxtheme)\.dll$'
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
while read -r name; do
    if ! grep -qiE "$system_dlls" <<<"$name"; then
        echo "check-dll: $dll imports $name, which is not a system DLL"
        status=1
    fi
done <<<"$imports"

# Rows of the export name table: "[   0] DllCanUnloadNow".
exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*//p' <<<"$dump" | sort)
expected=$(printf '%s\n' "$@" | sort)
if [[ "$exports" != "$expected" ]]; then
    echo "check-dll: $dll exports"
    echo "$exports"
    echo "check-dll: expected"
    echo "$expected"
    status=1
fi

echo "check-dll: $found_format, type library $found_syskind, imports $(tr '\n' ' ' <<<"$imports")"
[[ $status -eq 0 ]] && echo "check-dll: $dll passed"
exit $status
