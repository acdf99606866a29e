#!/usr/bin/python3
"""Every picture the documents show, each taken from the real Zelvacorin.dll
under Wine: a scenario replayed by pinhost.exe, whose scripted user pictures
each form and message box as it shows it (the last one of each kind stays).

  pictures.py list                                the pictures' file names
  pictures.py take BIN_DIR WINEPREFIX OUT_DIR     takes them all into OUT_DIR

The complete text sets are pictured with the settings the package writes for
their language: the tab captions translated, MatchSize and CalloutFormat at
their defaults. Run by scripts/windows/screenshots.sh.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
from collections import namedtuple

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "tools", "package"))
import make_wxs  # noqa: E402  the package's settings: its defaults and tab captions

UI_SCRIPTS = os.path.join(ROOT, "tests", "windows", "ui")
CONTROL_IDS = os.path.join(ROOT, "windows", "server", "win32", "ControlIds.h")
SHIPPED_SETTINGS = os.path.join(ROOT, "install", "Tessalo.reg")

# What a picture shows: a form or message box the scripted user pictured, or a
# file of the run's output folder.
SHOWN_FORM = {"dialog": "pinhost-Dialog.png", "notice": "pinhost-DlgInfo.png",
              "message": "pinhost-MessageBox.png"}

Picture = namedtuple("Picture", "name shows scenario dpi", defaults=(96,))

PLATE = ["part plate",
         "edge hole circle plate 0 0 0 0 0 1 5",  # a Ø10 rim
         "face top plate 30 0 0 0 0 1"]
DEMO = os.path.join(ROOT, "examples", "demo.scn")

# The dialog's controls a reader is shown, numbered in this order on the labelled picture.
MARK_RADIUS = 8  # pixels
LABELLED = ["StandardGroups", "Standards", "Description", "Diameter", "ManualSwitch",
            "Lengths", "Pitches", "Chamfer", "Ok", "Cancel"]


def registry(key, name, value):
    return f'registry "{key}" "{name}" "{value}"'


def package_settings(language):
    """The registry lines the package writes for LANGUAGE, as a scenario sets them."""
    lines = [registry(make_wxs.FAMILY_KEY, "Language", language)]
    for _, _, name, value in make_wxs.reg_entries(SHIPPED_SETTINGS):
        if name.startswith(make_wxs.GROUP_CAPTION_SETTING):
            caption = make_wxs.GROUP_CAPTIONS.get(value, {}).get(make_wxs.LANGUAGE_VALUES[language], value)
            lines.append(registry(make_wxs.PRODUCT_KEY, name, caption))
    lines += [registry(make_wxs.PRODUCT_KEY, name, default) for name, _, default in make_wxs.PACKAGE_SETTINGS]
    return lines


def demo_lines():
    with open(DEMO, encoding="utf-8") as f:
        return f.read().splitlines()


def pictures():
    sets = [("en", "english"), ("de", "german"), ("it", "italian")]
    drop = PLATE + ["drop hole", "> cancel"]
    double_click = PLATE + ["drop hole", "> pitch 1.25", "> ok", "dblclick pin1", "> cancel"]
    taken = []
    for tag, language in sets:
        settings = package_settings(tag)
        taken += [Picture(f"dialog-drop-{language}.png", "dialog", settings + drop),
                  Picture(f"dialog-edit-{language}.png", "dialog", settings + double_click),
                  Picture(f"notice-{language}.png", "notice", settings + PLATE + ["drop top", "> ok"]),
                  Picture(f"units-{language}.png", "message", settings + ["units 1"] + PLATE + ["drop hole"])]
    english = package_settings("en")
    taken += [Picture("refusal-english.png", "message",
                      english + PLATE + ["drop hole", "> length abc", "> ok", "> cancel"]),
              Picture("dialog-144dpi-english.png", "dialog", english + drop, 144),
              Picture("dialog-old-texts.png", "dialog", package_settings("English") + drop),
              Picture("demo-model.svg", "model.svg", demo_lines()),
              Picture("demo-drawing-callout.svg", "drawing.svg", english + demo_lines())]
    return taken


LABELLED_PICTURE = ("dialog-labelled-english.png", "dialog-drop-english.png")


def names():
    return [p.name for p in pictures()] + [LABELLED_PICTURE[0]]


def control_ids():
    """The thread dialog's control names and identifiers, from its header."""
    with open(CONTROL_IDS, encoding="utf-8") as f:
        body = re.search(r"enum ThreadDialog : WORD \{(.*?)\};", f.read(), re.S).group(1)
    ids, next_id = {}, 0
    for name, value in re.findall(r"^\s*(\w+)(?:\s*=\s*(\w+))?,", body, re.M):
        next_id = (1 if value == "IDOK" else int(value)) if value else next_id
        ids[name] = next_id
        next_id += 1
    return ids


