#!/usr/bin/env python3
"""Fails when a file under src/ includes a header of a layer above its own.

The layers and their order are in tools/layers.txt. Each offending include is
named by file and line. Two folders of one layer may include each other, but
a circle of includes between folders of one layer is refused as well.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def read_layers(path):
    rank = {}
    for level, line in enumerate(
            l for l in path.read_text().splitlines()
            if l.strip() and not l.lstrip().startswith("#")):
        for folder in line.split():
            rank[folder] = level
    return rank


def folder_of(path):
    return path.split("/", 1)[0]


def check(src, layers):
    """The faults of the tree `src` against the layer file `layers`."""
    rank = read_layers(layers)
    errors = []
    edges = {}
    for f in sorted(src.rglob("*")):
        if f.suffix not in (".h", ".cpp", ".inc") or not f.is_file():
            continue
        rel = f.relative_to(src).as_posix()
        own = folder_of(rel)
        if own not in rank:
            errors.append(f"src/{rel}: folder '{own}' has no layer in tools/layers.txt")
            continue
        for n, line in enumerate(f.read_text(errors="replace").splitlines(), 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            target = folder_of(m.group(1))
            if target not in rank or "/" not in m.group(1):
                continue   # a header beside the file, or not one of ours
            if rank[target] > rank[own]:
                errors.append(f"src/{rel}:{n}: includes {m.group(1)}, a layer above {own}/")
            elif target != own:
                edges.setdefault(own, set()).add(target)
    for a, targets in edges.items():
        for b in targets:
            if a in edges.get(b, set()) and a < b:
                errors.append(f"src/{a}/ and src/{b}/ include each other")
    return errors


def main(argv):
    src = pathlib.Path(argv[1]) if len(argv) > 1 else ROOT / "src"
    layers = pathlib.Path(argv[2]) if len(argv) > 2 else ROOT / "tools" / "layers.txt"
    errors = check(src, layers)
    for e in errors:
        print(e)
    if errors:
        print(f"layering check: {len(errors)} fault(s)")
        return 1
    print("layering check: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
