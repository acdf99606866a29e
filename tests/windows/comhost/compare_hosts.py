#!/usr/bin/python3
"""Replays scenarios through the native pinhost and through pinhost.exe (the
real Zelvacorin.dll under Wine) and compares what both wrote: document.json,
transcript.jsonl and the preferences file.

    compare_hosts.py NATIVE_PINHOST PINHOST_EXE INSTALL_DIR OUT_DIR SCENARIO...

Run under an X server with WINEPREFIX set (see compare_hosts.sh). Only what
cannot be the same is normalised before comparing:
  - paths of the run's own folder, which pinhost.exe sees as Wine shows them
    (Z:\\... with backslashes), become <OUT> with forward slashes on both sides;
  - a message box without a title of its own reads on the screen with the
    component's name, which the native transcript leaves as null.
More scenarios are written here: one as written outside this repository
would be (its registry values name a copy of the table tree by a Linux path),
and those of generated_rounds.py (normals of every direction, preferences
files that cannot be read or written).
Prints one line per scenario and a final "N passed, M failed" line.
"""

import difflib
import json
import pathlib
import shutil
import subprocess
import sys
import time

import generated_rounds

DEFAULT_TITLE = "Zelvacorin"
RESULTS = ["document.json", "transcript.jsonl", "install/Tessalo/Zelvacorin.prf", "tables.prf",
           "install/Tessalo/Images/3iaoftt.jpg"]  # the picture a preferences name may point at


def portable(text, out_dir):
    """`text` with the run's folder, in any of its spellings, as <OUT>."""
    unix = text.replace("\\", "/")
    for spelling in ("Z:" + str(out_dir), str(out_dir)):
        if spelling in unix:
            return unix.replace(spelling, "<OUT>")
    return text


def normalised(value, out_dir):
    if isinstance(value, str):
        return portable(value, out_dir)
    if isinstance(value, list):
        return [normalised(v, out_dir) for v in value]
    if isinstance(value, dict):
        value = {k: normalised(v, out_dir) for k, v in value.items()}
        if value.get("event") == "messagebox" and value.get("title") is None:
            value["title"] = DEFAULT_TITLE
        return value
    return value


def comparable(path, out_dir):
    if not path.exists():
        return ["(missing)"]
    if path.suffix == ".json":
        return json.dumps(normalised(json.loads(path.read_text("utf-8")), out_dir), indent=1).splitlines()
    if path.suffix == ".jsonl":
        return [json.dumps(normalised(json.loads(line), out_dir), ensure_ascii=False)
                for line in path.read_text("utf-8").splitlines()]
    return portable(path.read_bytes().decode("latin-1"), out_dir).splitlines()


OUTSIDE_SCENARIO = """# The tables named by a Linux path in the registry, and another language.
registry "SOFTWARE\\Ombrivale\\Tessalo" ApplDir "{tables}"
registry "SOFTWARE\\Ombrivale\\Tessalo" Language German
part block
edge bore circle block 5 5 0 0 0 1 3
face side block 0 5 0 1 0 0
drop bore
> tab 1
> standard 0
> length 12
> ok
dblclick pin1
> chamfer 1
> ok
drop side
project pin1
"""


def run(command, log):
    with open(log, "wb") as out:
        return subprocess.run(command, stdout=out, stderr=subprocess.STDOUT).returncode


def replay(host, scenario, out_dir, install, tables):
    """Runs one host on a fresh copy of the table tree; keeps the preferences it wrote there."""
    shutil.rmtree(tables, ignore_errors=True)
    shutil.copytree(pathlib.Path(install) / "Tessalo", tables)
    status = run(host + ["run", str(scenario), "--out", str(out_dir), "--install", install], out_dir / "pinhost.log")
    if (tables / "Zelvacorin.prf").exists():
        shutil.copy(tables / "Zelvacorin.prf", out_dir / "tables.prf")
    return status


def main():
    native, exe, install, out_root = sys.argv[1:5]
    out_root = pathlib.Path(out_root).resolve()
    out_root.mkdir(parents=True, exist_ok=True)
    tables = out_root / "tables" / "Tessalo"
    written = {"outside_repository": OUTSIDE_SCENARIO.format(tables=tables), **generated_rounds.scenarios()}
    scenarios = [pathlib.Path(s).resolve() for s in sys.argv[5:]]
    for name, text in written.items():
        scenarios.append(out_root / f"{name}.scn")
        scenarios[-1].write_text(text)
    passed = failed = 0
    windows_seconds = 0.0
    for scenario in scenarios:
        name = scenario.stem
        dirs = {"native": out_root / "native" / name, "windows": out_root / "windows" / name}
        for d in dirs.values():
            shutil.rmtree(d, ignore_errors=True)
            d.mkdir(parents=True)
        status = {"native": replay([native], scenario, dirs["native"], install, tables)}
        start = time.monotonic()
        status["windows"] = replay(["wine", exe], scenario, dirs["windows"], install, tables)
        windows_seconds += time.monotonic() - start
        problems = [f"{host} pinhost exited with {code}: see {dirs[host] / 'pinhost.log'}"
                    for host, code in status.items() if code != 0]
        for result in RESULTS:
            expected = comparable(dirs["native"] / result, dirs["native"])
            actual = comparable(dirs["windows"] / result, dirs["windows"])
            if expected != actual:
                diff = difflib.unified_diff(expected, actual, "native/" + result, "windows/" + result, lineterm="")
                problems.append("\n".join(list(diff)[:40]))
        if problems:
            failed += 1
            print(f"DIFFERS {name}\n" + "\n".join(problems), flush=True)
        else:
            passed += 1
            print(f"same    {name}", flush=True)
    print(f"pinhost.exe: {len(scenarios)} scenario(s) in {windows_seconds:.1f} s")
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
