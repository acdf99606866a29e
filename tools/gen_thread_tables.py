#!/usr/bin/env python3
"""Write the shipped thread table files and settings of the install tree.

Reads the reference CSVs (by default /work/shared/data, see its README.md) and
writes, below install/ of this repository:

  Tessalo/Norme/ISO/Norme.ini   + Data/M_coarse.tab, Data/M_fine.tab
  Tessalo/Norme/UN/Norme.ini    + Data/UNC.tab, Data/UNF.tab
  Tessalo/Norme/PIPE/Norme.ini  + Data/G.tab, Data/Tr.tab
  Tessalo.reg, pinhost.reg, host-settings.ini

File formats are those the component reads: thread table files and registry
values): plain ASCII, CR LF line ends.  The texture picture
install/Tessalo/Images/3iaoftt.jpg is not written here; it comes from
tools/texture/make_thread_texture.

Usage:
  tools/gen_thread_tables.py [--data DIR] [--out DIR] [--check]

--check writes nothing and exits 1 if any shipped file differs from what the
CSVs give (a regeneration check for machines that have the CSVs).
"""

import argparse
import csv
import io
import os
import re
import sys
from decimal import Decimal, ROUND_HALF_UP

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(HERE)
GENERATOR = "tools/gen_thread_tables.py"
CRLF = "\r\n"


# --------------------------------------------------------------------------- CSV input

class RefCsv:
    """One reference CSV: its '# source:'/'# note:' lines and its rows."""

    def __init__(self, data_dir, name):
        self.name = name
        path = os.path.join(data_dir, name)
        with open(path, encoding="ascii", newline="") as f:
            text = f.read()
        self.comments = []
        body = []
        for line in text.splitlines():
            # Comment lines begin with '#' in column 0.  Rows of unified_unc_unf.csv
            # begin with a double quote ("#0", ...), so they are not caught here.
            if line.startswith("#"):
                self.comments.append(line.lstrip("#").strip())
            elif line.strip():
                body.append(line)
        self.rows = list(csv.DictReader(io.StringIO("\n".join(body))))
        if not self.rows:
            sys.exit(f"{path}: no data rows")

    def column(self, name):
        if name not in self.rows[0]:
            sys.exit(f"{self.name}: no column {name!r}")
        return [r[name].strip() for r in self.rows]

    def source_lines(self):
        # A vendor's data page is called a page here, whatever the source calls it.
        return [re.sub(r"\bspec\b", "page", c) for c in self.comments
                if c.startswith("source:") or c.startswith("note:")]


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