def label(picture, controls, out):
    """The picture with each of LABELLED's controls numbered just left of it."""
    places = {}
    with open(controls) as f:
        for line in f:
            cid, left, top, width, height = map(int, line.split())
            places[cid] = (max(MARK_RADIUS + 1, left - MARK_RADIUS - 2), top + height // 2)
    ids = control_ids()
    draw = []
    for number, name in enumerate(LABELLED, 1):
        x, y = places[ids[name]]
        draw += ["-fill", "#c00000", "-draw", f"circle {x},{y} {x + MARK_RADIUS},{y}",
                 "-fill", "white", "-annotate", f"+{x - (3 if number < 10 else 6)}+{y + 4}", str(number)]
    subprocess.run(["convert", picture, "-font", "DejaVu-Sans-Bold", "-pointsize", "10"] + draw
                   + ["-strip", "-colors", "64", f"PNG8:{out}"], check=True)


def take(bin_dir, prefix, out_dir):
    work = tempfile.mkdtemp(prefix="zelva-pictures-")
    shots = os.path.join(work, "shots")
    os.makedirs(shots)
    env = dict(os.environ, ZELVA_SCREENSHOT_DIR=shots,
               ZELVA_SCREENSHOT_SCRIPT=os.path.join(UI_SCRIPTS, "screenshot.sh"))
    for name in os.listdir(out_dir):
        if name.endswith((".png", ".svg")):
            os.remove(os.path.join(out_dir, name))
    try:
        for p in pictures():
            scenario = os.path.join(work, p.name + ".scn")
            with open(scenario, "w", encoding="utf-8") as f:
                f.write("\n".join(p.scenario) + "\n")
            for old in os.listdir(shots):
                os.remove(os.path.join(shots, old))
            run = os.path.join(work, p.name + ".out")
            screen = ([os.path.join(UI_SCRIPTS, "at_dpi.sh"), prefix, str(p.dpi)] if p.dpi != 96
                      else [os.path.join(UI_SCRIPTS, "run_in_xvfb.sh"), prefix])
            subprocess.run(screen + [os.path.join(bin_dir, "pinhost.exe"), "run", scenario, "--out", run],
                           cwd=bin_dir, env=env, check=True, stdout=subprocess.DEVNULL)
            made = os.path.join(shots, SHOWN_FORM[p.shows]) if p.shows in SHOWN_FORM else os.path.join(run, p.shows)
            shutil.copyfile(made, os.path.join(out_dir, p.name))
            if p.name == LABELLED_PICTURE[1]:
                label(made, made.replace(".png", ".controls"), os.path.join(out_dir, LABELLED_PICTURE[0]))
            print(f"pictures.py: {p.name}")
    finally:
        shutil.rmtree(work, ignore_errors=True)


def main():
    if sys.argv[1:2] == ["list"]:
        print("\n".join(names()))
    elif sys.argv[1:2] == ["take"] and len(sys.argv) == 5:
        take(*map(os.path.abspath, sys.argv[2:5]))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
