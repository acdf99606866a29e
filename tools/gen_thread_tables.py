#!/usr/bin/env python3
"""Write the shipped thread table files of the install tree.

Reads the reference CSVs (tools/thread_data, whose README.md and comment lines
name their sources) and writes, below install/ of this repository:

  Tessalo/Norme/ISO/Norme.ini   + Data/M10.tab, Data/M10x1.25.tab, ...
  Tessalo/Norme/UN/Norme.ini    + Data/1_2_13_UNC.tab, ...
  Tessalo/Norme/PIPE/Norme.ini  + Data/G_1_2.tab, Data/Tr_16x4.tab, ...

Each standard is one nominal size of a series, named as people write it (M10,
M10×1.25, 1/2-13 UNC, G 1/2, Tr 16×4).  File formats are those the component
reads: Windows-1252 text, CR LF line ends.  Table files this generator no
longer writes are removed.  The settings that name the groups' tabs and
folders (Tessalo.reg, pinhost.reg, host-settings.ini) are written by
tools/gen_settings.py; the texture picture install/Tessalo/Images/3iaoftt.jpg
by tools/texture/make_thread_texture.

Usage:
  tools/gen_thread_tables.py [--data DIR] [--out DIR] [--check]

--check writes nothing and exits 1 if any shipped file differs from what the
CSVs give.  The shipped files are regenerated, never edited by hand.
"""

import argparse
import csv
import io
import os
import re
import sys
from decimal import Decimal, ROUND_HALF_UP

from generated_files import CRLF, HERE, INSTALL_TREE, update_files

DATA = os.path.join(HERE, "thread_data")  # the reference tables, with their sources

# The groups of standards, one tab each, in tab order: (folder below Tessalo/Norme, caption).
GROUPS = [("ISO", "ISO metric"), ("UN", "Unified inch"), ("PIPE", "Pipe & Tr")]


# --------------------------------------------------------------------------- CSV input

class RefCsv:
    """One reference CSV's rows; its '# source:'/'# note:' lines stay with it."""

    def __init__(self, data_dir, name):
        self.name = name
        path = os.path.join(data_dir, name)
        with open(path, encoding="ascii", newline="") as f:
            text = f.read()
        body = []
        for line in text.splitlines():
            # Comment lines begin with '#' in column 0.  Rows of unified_unc_unf.csv
            # begin with a double quote ("#0", ...), so they are not caught here.
            if line.strip() and not line.startswith("#"):
                body.append(line)
        self.rows = list(csv.DictReader(io.StringIO("\n".join(body))))
        if not self.rows:
            sys.exit(f"{path}: no data rows")

    def column(self, name):
        if name not in self.rows[0]:
            sys.exit(f"{self.name}: no column {name!r}")
        return [r[name].strip() for r in self.rows]


def dec(text, where):
    try:
        d = Decimal(text)
    except Exception:
        sys.exit(f"{where}: {text!r} is not a number")
    if d <= 0:
        sys.exit(f"{where}: {text!r} is not positive")
    return d


def plain(d):
    """Shortest plain decimal text: 1.5, 0.75, 20, 0.635 (no exponent, no trailing zeros)."""
    s = format(d.normalize(), "f")
    if "." in s:
        s = s.rstrip("0").rstrip(".")
    return s


def distinct_sorted(values):
    seen = {}
    for v in values:
        seen.setdefault(v.normalize(), v)
    return sorted(seen.values())


def split_multi(cell):
    return [c.strip() for c in cell.split(";") if c.strip()]


def round4(x):
    return x.quantize(Decimal("0.0001"), rounding=ROUND_HALF_UP)


def check_inch_pitch(tpi_text, pitch_text, where):
    """The CSV's 4-dp pitch must be 25.4/TPI rounded half-up to 4 dp."""
    tpi = dec(tpi_text, where)
    pitch = dec(pitch_text, where)
    want = round4(Decimal("25.4") / tpi)
    if want != pitch:
        sys.exit(f"{where}: pitch {pitch_text} is not 25.4/{tpi_text} = {want}")
    return pitch


# --------------------------------------------------------------------------- the tables