def load(data_dir):
    c = {n: RefCsv(data_dir, n) for n in (
        "iso_metric_coarse.csv", "iso_metric_fine.csv", "unified_unc_unf.csv",
        "pipe_iso228_g.csv", "trapezoidal_iso2904.csv", "nominal_lengths_mm.csv",
        "thread_tolerance_defaults.csv")}

    # Lengths: preferred and secondary; the 2 "uncertain" ones (single source) are left out.
    lens = c["nominal_lengths_mm.csv"]
    lengths, dropped = [], []
    for r in lens.rows:
        status = r["status"].strip()
        v = dec(r["length_mm"], "nominal_lengths_mm.csv")
        if status in ("preferred", "secondary"):
            lengths.append(v)
        elif status == "uncertain":
            dropped.append(plain(v))
        else:
            sys.exit(f"nominal_lengths_mm.csv: unknown status {status!r}")
    lengths = distinct_sorted(lengths)

    tol = {r["thread_system"].strip(): r for r in c["thread_tolerance_defaults.csv"].rows}
    m_tol = next(r for k, r in tol.items() if k.startswith("ISO metric"))
    u_tol = next(r for k, r in tol.items() if k.startswith("Unified"))

    coarse = c["iso_metric_coarse.csv"]
    fine = c["iso_metric_fine.csv"]
    un = c["unified_unc_unf.csv"]
    g = c["pipe_iso228_g.csv"]
    tr = c["trapezoidal_iso2904.csv"]

    m_coarse = distinct_sorted(dec(p, "iso_metric_coarse.csv coarse_pitch_mm")
                               for p in coarse.column("coarse_pitch_mm"))
    m_fine = distinct_sorted(dec(p, "iso_metric_fine.csv iso261_fine_all_mm")
                             for cell in fine.column("iso261_fine_all_mm")
                             for p in split_multi(cell))
    # The ISO 262 selection must be a subset of the ISO 261 list we ship.
    for r in fine.rows:
        full = {dec(p, "fine").normalize() for p in split_multi(r["iso261_fine_all_mm"])}
        sel = {dec(p, "fine").normalize() for p in split_multi(r["iso262_fine_mm"])}
        if not sel <= full:
            sys.exit(f"iso_metric_fine.csv {r['designation']}: ISO 262 pitch not in ISO 261 list")

    unc, unf = [], []
    for r in un.rows:
        where = f"unified_unc_unf.csv {r['size']}"
        if r["unc_tpi"].strip():
            unc.append(check_inch_pitch(r["unc_tpi"], r["unc_pitch_mm"], where + " UNC"))
        if r["unf_tpi"].strip():
            unf.append(check_inch_pitch(r["unf_tpi"], r["unf_pitch_mm"], where + " UNF"))
    unc, unf = distinct_sorted(unc), distinct_sorted(unf)

    gp = []
    for r in g.rows:
        where = f"pipe_iso228_g.csv {r['size']}"
        p = check_inch_pitch(r["tpi"], r["pitch_mm_calc"], where)
        if abs(dec(r["pitch_mm_std"], where) - p) >= Decimal("0.001"):
            sys.exit(f"{where}: pitch_mm_std and pitch_mm_calc disagree")
        gp.append(p)
    gp = distinct_sorted(gp)

    trp = distinct_sorted(dec(p, "trapezoidal_iso2904.csv")
                          for col in ("preferred_pitch_mm", "coarse_pitch_mm", "fine_pitch_mm")
                          for p in tr.column(col) if p)

    def span(col, rows):
        return f"{rows[0][col].strip()}-{rows[-1][col].strip()}"

    def src(csvobj, extra=()):
        out = [f"  {csvobj.name} header comments:"]
        out += [f"    {s}" for s in csvobj.source_lines()]
        out += [f"  {e}" for e in extra]
        return out

    len_comment = (
        [f"[Lunghezze]: nominal lengths in mm from nominal_lengths_mm.csv, status preferred and",
         f"  secondary ({len(lengths)} values); the uncertain (single-source) values "
         f"{' and '.join(dropped)} are left out.",
         "  Not ISO 888 itself (its table was not readable); the series summarises ISO 4762,",
         "  ISO 4017 and ISO 1207 product tables."]
        + src(lens))

    m_tol_txt = (f"Default tolerance class (thread_tolerance_defaults.csv, {m_tol['standard'].strip()}): "
                 f"external {m_tol['default_class'].strip()}, {m_tol['mating_class'].strip()}.")
    u_tol_txt = (f"Default tolerance class (thread_tolerance_defaults.csv, {u_tol['standard'].strip()}): "
                 f"external {u_tol['default_class'].strip()}, {u_tol['mating_class'].strip()}.")

    coarse_sizes = span("designation", coarse.rows)
    fine_sizes = span("designation", fine.rows)
    g_sizes = span("size", g.rows)
    g_tpis = " ".join(plain(t) for t in reversed(distinct_sorted(dec(x, "pipe_iso228_g.csv tpi")
                                                                 for x in g.column("tpi"))))
    tr_sizes = span("designation", tr.rows)
    m_cls = m_tol["default_class"].strip()
    u_cls = u_tol["default_class"].strip()

    def rng(vals):
        return f"{plain(vals[0])}-{plain(vals[-1])} mm"

    groups = [
        {
            "dir": "ISO", "caption": "ISO metric",
            "sources": ["iso_metric_coarse.csv", "iso_metric_fine.csv",
                        "thread_tolerance_defaults.csv", "nominal_lengths_mm.csv"],
            "tables": [
                {"file": "M_coarse.tab", "name": "ISO metric coarse",
                 "descr": f"ISO 261 coarse pitch series {coarse_sizes}, tolerance class {m_cls}",
                 "pitches": m_coarse,
                 "about": [f"ISO metric coarse thread (ISO 261), {coarse_sizes}, {len(coarse.rows)} sizes."],
                 "pitch_comment":
                     [f"[Passi]: every distinct value of column coarse_pitch_mm of iso_metric_coarse.csv,",
                      "  in mm, ascending (includes the ISO 261-only sizes M1.1 M2.2 M4.5 M9 M11)."]
                     + src(coarse)
                     + [m_tol_txt, "  (mastik.pt gives 6h for M1-M1.4; ISO 4762 class 12.9 uses 5g6g.)"]},
                {"file": "M_fine.tab", "name": "ISO metric fine",
                 "descr": f"ISO 261 fine pitch series {fine_sizes}, pitches {rng(m_fine)}, "
                          f"tolerance class {m_cls}",
                 "pitches": m_fine,
                 "about": [f"ISO metric fine thread (ISO 261 full fine list), {fine_sizes}, {len(fine.rows)} sizes."],
                 "pitch_comment":
                     ["[Passi]: every distinct value of column iso261_fine_all_mm (the full ISO 261",
                      "  fine list, not only the ISO 262 selection) of iso_metric_fine.csv, in mm, ascending.",
                      "  The single-source sizes (M15 M17 M25 M28 M32 M35 M40 M50 M55 M58 M62, FreeCAD",
                      "  only) add no pitch that the other sizes do not have."]
                     + src(fine) + [m_tol_txt]},
            ],
        },
        {
            "dir": "UN", "caption": "Unified inch",
            "sources": ["unified_unc_unf.csv", "thread_tolerance_defaults.csv",
                        "nominal_lengths_mm.csv"],
            "tables": [
                {"file": "UNC.tab", "name": "UNC",
                 "descr": f"ASME B1.1 UNC coarse series #1 to 2 in, pitch 25.4/TPI mm, tolerance class {u_cls}",
                 "pitches": unc,
                 "about": ["Unified coarse thread UNC (ASME B1.1), #1 to 2 in (no #0 in UNC)."],
                 "pitch_comment":
                     ["[Passi]: every distinct value of column unc_pitch_mm of unified_unc_unf.csv:",
                      "  25.4/TPI in mm, rounded half-up to 4 dp as the CSV gives it (trailing zeros",
                      "  dropped, e.g. 1.2700 is written 1.27), ascending."]
                     + src(un) + [u_tol_txt]},
                {"file": "UNF.tab", "name": "UNF",
                 "descr": f"ASME B1.1 UNF fine series #0 to 1-1/2 in, pitch 25.4/TPI mm, tolerance class {u_cls}",
                 "pitches": unf,
                 "about": ["Unified fine thread UNF (ASME B1.1), #0 to 1-1/2 in."],
                 "pitch_comment":
                     ["[Passi]: every distinct value of column unf_pitch_mm of unified_unc_unf.csv:",
                      "  25.4/TPI in mm, rounded half-up to 4 dp as the CSV gives it (trailing zeros",
                      "  dropped), ascending."]
                     + src(un) + [u_tol_txt]},
            ],
        },
        {
            "dir": "PIPE", "caption": "Pipe & Tr",
            "sources": ["pipe_iso228_g.csv", "trapezoidal_iso2904.csv", "nominal_lengths_mm.csv"],
            "tables": [
                {"file": "G.tab", "name": "G (ISO 228-1)",
                 "descr": f"ISO 228-1 parallel pipe thread {g_sizes}, pitch 25.4/TPI mm ({g_tpis} TPI)",
                 "pitches": gp,
                 "about": [f"Parallel pipe thread G (ISO 228-1), {g_sizes}, {len(g.rows)} sizes."],
                 "pitch_comment":
                     ["[Passi]: every distinct value of column pitch_mm_calc of pipe_iso228_g.csv:",
                      "  25.4/TPI in mm to 4 dp (the sources print 3 dp: column pitch_mm_std), ascending."]
                     + src(g)},
                {"file": "Tr.tab", "name": "Tr (ISO 2904)",
                 "descr": f"ISO 2904 metric trapezoidal {tr_sizes}, normal, coarse and fine pitches "
                          f"{rng(trp)}",
                 "pitches": trp,
                 "about": [f"Metric trapezoidal thread Tr (ISO 2904 / ISO 2902 plan), {tr_sizes}, "
                           f"{len(tr.rows)} sizes."],
                 "pitch_comment":
                     ["[Passi]: every distinct value of columns preferred_pitch_mm (ISO normal pitch),",
                      "  coarse_pitch_mm and fine_pitch_mm of trapezoidal_iso2904.csv, in mm, ascending.",
                      "  Where DIN 103 (Machinery's Handbook) differs (Tr10x3, Tr14x4), the ISO values are used."]
                     + src(tr)},
            ],
        },
    ]
    for grp in groups:
        for t in grp["tables"]:
            t["lengths"] = lengths
            t["length_comment"] = len_comment
            for field in (t["file"], t["name"], t["descr"]):
                if '"' in field or not field.isascii():
                    sys.exit(f"field {field!r} must be ASCII without double quotes")
    return groups


