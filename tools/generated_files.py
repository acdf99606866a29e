"""Writing the install tree's generated files, or checking them (--check).

Shared by gen_thread_tables.py and gen_settings.py.  The files are text in the
Windows ANSI code page with CR LF line ends, as the component reads them.
"""

import os

HERE = os.path.dirname(os.path.abspath(__file__))
INSTALL_TREE = os.path.join(os.path.dirname(HERE), "install")
CRLF = "\r\n"
ENCODING = "cp1252"  # the Windows ANSI code page the component reads


def update_files(files, root, check, stale=None):
    """Writes each of `files` ({path below root: text}) that differs, or with
    `check` only reports it.  `stale(root, files)` yields the files of the tree
    that are no longer generated: removed, or reported.  Returns the exit status:
    with `check`, 1 if anything differs."""
    differ = 0
    for rel, text in sorted(files.items()):
        data = text.encode(ENCODING)
        path = os.path.join(root, *rel.split("/"))
        old = None
        if os.path.exists(path):
            with open(path, "rb") as f:
                old = f.read()
        if check:
            if old != data:
                print(f"differs: {rel}")
                differ += 1
            continue
        if old != data:
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as f:
                f.write(data)
            print(f"wrote {rel}")
        else:
            print(f"unchanged {rel}")
    for rel in stale(root, files) if stale else ():
        if check:
            print(f"not generated: {rel}")
            differ += 1
        else:
            os.remove(os.path.join(root, *rel.split("/")))
            print(f"removed {rel}")
    if check:
        print(f"{len(files) - differ} up to date, {differ} differ")
    return 1 if differ else 0
