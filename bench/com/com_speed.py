"""Speed through COM: the same work timed natively against the core and under
Wine against the registered Zelvacorin.dll, each the median of several passes.
Called by run_bench.py with the Release build and the Windows build.
"""

import os
import pathlib
import re
import shutil
import statistics
import subprocess
import threading

PINS = 1000
PASSES = 25  # a pass over 1,000 pins takes milliseconds: many cost nothing beside the drops
# Rounds of passes under Wine alternate with native processes, each round's
# figure the ratio of the two medians: the machine's speed drifts by a fifth
# and more within minutes, and a native process's median moves by half from
# one process to the next (where its blocks land).
ROUNDS = 9
OPENINGS = 10  # in each program: the first loads the DLL; the others are warm
# Programs of each kind run in turn, the bare dialog's and the component's, so
# that both meet the machine in the same moods; the warm figure of each is the
# median of its warm openings over all its programs.
OPENING_ROUNDS = 7
RUN_TIMEOUT = 600  # seconds for one program of the Windows build
ROOT = pathlib.Path(__file__).resolve().parents[2]


def timings(out, pattern, count, program):
    found = [float(m) for m in re.findall(pattern, out, re.M)]
    if len(found) != count:
        raise RuntimeError(f"{program} printed {len(found)} of {count} timings:\n{out}")
    return found


def median_of_passes(out, program):
    return statistics.median(timings(out, r"^pass \d+: ([\d.]+) microseconds per pin$", PASSES, program))


def install_copy(tree, work, name):
    copy = work / name
    shutil.rmtree(copy, ignore_errors=True)
    shutil.copytree(tree, copy)
    return copy


def cached(windows_build, name):
    """A value of the Windows build's CMake cache: its Wine prefix's architecture, its Wine loader."""
    cache = (windows_build / "CMakeCache.txt").read_text()
    return re.search(rf"^{name}:STRING=(.+)$", cache, re.M).group(1)


def wine_arch(windows_build):
    return cached(windows_build, "ZELVA_WINEARCH")


def prefix_env(windows_build):
    """The environment of the build's Wine prefix (WINE names its loader), the prefix made first when missing."""
    env = dict(os.environ, WINEPREFIX=str(windows_build / "wineprefix"), WINEARCH=wine_arch(windows_build),
               WINE=cached(windows_build, "ZELVA_WINE_LOADER"), WINEDEBUG="-all")
    subprocess.run([str(ROOT / "scripts" / "windows" / "prefix.sh"), str(windows_build)], env=env, check=True)
    return env


def registered_prefix(windows_build):
    """The build's Wine prefix with the host library and the component registered; its environment."""
    env = prefix_env(windows_build)
    for dll in ("3itlu31.dll", "Zelvacorin.dll"):
        subprocess.run([env["WINE"], "regsvr32", "/s", dll], cwd=windows_build / "bin", env=env, check=True)
    # The Wine server of the registration, and the desktop it started without
    # a screen, must end first: a program that joined them could show no window.
    subprocess.run(["wineserver", "-w"], env=env, check=True)
    return env


def on_screen(windows_build, env, *args):
    """The output of a program of the Windows build, run under Wine on a private X screen.
    A program that has not ended after RUN_TIMEOUT seconds (a window nobody closes) is
    ended with the prefix's Wine server, and the figure fails with what it printed."""
    command = ["xvfb-run", "-a", "-s", "-screen 0 800x600x24", env["WINE"], *args]
    try:
        out = subprocess.run(command, cwd=windows_build / "bin", env=env, check=True, capture_output=True,
                             text=True, timeout=RUN_TIMEOUT)
    except subprocess.TimeoutExpired as stopped:
        subprocess.run(["wineserver", "-k"], env=env, check=False)
        raise RuntimeError(f"{args[0]} did not end within {RUN_TIMEOUT} s; it printed:\n{stopped.stdout}") from None
    subprocess.run(["wineserver", "-w"], env=env, check=True)
    return out.stdout


