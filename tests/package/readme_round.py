#!/usr/bin/python3
"""The administrator's guide's install section, run as written on a fresh 32-bit Wine prefix.

  tests/package/readme_round.py SOURCE_ROOT BIN_DIR WORK_DIR

Takes the section's fenced blocks in order: each line of a `cmd` block is typed
at a command prompt (`wine cmd`, one session a line, in the folder of the
packages, with ProgramFiles(x86) set as 64-bit Windows sets it) and must leave
%errorlevel% 0; an `ini PATH` block is saved as Notepad saves it (Windows-1252,
CR LF) at PATH below the install folder. The packages the lines name are built
first from the source tree. Before the section runs, a LANGUAGE the package does
not know must be refused with nothing installed. The last line counts the
checks: "N passed, N failed".
"""

import os
import re
import shutil
import subprocess
import sys
import time

GUIDE = os.path.join("docs", "admin-guide.md")
INSTALL_SECTION = "## Install, check, upgrade and uninstall\n"
CHECKER = "zelva-tables.exe"
STATUS_MARK = "README-STATUS"
INSTALLED = os.path.join("drive_c", "Program Files", "Ombrivale", "Tessalo")
PACKAGE = re.compile(r"Zelvacorin-(\d+\.\d+\.\d+)\.msi")
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"


class Round:
    def __init__(self):
        self.passed = self.failed = 0

    def check(self, what, ok, detail=""):
        if ok:
            self.passed += 1
        else:
            self.failed += 1
            print(f"FAILED: {what}" + (f"\n{detail}" if detail else ""))


def install_blocks(guide):
    """(kind, info, lines) of each fenced block of the install section, up to the next ## heading."""
    text = guide[guide.index(INSTALL_SECTION):]
    end = text.find("\n## ", len(INSTALL_SECTION))
    blocks, block = [], None
    for line in text[:end if end > 0 else None].split("\n"):
        if line.startswith("```"):
            if block is None:
                kind, _, info = line[3:].partition(" ")
                block = (kind, info.strip(), [])
            else:
                blocks.append(block)
                block = None
        elif block is not None:
            block[2].append(line)
    return blocks


def wine_env(prefix):
    env = dict(os.environ, WINEPREFIX=prefix, WINEARCH="win32", WINEDEBUG="-all")
    env.pop("DISPLAY", None)  # msiexec /qn and the checker show no window
    return env


def prompt(line, folder, env):
    """Types `line` at a command prompt in `folder`; its output and %errorlevel% after it."""
    script = "\r\n".join(['set "ProgramFiles(x86)=%ProgramFiles%"', line,
                          f"echo {STATUS_MARK} %errorlevel%", "exit", ""])
    # From a file: Wine's cmd takes only the first line of what a pipe holds.
    typed = os.path.join(folder, "typed.txt")
    with open(typed, "wb") as f:
        f.write(script.encode("cp1252"))
    with open(typed, "rb") as keys:
        run = subprocess.run(["wine", "cmd"], stdin=keys, cwd=folder, env=env,
                             stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=600)
    out = run.stdout.decode("cp1252", "replace").replace("\r", "")
    status = re.findall(rf"{STATUS_MARK} (-?\d+)$", out, re.M)
    return out, int(status[-1]) if status else None


def build_packages(source, bin_dir, work, versions):
    tree = os.path.join(work, "tree")
    shutil.copytree(os.path.join(source, "install"), tree)
    images = os.path.join(tree, "Tessalo", "Images")
    os.makedirs(images, exist_ok=True)
    with open(os.path.join(images, "3iaoftt.jpg"), "w") as f:
        f.write("stand-in picture")  # any picture serves the installer
    folder = os.path.join(work, "packages")
    for version in versions:
        subprocess.run([os.path.join(source, "tools", "package", "package.sh"), version, tree, bin_dir,
                        os.path.join(folder, f"Zelvacorin-{version}.msi")], check=True, stdout=subprocess.DEVNULL)
    return folder


def read_text(path):
    with open(path, "rb") as f:
        data = f.read()
    return data.decode("utf-16") if data[:2] in (b"\xff\xfe", b"\xfe\xff") else data.decode("cp1252", "replace")


def product_installed(folder, env):
    out, _ = prompt(f"reg query {UNINSTALL_KEY} /s", folder, env)
    return "Zelvacorin" in out


def main():
    source, bin_dir, work = (os.path.abspath(a) for a in sys.argv[1:4])
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    with open(os.path.join(source, GUIDE), encoding="utf-8") as f:
        blocks = install_blocks(f.read())
    commands = [l for kind, _, lines in blocks if kind == "cmd" for l in lines if l.strip()]
    versions = sorted({m for l in commands for m in PACKAGE.findall(l)}, key=lambda v: tuple(map(int, v.split("."))))
    r = Round()
    r.check("the install section has command lines and names packages", commands and versions)

    start = time.time()
    packages = build_packages(source, bin_dir, work, versions)
    print(f"packages {', '.join(versions)}: {time.time() - start:.0f} s")
    prefix = os.path.join(work, "wineprefix")
    env = wine_env(prefix)
    subprocess.run(["wineboot", "-i"], env=dict(env, WINEDLLOVERRIDES="mscoree,mshtml="),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    installed = os.path.join(prefix, INSTALLED)

    print("== An unknown LANGUAGE is refused before anything is installed")
    out, status = prompt(f"start /wait msiexec /i Zelvacorin-{versions[0]}.msi /qn LANGUAGE=Deutsch /l*v refused.log",
                         packages, env)
    r.check("msiexec fails with 1603", status == 1603, out)
    r.check("nothing is installed", not os.path.exists(installed) and not product_installed(packages, env))
    log = read_text(os.path.join(packages, "refused.log"))
    r.check("the message lists the languages it takes",
            "LANGUAGE=Deutsch is not a language of Zelvacorin: give one of en, de, it, English, German, Italian" in log)

    print("== The administrator's guide's install section, as written")
    readme_checked = False
    for kind, info, lines in blocks:
        if kind == "cmd":
            for line in filter(str.strip, lines):
                out, status = prompt(line, packages, env)
                print(f"{status}: {line}")
                r.check(f"'{line}' succeeds", status == 0, out)
                if CHECKER in line:
                    r.check(f"'{line}' finds the tables clean", "\n0 errors, 0 warnings" in out, out)
                if not readme_checked and os.path.exists(os.path.join(installed, "ReadMe.txt")):
                    readme_checked = True
                    text = read_text(os.path.join(installed, "ReadMe.txt"))
                    r.check("the installed ReadMe.txt holds the guide's uninstall line",
                            all(l in text for l in commands if "msiexec /x" in l))
        elif kind == "ini" and info:
            path = os.path.join(installed, *info.split("\\"))
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as f:
                f.write("".join(l + "\r\n" for l in lines).encode("cp1252"))
            print(f"saved {info}")
    r.check("the ReadMe.txt was installed", readme_checked)

    print("== What the uninstall left")
    r.check("no installed product", not product_installed(packages, env))
    left = sorted(os.path.relpath(os.path.join(d, n), installed).replace(os.sep, "\\")
                  for d, _, names in os.walk(installed) for n in names)
    site = sorted(info for kind, info, _ in blocks if kind == "ini")
    r.check("only the site's own group is left", left == site, f"  left: {left}\n  site: {site}")
    subprocess.run(["wineserver", "-w"], env=env)
    print(f"readme round: {time.time() - start:.0f} s")
    print(f"{r.passed} passed, {r.failed} failed")
    return 0 if r.failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