# --------------------------------------------------------------------------- writers

def comment_block(lines):
    return ["# " + l if l else "#" for l in lines]


def data_file_text(t):
    lines = comment_block(
        [f"Zelvacorin thread table: {t['name']}"]
        + t["about"]
        + [f"Written by {GENERATOR} from the reference CSVs (shared/data, see its README.md);",
           "regenerate rather than edit by hand.  Sections [Lunghezze] and [Passi]: one plain",
           "number per line (mm, point as decimal separator), each section ended by a blank line.",
           ""]
        + t["pitch_comment"] + [""] + t["length_comment"])
    lines.append("")
    lines.append("[Lunghezze]")
    lines += [plain(v) for v in t["lengths"]]
    lines.append("")
    lines.append("[Passi]")
    lines += [plain(v) for v in t["pitches"]]
    lines.append("")  # blank line that closes the last section
    return CRLF.join(lines) + CRLF


def index_file_text(n, grp):
    lines = comment_block(
        [f"Zelvacorin standards index, group {n} \"{grp['caption']}\" (registry Norme#{n}).",
         f"Written by {GENERATOR} from the reference CSVs (shared/data, see its README.md):",
         "  " + ", ".join(grp["sources"]) + ";",
         "  the sources of each table are named in the comments of its data file in Data\\.",
         "Section [1]: one entry per standard, \"data file\" \"name shown\" \"description\";",
         "the section ends at the next line that begins with a left bracket."])
    lines.append("[1]")
    for t in grp["tables"]:
        lines.append(f"\"{t['file']}\" \"{t['name']}\" \"{t['descr']}\"")
    lines.append("[END]")
    return CRLF.join(lines) + CRLF