TIMES = "\u00d7"  # the multiplication sign of M10×1.25 and Tr 16×4 (0xD7 in Windows-1252)
# Between a description's parts: plain ASCII, which the component copies as it
# stands where a line with any other byte must be converted.
DESCRIPTION_SEPARATOR = "; "
DIAMETER = "\u00d8"  # Ø, before a major diameter in mm (0xD8 in Windows-1252)
LONGEST_LENGTH_PER_DIAMETER = Decimal(10)  # a pin's preferred lengths reach 10 diameters
SHORTEST_LENGTH_CAP = Decimal(100)         # and start at one diameter, but at 100 mm at most


def lengths_for(diameter, series):
    """The preferred nominal lengths from one diameter (at most 100 mm) to ten diameters."""
    low = min(diameter, SHORTEST_LENGTH_CAP)
    high = diameter * LONGEST_LENGTH_PER_DIAMETER
    return [v for v in series if low <= v <= high]


def pitch_list(first, others):
    """The named pitch first, then the size's other pitches, largest first."""
    rest = sorted({p.normalize() for p in others} - {first.normalize()}, reverse=True)
    return [first] + rest


def joined(values):
    return ", ".join(plain(v) for v in values)


def described(*parts):
    """A standard's description in what needs no translation (names, numbers and
    standards), so that it reads the same in every language of the dialog."""
    return DESCRIPTION_SEPARATOR.join(parts)


def pitch_text(pitch, others=()):
    """ "P 1.5", with the other pitches its data file lists: "P 1.5 (1.25, 1, 0.75)"."""
    return f"P {plain(pitch)}" + (f" ({joined(others)})" if others else "")


def safe_name(text):
    """A data file name from a size: letters, digits, points and x; the rest becomes _."""
    return re.sub(r"[^A-Za-z0-9.]+", "_", text.replace(TIMES, "x")).strip("_") + ".tab"


def standard(name, diameter, pitches, descr, about, lengths):
    return {"file": safe_name(name), "name": name, "descr": descr, "pitches": pitches, "diameter": diameter,
            "about": about, "lengths": lengths_for(diameter, lengths)}


def metric_tables(coarse, fine, lengths, tolerance):
    """Every size of the coarse series, then every ISO 262 fine size-pitch pair."""
    fine_by_size = {}
    for r in fine.rows:
        where = f"iso_metric_fine.csv {r['designation']}"
        full = [dec(p, where) for p in split_multi(r["iso261_fine_all_mm"])]
        sel = [dec(p, where) for p in split_multi(r["iso262_fine_mm"])]
        if not {p.normalize() for p in sel} <= {p.normalize() for p in full}:
            sys.exit(f"{where}: ISO 262 pitch not in ISO 261 list")
        fine_by_size[r["designation"].strip()] = (full, sel)
    tables = []
    for r in coarse.rows:
        size = r["designation"].strip()
        where = f"iso_metric_coarse.csv {size}"
        d, p = dec(r["nominal_d_mm"], where), dec(r["coarse_pitch_mm"], where)
        fines = fine_by_size.get(size, ([], []))[0]
        tables.append(standard(size, d, pitch_list(p, fines),
                               described(size, pitch_text(p, sorted(fines, reverse=True)), "ISO 261", tolerance),
                               f"ISO metric coarse thread {size} (ISO 261), pitch {plain(p)} mm.", lengths))
    for r in fine.rows:
        size = r["designation"].strip()
        where = f"iso_metric_fine.csv {size}"
        d, full, sel = dec(r["nominal_d_mm"], where), *fine_by_size[size]
        coarse_pitch = [dec(r["coarse_pitch_mm"], where)] if r["coarse_pitch_mm"].strip() else []
        for p in sel:
            name = f"{size}{TIMES}{plain(p)}"
            others = sorted((q for q in full + coarse_pitch if q != p), reverse=True)
            tables.append(standard(name, d, pitch_list(p, full + coarse_pitch),
                                   described(name, pitch_text(p, others), "ISO 262", tolerance),
                                   f"ISO metric fine thread {name} (ISO 262 selection), pitch {plain(p)} mm.",
                                   lengths))
    return tables


