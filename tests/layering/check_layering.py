#!/usr/bin/env python3
"""Fails when a module of the program uses one above it.

Usage: check_layering.py SOURCE_DIR LINK_GRAPH

LINK_GRAPH has one line per target of the configured build: name, source folder relative
to SOURCE_DIR and the directly linked libraries, tab-separated. Both the links and the
project #include lines of every source file are held against the layer order; the
service and the shared records never link Qt.
"""

import pathlib
import re
import sys

# One folder is one module is one layer. A module may use modules of a lower rank on its
# own side, and the shared records; two modules of the same rank never use each other.
CLIENT = [
    ("client/platform", 1),
    ("client/resources", 1),
    ("client/log", 2),
    ("client/data", 3),
    ("client/ping", 4),
    ("client/api", 5),
    ("client/widgets", 6),
    ("client/connection", 7),
    ("client/servers", 8),
    ("client/update", 8),
    ("client/ui", 9),
    ("client/app", 10),
]
SERVICE = [
    ("service/platform", 0),
    ("service/firewall", 1),
    ("service/timezone", 1),
    ("service/launcher", 1),
    ("service/dns", 1),
    ("service", 2),
    ("service/tools/servicectl", 3),
]
COMMON = [("common/pipe", 0)]

RANK = {folder: rank for folder, rank in CLIENT + SERVICE + COMMON}
SIDE = {folder: side for side, table in (("client", CLIENT), ("service", SERVICE), ("common", COMMON))
        for folder, _ in table}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def module_of(folder):
    """The module a folder belongs to: the longest module folder that contains it."""
    best = None
    for module in RANK:
        if folder == module or folder.startswith(module + "/"):
            if best is None or len(module) > len(best):
                best = module
    return best


def may_use(user, used):
    if user == used:
        return True
    if SIDE[used] != "common" and SIDE[used] != SIDE[user]:
        return False
    return RANK[used] < RANK[user]


def included_module(user, include):
    """The module a project include names, or None for system, generated and own headers."""
    first = include.split("/", 1)[0]
    if "/" not in include or first in ("win", "linux"):
        return None
    if first == "pipe":
        return "common/pipe"
    side = SIDE[user]
    if side == "common":
        return None
    candidate = side + "/" + first
    return candidate if candidate in RANK else None


def check_links(graph_path, errors):
    modules = {}
    edges = []
    for line in pathlib.Path(graph_path).read_text().splitlines():
        if not line.strip():
            continue
        name, folder, *rest = line.split("\t")
        links = rest[0].split() if rest else []
        module = module_of(folder)
        if module is not None:
            modules[name] = module
            edges.append((name, module, links))
    for name, module, links in edges:
        for link in links:
            if SIDE[module] != "client" and link.startswith("Qt5::"):
                errors.append(f"{name} ({module}) links {link}: the service and the records never link Qt")
            used = modules.get(link)
            if used is not None and not may_use(module, used):
                errors.append(f"{name} ({module}) links {link} ({used}), which is not below it")
    return len(edges)


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    source_dir = pathlib.Path(sys.argv[1])
    errors = []
    targets = check_links(sys.argv[2], errors)
    includes = 0
    for top in ("common", "client", "service"):
        includes += check_includes_under(source_dir, top, errors)
    for error in errors:
        print("layering: " + error)
    print(f"layering: {targets} targets and {includes} project includes checked, {len(errors)} violations")
    if targets == 0:
        print("layering: the link graph is empty")
        return 1
    return 1 if errors else 0


def check_includes_under(source_dir, top, errors):
    root = source_dir / top
    if not root.is_dir():
        return 0
    # Paths are taken relative to the project root so that module folders match.
    count = 0
    for path in sorted(root.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        folder = path.parent.relative_to(source_dir).as_posix()
        user = module_of(folder)
        if user is None:
            continue
        for include in INCLUDE.findall(path.read_text(errors="replace")):
            used = included_module(user, include)
            if used is None:
                continue
            count += 1
            if not may_use(user, used):
                errors.append(f"{path.relative_to(source_dir)} ({user}) includes {include} ({used}), "
                              "which is not below it")
    return count


if __name__ == "__main__":
    sys.exit(main())
