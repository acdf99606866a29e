#!/usr/bin/env python3
"""Runs the benchmarks of a Release build and prints each figure with its goal.

Instruction counts come from callgrind (this machine has no hardware counters
for perf_event_open): the table readers and the dialog opening through
reader_counts' client requests, pinhost's steps through callgrind's per-function
totals. Memory is the peak resident set of a plain pinhost run. With the
Windows builds' directories (one for each architecture), the DLL's start under
Wine is timed too, in pairs of fresh processes against a minimal
server built the same way, and the component through COM against the core
natively; each Windows figure is printed for each architecture.
usage: run_bench.py BUILD_DIR WORK_DIR [WINDOWS_BUILD_DIR...]; exits 1 when a
figure misses its goal.
"""

import contextlib
import pathlib
import re
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent / "com"))
import com_speed  # noqa: E402  (beside this script)

PIN_COUNTS = (100, 1000, 10000)
SAMPLED_PINS = 100      # pins double-clicked and projected in each run, spread over the document
MEMORY_GOAL_MB = 150
STARTS = 15  # pairs of fresh processes timed, one for each DLL
COMPONENT_PROGID, MINIMAL_PROGID = "Zelvacorin.PShape", "Zelvacorin.MinimalStart"
# Where the tables are read for the dialog opening and the readers: a folder made
# under this one, whose name has a fixed length, whatever the clone's path.
FIXED_LENGTH_PARENT = "/tmp"
GOALS = {  # figure: highest ratio allowed, or None for a figure printed beside them
    "dialog opening / getline pass": 2.0,
    "table readers per line: large / shipped": 1.2,
    "per pin at 10,000 / at 100: drop+build": 1.2,
    "per pin at 10,000 / at 100: double-click+rebuild": 1.2,
    "per pin at 10,000 / at 100: drawing answers": 1.2,
    "first creation under Wine: Zelvacorin.PShape / minimal server": 1.2,
    "dialog opening with size matching / without": 1.1,  # on an M1's hole: the same files read
    "dialog opening with size matching / without, on an M10's hole": None,  # M10's table is twice M1's
    "drawing answers per pin at 10,000 with callouts / without": 1.5,
    "drawing answers per pin: through COM under Wine / natively": 3.0,
    "dialog opening under Wine, warm: from OnDragDrop / a bare dialog": 1.5,
}
WINDOWS_ARCHS = {"win32": "x86", "win64": "x64"}  # a Windows build's prefix architecture: its name
# The settings of a site that turns size matching and drawing callouts on, as scenario lines.
SITE_SETTINGS = ['registry "SOFTWARE\\Ombrivale\\Tessalo\\Zelvacorin" MatchSize 1',
                 'registry "SOFTWARE\\Ombrivale\\Tessalo\\Zelvacorin" CalloutFormat {name}']
RUNNER_STEPS = {  # figure name: ScenarioRunner member
    "drop+build": "drop",
    "double-click+rebuild": "doubleClick",
    "drawing answers": "project",
}


def callgrind(work, out_file, program, toggles=()):
    options = ["valgrind", "--tool=callgrind", "--collect-atstart=no", f"--callgrind-out-file={out_file}"]
    options += [f"--toggle-collect={t}" for t in toggles]
    return subprocess.run(options + program, cwd=work, check=True, capture_output=True, text=True).stdout


def dumped_counts(work):
    """Instructions of each labelled dump of reader_counts."""
    counts = {}
    for dump in sorted(work.glob("counts.out.*")):
        text = dump.read_text()
        label = re.search(r"^desc: Trigger: Client Request: (.*)$", text, re.M).group(1)
        counts[label] = int(re.search(r"^totals: (\d+)$", text, re.M).group(1))
    return counts