def unified_tables(un, lengths, tolerance):
    """One standard per size and series, named as "1/2-13 UNC"; UNC first, then UNF."""
    unified = {"UNC": [], "UNF": []}
    for r in un.rows:
        size = r["size"].strip()
        d = dec(r["major_mm"], f"unified_unc_unf.csv {size}")
        pitches = {}
        for series in unified:
            tpi = r[f"{series.lower()}_tpi"].strip()
            if tpi:
                pitches[series] = (tpi, check_inch_pitch(tpi, r[f"{series.lower()}_pitch_mm"],
                                                         f"unified_unc_unf.csv {size} {series}"))
        for series, (tpi, p) in pitches.items():
            others = [q for s, (_, q) in pitches.items() if s != series]
            other_text = "".join(f" ({s} 25.4/{t})" for s, (t, _) in pitches.items() if s != series)
            name = f"{size}-{tpi} {series}"
            unified[series].append(standard(
                name, d, pitch_list(p, others),
                described(name, f"{DIAMETER}{plain(d)}", f"P {plain(p)} = 25.4/{tpi}{other_text}", "ASME B1.1",
                          tolerance),
                f"Unified thread {name} (ASME B1.1), {tpi} TPI = {plain(p)} mm.", lengths))
    return unified["UNC"] + unified["UNF"]


def pipe_tables(g, lengths):
    """One standard per size, named as "G 1/2"."""
    tables = []
    for r in g.rows:
        size = r["size"].strip()
        where = f"pipe_iso228_g.csv {size}"
        p = check_inch_pitch(r["tpi"], r["pitch_mm_calc"], where)
        if abs(dec(r["pitch_mm_std"], where) - p) >= Decimal("0.001"):
            sys.exit(f"{where}: pitch_mm_std and pitch_mm_calc disagree")
        d = dec(r["major_d_mm"], where)
        name = f"G {size[1:]}"
        tables.append(standard(name, d, [p],
                               described(name, f"{DIAMETER}{plain(d)}", f"P {plain(p)} = 25.4/{r['tpi'].strip()}",
                                         "ISO 228-1"),
                               f"Parallel pipe thread {name} (ISO 228-1), pitch {plain(p)} mm.", lengths))
    return tables


def trapezoidal_tables(tr, lengths):
    """One standard per size at its normal pitch, named as "Tr 16×4"."""
    tables = []
    for r in tr.rows:
        size = r["designation"].strip()
        where = f"trapezoidal_iso2904.csv {size}"
        d, p = dec(r["nominal_d_mm"], where), dec(r["preferred_pitch_mm"], where)
        others = [dec(r[col], where) for col in ("coarse_pitch_mm", "fine_pitch_mm") if r[col].strip()]
        name = f"Tr {plain(d)}{TIMES}{plain(p)}"
        tables.append(standard(name, d, pitch_list(p, others),
                               described(name, pitch_text(p, sorted(others, reverse=True)), "ISO 2904"),
                               f"Metric trapezoidal thread {name} (ISO 2904), normal pitch {plain(p)} mm.",
                               lengths))
    return tables


def preferred_lengths(lens):
    """The preferred lengths; secondary (parenthesised in ISO 1207) and uncertain
    (single source) lengths are left out."""
    statuses = {"preferred", "secondary", "uncertain"}
    for r in lens.rows:
        if r["status"].strip() not in statuses:
            sys.exit(f"nominal_lengths_mm.csv: unknown status {r['status']!r}")
    return distinct_sorted(dec(r["length_mm"], "nominal_lengths_mm.csv")
                           for r in lens.rows if r["status"].strip() == "preferred")


def load(data_dir):
    c = {n: RefCsv(data_dir, n) for n in (
        "iso_metric_coarse.csv", "iso_metric_fine.csv", "unified_unc_unf.csv",
        "pipe_iso228_g.csv", "trapezoidal_iso2904.csv", "nominal_lengths_mm.csv",
        "thread_tolerance_defaults.csv")}
    lengths = preferred_lengths(c["nominal_lengths_mm.csv"])
    tol = {r["thread_system"].strip(): r for r in c["thread_tolerance_defaults.csv"].rows}
    m_cls = next(r for k, r in tol.items() if k.startswith("ISO metric"))["default_class"].strip()
    u_cls = next(r for k, r in tol.items() if k.startswith("Unified"))["default_class"].strip()

    contents = {
        "ISO": {"about": f"ISO metric threads, the ISO 261 coarse series and the ISO 262 fine selection; "
                         f"tolerance class {m_cls} (ISO 965-1).",
                "tables": metric_tables(c["iso_metric_coarse.csv"], c["iso_metric_fine.csv"], lengths, m_cls)},
        "UN": {"about": f"Unified inch threads UNC and UNF (ASME B1.1); tolerance class {u_cls}.",
               "tables": unified_tables(c["unified_unc_unf.csv"], lengths, u_cls)},
        "PIPE": {"about": "parallel pipe threads G (ISO 228-1) and metric trapezoidal threads Tr (ISO 2904).",
                 "tables": pipe_tables(c["pipe_iso228_g.csv"], lengths)
                           + trapezoidal_tables(c["trapezoidal_iso2904.csv"], lengths)},
    }
    groups = [{"dir": folder, "caption": caption, **contents[folder]} for folder, caption in GROUPS]
    for grp in groups:
        for t in grp["tables"]:
            if not t["lengths"]:
                sys.exit(f"{t['name']}: no preferred length fits its diameter")
            for field in (t["file"], t["name"], t["descr"]):
                if '"' in field:
                    sys.exit(f"field {field!r} must not hold a double quote")
    return groups


