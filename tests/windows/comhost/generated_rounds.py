"""Scenarios the host comparison writes itself, beside the recorded ones:

  - drops on rims whose normals point in every direction: the 26 of a cube's
    faces, edges and corners (not of unit length), 3-4-5 normals with every
    sign and order, and a spiral of points over the whole sphere written to the
    last digit;
  - the preferences file where it cannot be read or written: its folder
    missing, a folder in its place, and a file that holds no preferences.

Each maps a scenario's name to its text.
"""

import itertools
import math

SPIRAL_POINTS = 24

ROUND = """drop rim{n}
> length 12
> ok
"""


def cube_directions():
    return [d for d in itertools.product((-1, 0, 1), repeat=3) if d != (0, 0, 0)]


def three_four_five_directions():
    found = set()
    for a, b in ((0.6, 0.8), (0.8, 0.6)):
        for sa, sb in itertools.product((1, -1), repeat=2):
            for order in itertools.permutations((sa * a, sb * b, 0.0)):
                found.add(order)
    return sorted(found)


def spiral_directions():
    """Points spread evenly over the sphere, along a golden-angle spiral."""
    golden = math.pi * (3 - math.sqrt(5))
    points = []
    for i in range(SPIRAL_POINTS):
        z = 1 - 2 * (i + 0.5) / SPIRAL_POINTS
        r = math.sqrt(1 - z * z)
        points.append((r * math.cos(golden * i), r * math.sin(golden * i), z))
    return points


def every_direction():
    lines = ["# Drops on rims whose normals point in every direction.", "part plate"]
    directions = cube_directions() + three_four_five_directions() + spiral_directions()
    for n, (x, y, z) in enumerate(directions):
        lines.append(f"edge rim{n} circle plate {n} 0 0 {x!r} {y!r} {z!r} 4")
    text = "\n".join(lines) + "\n"
    return text + "".join(ROUND.format(n=n) for n in range(len(directions))) + "project pin1\n"


PREFERENCES_ROUND = """# The preferences file {why}: the pin is built all the same.
registry "SOFTWARE\\Ombrivale\\Tessalo\\Zelvacorin" "File Prefs" "{path}"
part plate
edge hole circle plate 0 0 0 0 0 1 5
drop hole
> length 16
> ok
drop hole
> cancel
"""

PREFERENCES_FAILURES = {
    "preferences_folder_missing": ("in a folder that does not exist", "\\no such folder\\Zelvacorin.prf"),
    "preferences_is_a_folder": ("is a folder", "\\Norme"),
    "preferences_hold_no_preferences": ("is a picture", "\\Images\\3iaoftt.jpg"),
}


def scenarios():
    generated = {"normals_of_every_direction": every_direction()}
    for name, (why, path) in PREFERENCES_FAILURES.items():
        generated[name] = PREFERENCES_ROUND.format(why=why, path=path)
    return generated