def drawing_answers_ratio(native_build, windows_build, work):
    """A drawing view's answers per pin through pinhost.exe's vtable calls under Wine ÷ the core's, natively:
    the median of ROUNDS rounds, each a round of passes of the Windows program (its pins dropped once)
    and right after it a native process of its own."""
    env = registered_prefix(windows_build)
    command = ["xvfb-run", "-a", "-s", "-screen 0 800x600x24", env["WINE"], "drawing_answers.exe",
               str(install_copy(windows_build / "bin" / "install", work, "drawing-answers-windows")),
               str(PINS), str(PASSES)]
    native_command = [str(native_build / "bench" / "com" / "drawing_answers"), "", str(PINS), str(PASSES)]
    pass_line = re.compile(r"^pass \d+: ([\d.]+) microseconds per pin$")
    through_com, native = [], []
    with subprocess.Popen(command, cwd=windows_build / "bin", env=env, stdin=subprocess.PIPE,
                          stdout=subprocess.PIPE, text=True) as windows:
        # A program that has not ended after RUN_TIMEOUT seconds (a window nobody closes) is ended.
        watchdog = threading.Timer(RUN_TIMEOUT, lambda: subprocess.run(["wineserver", "-k"], env=env))
        watchdog.start()
        if windows.stdout.readline().strip() != "dropped":
            raise RuntimeError(f"drawing_answers.exe did not drop its pins within {RUN_TIMEOUT} s")
        for _ in range(ROUNDS):
            windows.stdin.write("\n")
            windows.stdin.flush()
            passes = [float(pass_line.match(windows.stdout.readline()).group(1)) for _ in range(PASSES)]
            through_com.append(statistics.median(passes))
            native_command[1] = str(install_copy(native_build / "install", work, "drawing-answers-native"))
            out = subprocess.run(native_command, cwd=work, input="\n", check=True, capture_output=True,
                                 text=True).stdout
            native.append(median_of_passes(out, native_command[0]))
        windows.stdin.close()
        watchdog.cancel()
    subprocess.run(["wineserver", "-w"], env=env, check=True)
    ratio = statistics.median(w / n for w, n in zip(through_com, native))
    print(f"  drawing answers of {PINS:,} pins: {statistics.median(through_com):.1f} us per pin through COM "
          f"under Wine, {statistics.median(native):.1f} us natively (medians of {ROUNDS} rounds of "
          f"{PASSES} passes, each round's ratio {min(w / n for w, n in zip(through_com, native)):.2f}x "
          f"to {max(w / n for w, n in zip(through_com, native)):.2f}x)")
    return ratio


def dialog_opening_ratio(windows_build, work):
    """The dialog's warm opening from OnDragDrop through COM under Wine ÷ a bare dialog of its template's."""
    env = registered_prefix(windows_build)

    def openings(*args):
        out = on_screen(windows_build, env, "dialog_opening.exe", *args, str(OPENINGS))
        return timings(out, r"^run \d+: ([\d.]+) microseconds$", OPENINGS, "dialog_opening.exe")

    install = install_copy(windows_build / "bin" / "install", work, "dialog-opening")
    bare, component = [], []
    for _ in range(OPENING_ROUNDS):
        bare.append(openings("bare"))
        component.append(openings("component", str(install)))
    first = statistics.median(run[0] for run in component) / 1000
    bare_first = statistics.median(run[0] for run in bare) / 1000
    warm = statistics.median(t for run in component for t in run[1:]) / 1000
    bare_warm = statistics.median(t for run in bare for t in run[1:]) / 1000
    warm_count = OPENING_ROUNDS * (OPENINGS - 1)
    print(f"  dialog opening through COM under Wine: {first:.0f} ms first, {warm:.0f} ms warm; "
          f"a bare dialog of its template: {bare_first:.0f} ms first, {bare_warm:.0f} ms warm "
          f"(medians of {OPENING_ROUNDS} first and {warm_count} warm openings, the programs in turn)")
    return warm / bare_warm
