#!/usr/bin/python3
"""The project's documents as a reader meets them.

  tests/documents_check.py SOURCE_ROOT

- README.md is at most README_LINES lines, and every document under docs/ is
  reached from it by links;
- every relative link resolves, to a heading where it names one; every picture
  has alternative text, lies in docs/screenshots and is one that
  scripts/windows/pictures.py takes;
- every picture in docs/screenshots is shown by a document and taken by that
  script, and no two are the same bytes;
- no Markdown or text file reads as a work log or speaks of "the original"
  (recorded scenarios and reference data aside).
The last line counts the checks: "N passed, N failed".
"""

import hashlib
import os
import re
import subprocess
import sys

README_LINES = 150
PICTURES = os.path.join("docs", "screenshots")
LINK = re.compile(r"(!?)\[([^\]]*)\]\(([^)\s]+)\)")
WORK_LOG = re.compile(r"\b(this|last|previous|earlier) round\b|\bthe original\b|\brun[- ]by[- ]run\b", re.I)
NOT_DOCUMENTS = ("tests/scenarios/", "tools/thread_data/")


def tracked(root, *patterns):
    out = subprocess.run(["git", "-C", root, "ls-files", "--cached", "--others", "--exclude-standard", *patterns],
                         capture_output=True, text=True, check=True).stdout
    return sorted(p for p in out.splitlines() if os.path.exists(os.path.join(root, p)))


def read(root, document):
    """A document's text without its fenced blocks."""
    with open(os.path.join(root, document), encoding="utf-8") as f:
        return re.sub(r"```.*?```", "", f.read(), flags=re.S)


def links(root, document):
    """(is_picture, text, target resolved against the repository root, anchor) of each relative link."""
    for bang, label, target in LINK.findall(read(root, document)):
        if re.match(r"[a-z]+:", target):
            continue
        path, _, anchor = target.partition("#")
        path = os.path.normpath(os.path.join(os.path.dirname(document), path)) if path else document
        yield bang == "!", label, path, anchor


def anchors(root, document):
    """The anchors a Markdown viewer gives the document's headings."""
    headings = re.findall(r"^#+ (.*)$", read(root, document), re.M)
    return {re.sub(r"[^\w\- ]", "", h.lower()).replace(" ", "-") for h in headings}


def main():
    root = os.path.abspath(sys.argv[1])
    passed = failed = 0

    def check(what, problems):
        nonlocal passed, failed
        if problems:
            failed += 1
            print(f"FAILED: {what}\n  " + "\n  ".join(problems))
        else:
            passed += 1

    documents = [d for d in tracked(root, "*.md") if not d.startswith(NOT_DOCUMENTS)]
    taken = subprocess.run([sys.executable, os.path.join(root, "scripts", "windows", "pictures.py"), "list"],
                           capture_output=True, text=True, check=True).stdout.split()

    with open(os.path.join(root, "README.md"), encoding="utf-8") as f:
        lines = f.read().count("\n")
    check(f"README.md holds at most {README_LINES} lines", [f"{lines} lines"] if lines > README_LINES else [])

    reached, todo = set(), ["README.md"]
    while todo:
        document = todo.pop()
        if document in reached:
            continue
        reached.add(document)
        todo += [p for picture, _, p, _ in links(root, document) if not picture and p.endswith(".md") and p in documents]
    check("every document under docs/ is reached from the README",
          [d for d in documents if d.startswith("docs/") and d not in reached])

    broken, unnamed, untaken, shown = [], [], [], set()
    for document in documents:
        for picture, label, path, anchor in links(root, document):
            if not os.path.exists(os.path.join(root, path)):
                broken.append(f"{document}: {path}")
            elif anchor and path.endswith(".md") and anchor not in anchors(root, path):
                broken.append(f"{document}: {path}#{anchor}")
            if picture:
                shown.add(path)
                if not label.strip():
                    unnamed.append(f"{document}: {path}")
                if os.path.dirname(path) != PICTURES or os.path.basename(path) not in taken:
                    untaken.append(f"{document}: {path}")
    check("every relative link resolves", broken)
    check("every picture has alternative text", unnamed)
    check("every picture shown is taken by scripts/windows/pictures.py", untaken)

    folder = os.path.join(root, PICTURES)
    present = sorted(os.listdir(folder)) if os.path.isdir(folder) else []
    check("every picture in docs/screenshots is shown and taken by the script",
          [p for p in present if os.path.join(PICTURES, p) not in shown or p not in taken])
    by_bytes = {}
    for p in present:
        with open(os.path.join(folder, p), "rb") as f:
            by_bytes.setdefault(hashlib.sha256(f.read()).hexdigest(), []).append(p)
    check("no two pictures are the same bytes", [" = ".join(same) for same in by_bytes.values() if len(same) > 1])

    log_lines = []
    for document in tracked(root, "*.md", "*.txt"):
        if document.startswith(NOT_DOCUMENTS) or document.endswith("CMakeLists.txt"):
            continue
        with open(os.path.join(root, document), encoding="utf-8", errors="replace") as f:
            log_lines += [f"{document}:{n}: {line.strip()}" for n, line in enumerate(f, 1) if WORK_LOG.search(line)]
    check("no document reads as a work log or speaks of the original", log_lines)

    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
