#!/usr/bin/env bash
# Checks a DLL built for Windows: it imports nothing but system DLLs (the MinGW
# runtime is linked in), and it exports exactly the given names, undecorated.
#
#   scripts/windows/check-dll.sh DLL EXPORT...
set -euo pipefail

if [[ $# -lt 2 ]]; then
    echo "usage: $0 DLL EXPORT..." >&2
    exit 2
fi
dll=$1
shift
dump=$(i686-w64-mingw32-objdump -p "$dll")

system_dlls='^(kernel32|user32|gdi32|advapi32|ole32|oleaut32|comctl32|comdlg32|shell32|shlwapi|msvcrt|ntdll|version|uxtheme)\.dll$'
status=0
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

echo "check-dll: imports $(tr '\n' ' ' <<<"$imports")"
[[ $status -eq 0 ]] && echo "check-dll: $dll passed"
exit $status