def reg_escape(s):
    return s.replace("\\", "\\\\").replace('"', '\\"')


def reg_file_text(groups, appl_dir):
    lines = ["REGEDIT4", "",
             r"[HKEY_LOCAL_MACHINE\SOFTWARE\Ombrivale\Tessalo]",
             f"\"ApplDir\"=\"{reg_escape(appl_dir)}\"",
             "\"Language\"=\"English\"", "",
             r"[HKEY_LOCAL_MACHINE\SOFTWARE\Ombrivale\Tessalo\Zelvacorin]",
             f"\"File Prefs\"=\"{reg_escape(chr(92) + 'Zelvacorin.prf')}\""]
    for n, grp in enumerate(groups):
        lines += [f"\"Norme#{n}\"=\"{reg_escape(grp['caption'])}\"",
                  f"\"Norme Dir#{n}\"=\"{reg_escape(chr(92) + 'Norme' + chr(92) + grp['dir'] + chr(92))}\"",
                  f"\"Data#{n}\"=\"{reg_escape('Data' + chr(92))}\"",
                  f"\"File INI#{n}\"=\"Norme.ini\""]
    lines.append("")
    return CRLF.join(lines) + CRLF


def host_settings_text():
    return CRLF.join(["[Directories]", r"ThreadFile=%INSTALLDIR%\Images" + "\\"]) + CRLF


def outputs(groups):
    out = {}
    for n, grp in enumerate(groups):
        base = f"Tessalo/Norme/{grp['dir']}"
        out[f"{base}/Norme.ini"] = index_file_text(n, grp)
        for t in grp["tables"]:
            out[f"{base}/Data/{t['file']}"] = data_file_text(t)
    out["Tessalo.reg"] = reg_file_text(groups, r"C:\Program Files\Ombrivale\Tessalo")
    out["pinhost.reg"] = reg_file_text(groups, "%INSTALLDIR%")
    out["host-settings.ini"] = host_settings_text()
    return out


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--data", default="/work/shared/data", help="folder of the reference CSVs")
    ap.add_argument("--out", default=os.path.join(REPO, "install"), help="install tree root")
    ap.add_argument("--check", action="store_true", help="compare only, write nothing")
    args = ap.parse_args()

    files = outputs(load(args.data))
    differ = 0
    for rel, text in sorted(files.items()):
        data = text.encode("ascii")
        path = os.path.join(args.out, *rel.split("/"))
        old = None
        if os.path.exists(path):
            with open(path, "rb") as f:
                old = f.read()
        if args.check:
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
    if args.check:
        print(f"{len(files) - differ} up to date, {differ} differ")
    return 1 if differ else 0


if __name__ == "__main__":
    sys.exit(main())