@contextlib.contextmanager
def fixed_length_copy(install):
    """A copy of the install tree at a path whose length does not depend on the clone's.

    Every file the component opens costs by the length of its path, which the
    bare getline pass pays less for, so a ratio measured in the clone itself
    would depend on where the repository was cloned.
    """
    root = pathlib.Path(tempfile.mkdtemp(prefix="zelva-bench-", dir=FIXED_LENGTH_PARENT))
    try:
        shutil.copytree(install, root / "install")
        yield root
    finally:
        shutil.rmtree(root)


def reader_figures(build, work):
    for old in work.glob("counts.out*"):
        old.unlink()
    with fixed_length_copy(build / "install") as root:
        print(f"  tables read from a copy at {root}, a path of fixed length, whatever the clone's")
        out = callgrind(work, work / "counts.out", [str(build / "bench" / "reader_counts"), str(root),
                                                    str(root / "install")])
    lines = {m.group(1): int(m.group(2)) for m in re.finditer(r"^lines (\S+) (\d+)$", out, re.M)}
    counts = dumped_counts(work)
    shipped = counts["readers-shipped"] / lines["readers-shipped"]
    large = counts["readers-large"] / lines["readers-large"]
    return {
        "dialog opening / getline pass": counts["dialog-opening"] / counts["getline-pass"],
        "table readers per line: large / shipped": large / shipped,
        "dialog opening with size matching / without": (counts["dialog-opening-small-hole-matched"]
                                                         / counts["dialog-opening-small-hole"]),
        "dialog opening with size matching / without, on an M10's hole": (counts["dialog-opening-matched"]
                                                                          / counts["dialog-opening"]),
    }


