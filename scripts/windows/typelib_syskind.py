#!/usr/bin/env python3
"""Print the platform of the type library a DLL embeds (its TYPELIB resource 1):
SYS_WIN16, SYS_WIN32, SYS_MAC or SYS_WIN64, from the flags word of the MSFT header;
"none" when the DLL embeds no type library.

Usage: typelib_syskind.py X.dll
"""

import struct
import sys

import pefile  # Debian's python3-pefile

SYSKINDS = {0: "SYS_WIN16", 1: "SYS_WIN32", 2: "SYS_MAC", 3: "SYS_WIN64"}
MSFT_MAGIC = b"MSFT"
FLAGS_WORD = 5  # of the header's 32-bit words; the system kind is its low four bits


def typelib_bytes(pe):
    resources = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for kind in resources.entries if resources else []:
        if str(kind.name) != "TYPELIB":
            continue
        for entry in kind.directory.entries:
            if entry.id == 1:
                data = entry.directory.entries[0].data.struct
                return pe.get_data(data.OffsetToData, data.Size)
    return None


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    pe = pefile.PE(sys.argv[1], fast_load=True)
    pe.parse_data_directories([pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    library = typelib_bytes(pe)
    if library is None:
        print("none")
        return
    if library[:4] != MSFT_MAGIC:
        sys.exit(f"{sys.argv[1]}: its type library is not in the MSFT format")
    flags = struct.unpack_from("<I", library, 4 * FLAGS_WORD)[0]
    print(SYSKINDS.get(flags & 0xF, f"unknown system kind {flags & 0xF}"))


if __name__ == "__main__":
    main()
