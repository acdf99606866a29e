#!/usr/bin/env python3
"""Print the package version for a DLL: its version resource's FILEVERSION a.b.c.d
as a.b.(1000*c + d), the three fields Windows Installer compares (1.0.0.12 → 1.0.12).

Usage: dll_version.py Zelvacorin.dll
"""

import sys

import pefile  # Debian's python3-pefile

FIELD_LIMIT = 1000


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    pe = pefile.PE(sys.argv[1], fast_load=True)
    pe.parse_data_directories([pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    info = pe.VS_FIXEDFILEINFO[0]
    a, b = info.FileVersionMS >> 16, info.FileVersionMS & 0xFFFF
    c, d = info.FileVersionLS >> 16, info.FileVersionLS & 0xFFFF
    if d >= FIELD_LIMIT:
        sys.exit(f"{sys.argv[1]}: version field {d} does not fit the package version")
    print(f"{a}.{b}.{FIELD_LIMIT * c + d}")


if __name__ == "__main__":
    main()