def pin_scenario(pins, settings=()):
    """A plate with `pins` hole rims, a pin dropped on each, then some of them edited and projected."""
    text = [*settings, "part plate"]
    text += [f"edge rim{i} circle plate {20 * i} 0 0 0 0 1 5" for i in range(1, pins + 1)]
    for i in range(1, pins + 1):
        text += [f"drop rim{i}", "> tab 0", "> standard 0", "> length 30", "> pitch 1.5", "> ok"]
    sampled = range(pins // SAMPLED_PINS, pins + 1, pins // SAMPLED_PINS)
    for i in sampled:
        text += [f"dblclick pin{i}", "> length 40", "> ok"]
    text += [f"project pin{i}" for i in sampled]
    return "\n".join(text) + "\n", len(sampled)


def runner_costs(build, work, pins, settings=(), name=""):
    """Instructions per pin of each runner step in a run with `pins` pins."""
    scenario, sampled = pin_scenario(pins, settings)
    path = work / f"pins{pins}{name}.scn"
    path.write_text(scenario)
    out_file = work / f"pins{pins}{name}.callgrind"
    toggles = [f"zelva::pinhost::ScenarioRunner::{member}(*" for member in RUNNER_STEPS.values()]
    callgrind(work, out_file, [str(build / "pinhost"), "run", str(path), "--out", str(work / f"pins{pins}{name}")],
              toggles)
    report = subprocess.run(["callgrind_annotate", "--inclusive=yes", "--threshold=100", str(out_file)], check=True,
                            capture_output=True, text=True).stdout
    costs = {}
    for step, member in RUNNER_STEPS.items():
        found = re.search(rf"^\s*([\d,]+) .*ScenarioRunner::{member}\(", report, re.M)
        steps = pins if member == "drop" else sampled
        costs[step] = int(found.group(1).replace(",", "")) / steps
    return costs


def peak_memory_mb(build, work, pins):
    path = work / f"pins{pins}.scn"
    path.write_text(pin_scenario(pins)[0])
    subprocess.run([str(build / "pinhost"), "run", str(path), "--out", str(work / "memory")], check=True,
                   stdout=subprocess.DEVNULL)
    return resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024


def dll_start_ratio(windows_build):
    """First creation of the component's class over that of the minimal server's, in fresh processes.

    A process of one and a process of the other make a pair, which meets the
    machine in the same mood; the figure is the median of the pairs' ratios.
    """
    env = com_speed.prefix_env(windows_build)
    bin_dir = windows_build / "bin"

    def wine(*args):
        return subprocess.run([env["WINE"], *args], cwd=bin_dir, env=env, check=True, capture_output=True,
                              text=True).stdout

    for dll in ("3itlu31.dll", "Zelvacorin.dll", "MinimalStart.dll"):
        wine("regsvr32", "/s", dll)
    times = {COMPONENT_PROGID: [], MINIMAL_PROGID: []}
    for pair in range(STARTS + 1):  # the first pair only warms Wine up
        for progid, taken in times.items():
            microseconds = int(wine("first_creation.exe", progid))
            if pair:
                taken.append(microseconds)
    subprocess.run(["wineserver", "-w"], env=env, check=True)
    medians = {progid: statistics.median(taken) / 1000 for progid, taken in times.items()}
    print(f"  first creation: {medians[COMPONENT_PROGID]:.1f} ms {COMPONENT_PROGID}, "
          f"{medians[MINIMAL_PROGID]:.1f} ms minimal server (medians of {STARTS} pairs)")
    return statistics.median(component / minimal for component, minimal in zip(*times.values()))


def main():
    build, work = pathlib.Path(sys.argv[1]).resolve(), pathlib.Path(sys.argv[2]).resolve()
    windows_builds = [pathlib.Path(arg).resolve() for arg in sys.argv[3:]]
    work.mkdir(parents=True, exist_ok=True)
    memory = peak_memory_mb(build, work, PIN_COUNTS[-1])  # first, before any larger child runs
    figures = reader_figures(build, work)
    per_pin = {pins: runner_costs(build, work, pins) for pins in PIN_COUNTS}
    for step in RUNNER_STEPS:
        print(f"  {step}: " + ", ".join(f"{per_pin[p][step]:,.0f} at {p:,}" for p in PIN_COUNTS)
              + " instructions per pin")
        figures[f"per pin at 10,000 / at 100: {step}"] = per_pin[PIN_COUNTS[-1]][step] / per_pin[PIN_COUNTS[0]][step]
    with_callouts = runner_costs(build, work, PIN_COUNTS[-1], SITE_SETTINGS, "-site")["drawing answers"]
    print(f"  drawing answers with callouts: {with_callouts:,.0f} at {PIN_COUNTS[-1]:,} instructions per pin")
    figures["drawing answers per pin at 10,000 with callouts / without"] = (
        with_callouts / per_pin[PIN_COUNTS[-1]]["drawing answers"])
    goals = {name: GOALS[name] for name in figures}
    for windows_build in windows_builds:
        arch = WINDOWS_ARCHS[com_speed.wine_arch(windows_build)]
        print(f"  the {arch} Windows build:")
        windows_figures = {
            "first creation under Wine: Zelvacorin.PShape / minimal server": dll_start_ratio(windows_build),
            "drawing answers per pin: through COM under Wine / natively": com_speed.drawing_answers_ratio(
                build, windows_build, work),
            "dialog opening under Wine, warm: from OnDragDrop / a bare dialog": com_speed.dialog_opening_ratio(
                windows_build, work),
        }
        for name, value in windows_figures.items():
            figures[f"{name} ({arch})"] = value
            goals[f"{name} ({arch})"] = GOALS[name]
    missed = 0
    for name, value in figures.items():
        if goals[name] is None:
            print(f"{name}: {value:.2f}x (no goal)")
            continue
        met = value <= goals[name]
        missed += not met
        print(f"{name}: {value:.2f}x (goal <= {goals[name]}x) {'met' if met else 'MISSED'}")
    met = memory < MEMORY_GOAL_MB
    missed += not met
    print(f"peak resident memory at {PIN_COUNTS[-1]:,} pins: {memory:.0f} MB (goal < {MEMORY_GOAL_MB} MB) "
          f"{'met' if met else 'MISSED'}")
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
