#!/usr/bin/env python3
"""Fails when a source file includes a header of a folder its own folder may
not depend on.

The allowed directions are written once, in the README's layout table: its
first column names a folder, its last column the folders whose headers that
folder may include ("nothing of ours", or "every folder"); those directions
may form no loop. A file belongs to
the longest folder of the table that holds it. Quoted includes are resolved
from the source root and then from the including file's folder; an include
found in neither (a third-party header) is not ours and not checked.

    scripts/check-dependencies.py           checks, prints each forbidden include
    scripts/check-dependencies.py --graph   prints the include graph, folder to
                                            folder, with the number of includes
    --root DIR                              checks the git checkout in DIR
                                            instead of this one
"""
import re
import subprocess
import sys
from collections import Counter
from pathlib import Path

ROOT = Path(sys.argv[sys.argv.index("--root") + 1]).resolve() if "--root" in sys.argv else \
    Path(__file__).resolve().parent.parent
SOURCE_SUFFIXES = {".c", ".cpp", ".h", ".rc"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
FOLDER = re.compile(r"`([a-z0-9_]+(?:/[a-z0-9_]+)*)/`")


def read_rules():
    """Maps each folder of the layout table to the folders it may include,
    or to None for every folder."""
    rules = {}
    in_table = False
    for line in (ROOT / "README.md").read_text().splitlines():
        if line.startswith("## "):
            in_table = line.strip() == "## How the code is laid out"
            continue
        if not in_table or not line.startswith("| `"):
            continue
        cells = [cell.strip() for cell in line.strip().strip("|").split("|")]
        allowed = cells[-1]
        targets = None if allowed == "every folder" else set(FOLDER.findall(allowed))
        for folder in FOLDER.findall(cells[0]):
            rules[folder] = targets
    if not rules:
        sys.exit("check-dependencies: no layout table in README.md")
    return rules


def table_loop(rules):
    """A loop in the table's directions (a list of folders), or None: the
    directions must run one way, so that no folder depends on itself."""
    finished, path = set(), []

    def visit(folder):
        if folder in path:
            return path[path.index(folder):] + [folder]
        if folder in finished or rules.get(folder) is None:
            return None
        path.append(folder)
        for target in sorted(rules[folder]):
            loop = visit(target)
            if loop:
                return loop
        path.pop()
        finished.add(folder)
        return None

    for folder in sorted(rules):
        loop = visit(folder)
        if loop:
            return loop
    return None


def folder_of(path, rules):
    parts = path.parts
    for length in range(len(parts) - 1, 0, -1):
        candidate = "/".join(parts[:length])
        if candidate in rules:
            return candidate
    return None


def tracked_sources():
    listed = subprocess.run(["git", "ls-files", "--cached", "--others", "--exclude-standard"], cwd=ROOT,
                            check=True, capture_output=True, text=True).stdout.split()
    return [Path(name) for name in listed if Path(name).suffix in SOURCE_SUFFIXES and (ROOT / name).exists()]


def resolve(include, source):
    for candidate in (Path(include), source.parent / include):
        normal = Path(*(ROOT / candidate).resolve().relative_to(ROOT).parts) if (ROOT / candidate).exists() else None
        if normal is not None:
            return normal
        generated = ROOT / (str(candidate) + ".in")
        if generated.exists():
            return candidate
    return None


def includes(rules):
    """Yields (source, line number, included path, source folder, included folder)."""
    for source in tracked_sources():
        for number, line in enumerate((ROOT / source).read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = resolve(match.group(1), source)
            if target is None:
                continue
            yield source, number, target, folder_of(source, rules), folder_of(target, rules)


def main():
    rules = read_rules()
    if "--graph" in sys.argv[1:]:
        edges = Counter((source_folder, target_folder)
                        for _, _, _, source_folder, target_folder in includes(rules)
                        if source_folder != target_folder)
        for (source_folder, target_folder), count in sorted(edges.items(), key=lambda edge: (str(edge[0][0]), str(edge[0][1]))):
            print(f"{source_folder}/ -> {target_folder}/ {count}")
        return 0
    loop = table_loop(rules)
    if loop:
        print("check-dependencies: the README's layout table lets folders depend on each other in a loop: " +
              " -> ".join(f"{folder}/" for folder in loop))
        return 1
    faults = 0
    for source, number, target, source_folder, target_folder in includes(rules):
        if source_folder is None or target_folder is None:
            print(f"{source}:{number}: {source if source_folder is None else target} is in no folder "
                  "of the README's layout table")
            faults += 1
            continue
        allowed = rules[source_folder]
        if source_folder == target_folder or allowed is None or target_folder in allowed:
            continue
        print(f"{source}:{number}: {source_folder}/ may not include {target} ({target_folder}/)")
        faults += 1
    if faults:
        print(f"check-dependencies: {faults} forbidden include(s); the allowed directions are the last column "
              "of the README's layout table")
        return 1
    print("check-dependencies: every include follows the README's layout table")
    return 0


if __name__ == "__main__":
    sys.exit(main())
