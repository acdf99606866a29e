#!/usr/bin/env python3
"""Write the settings files of the install tree.

  Tessalo.reg        the registry values a workstation is set up with (the
                     package installs them): ApplDir, Language, File Prefs and
                     each group's four values, one tab per group of
                     gen_thread_tables.GROUPS
  pinhost.reg        the same for the stand-in host, ApplDir as %INSTALLDIR%
  host-settings.ini  the host's own settings the component reads

A new registry value the shipped tree should set is added here; the package
copies every value of Tessalo.reg by itself (tools/package/make_wxs.py).

Usage:
  tools/gen_settings.py [--out DIR] [--check]

--check writes nothing and exits 1 if any shipped file differs.
"""

import argparse
import sys

from gen_thread_tables import GROUPS
from generated_files import CRLF, INSTALL_TREE, update_files

SHIPPED_APPL_DIR = r"C:\Program Files\Ombrivale\Tessalo"
BACKSLASH = "\\"


def reg_escape(s):
    return s.replace("\\", "\\\\").replace('"', '\\"')


def reg_file_text(appl_dir):
    lines = ["REGEDIT4", "",
             r"[HKEY_LOCAL_MACHINE\SOFTWARE\Ombrivale\Tessalo]",
             f"\"ApplDir\"=\"{reg_escape(appl_dir)}\"",
             "\"Language\"=\"English\"", "",
             r"[HKEY_LOCAL_MACHINE\SOFTWARE\Ombrivale\Tessalo\Zelvacorin]",
             f"\"File Prefs\"=\"{reg_escape(BACKSLASH + 'Zelvacorin.prf')}\""]
    for n, (folder, caption) in enumerate(GROUPS):
        lines += [f"\"Norme#{n}\"=\"{reg_escape(caption)}\"",
                  f"\"Norme Dir#{n}\"=\"{reg_escape(BACKSLASH + 'Norme' + BACKSLASH + folder + BACKSLASH)}\"",
                  f"\"Data#{n}\"=\"{reg_escape('Data' + BACKSLASH)}\"",
                  f"\"File INI#{n}\"=\"Norme.ini\""]
    lines.append("")
    return CRLF.join(lines) + CRLF


def host_settings_text():
    return CRLF.join(["[Directories]", r"ThreadFile=%INSTALLDIR%\Images" + BACKSLASH]) + CRLF


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--out", default=INSTALL_TREE, help="install tree root")
    ap.add_argument("--check", action="store_true", help="compare only, write nothing")
    args = ap.parse_args()
    files = {
        "Tessalo.reg": reg_file_text(SHIPPED_APPL_DIR),
        "pinhost.reg": reg_file_text("%INSTALLDIR%"),
        "host-settings.ini": host_settings_text(),
    }
    return update_files(files, args.out, args.check)


if __name__ == "__main__":
    sys.exit(main())