# --------------------------------------------------------------------------- writers

def comment_block(lines):
    return ["# " + l if l else "#" for l in lines]


# What every shipped table file says of itself after what it holds.
SHIPPED_NOTE = [
    "Shipped with Zelvacorin: an upgrade replaces this file unless you changed it, and a",
    "changed file no longer receives later versions' changes.  Keep your own sizes in a",
    "group of your own (ReadMe.txt, \"Adding a site's own sizes\"), then run zelva-tables check.",
]


def data_file_text(t):
    lines = comment_block(
        [f"Zelvacorin thread table {t['name']}: {t['about']}",
         "[Lunghezze] lists the thread lengths offered, [Passi] the pitches, both in mm: one",
         "plain number a line, a point as decimal separator, a blank line after each section.",
         "The pitch the name states comes first; the lengths are the preferred nominal lengths",
         f"from one diameter (at most {plain(SHORTEST_LENGTH_CAP)} mm) to "
         f"{plain(LONGEST_LENGTH_PER_DIAMETER)} diameters."]
        + SHIPPED_NOTE)
    lines.append("")
    lines.append("[Lunghezze]")
    lines += [plain(v) for v in t["lengths"]]
    lines.append("")
    lines.append("[Passi]")
    lines += [plain(v) for v in t["pitches"]]
    lines.append("")  # blank line that closes the last section
    return CRLF.join(lines) + CRLF


def index_file_text(grp):
    # Six comment lines: the entries' line numbers are the standards list's item
    # data, which recorded dialog transcripts hold.
    lines = comment_block(
        [f"Zelvacorin standards of the tab \"{grp['caption']}\": {grp['about']}",
         "Section [1] lists one standard a line as four quoted fields: its data file in Data\, the",
         "name shown in the list of standards, the description shown below it and the nominal",
         "diameter in mm that the dialog matches against the edge's size; the section ends at the",
         "next line that begins with a left bracket, here [END].  Shipped with Zelvacorin: an upgrade",
         "replaces this file unless you changed it; keep your own sizes in a group of your own."])
    lines.append("[1]")
    for t in grp["tables"]:
        lines.append(f"\"{t['file']}\" \"{t['name']}\" \"{t['descr']}\" \"{plain(t['diameter'])}\"")
    lines.append("[END]")
    return CRLF.join(lines) + CRLF


def outputs(groups):
    out = {}
    for grp in groups:
        base = f"Tessalo/Norme/{grp['dir']}"
        out[f"{base}/Norme.ini"] = index_file_text(grp)
        for t in grp["tables"]:
            out[f"{base}/Data/{t['file']}"] = data_file_text(t)
    return out


def stale_tables(root, files):
    """Table files in the tree that this generator no longer writes."""
    norme = os.path.join(root, "Tessalo", "Norme")
    for folder, _, names in os.walk(norme):
        for name in names:
            rel = os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")
            if rel not in files:
                yield rel


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--data", default=DATA, help="folder of the reference CSVs")
    ap.add_argument("--out", default=INSTALL_TREE, help="install tree root")
    ap.add_argument("--check", action="store_true", help="compare only, write nothing")
    args = ap.parse_args()
    return update_files(outputs(load(args.data)), args.out, args.check, stale_tables)


if __name__ == "__main__":
    sys.exit(main())
