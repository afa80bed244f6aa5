#!/usr/bin/env python3
"""Checks the include graph of the widget layer.

    tools/check-widget-includes.py [FOLDER]     (default: widgets/)

A source and its header are one unit (Form.cpp and Form.h are "Form"). The
check fails when a unit other than Application includes Application.h (the
widgets ask their host, never the application object), or when the units
include each other in a cycle other than the two pairs that are one concept
each: Control/WinControl (a child and its parent) and
WinControl/AccessibleObject (a control and its proxy).
"""
import pathlib
import re
import sys

ALLOWED_PAIRS = {frozenset({"Control", "WinControl"}), frozenset({"WinControl", "AccessibleObject"})}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def include_graph(folder):
    """Unit -> units it includes, and (file, header) pairs of every include."""
    sources = sorted(p for p in folder.iterdir() if p.suffix in (".h", ".cpp"))
    units = {p.stem for p in sources}
    graph = {unit: set() for unit in units}
    includes = []
    for source in sources:
        for header in INCLUDE.findall(source.read_text(encoding="utf-8")):
            includes.append((source.name, header))
            target = pathlib.PurePosixPath(header).stem
            if header.endswith(".h") and target in units and target != source.stem:
                graph[source.stem].add(target)
    return graph, includes


def simple_cycles(graph):
    """Every cycle once, as a list of units starting at its smallest unit."""
    cycles = []

    def walk(start, unit, path):
        for following in sorted(graph[unit]):
            if following == start:
                cycles.append(path[:])
            elif following > start and following not in path:
                path.append(following)
                walk(start, following, path)
                path.pop()

    for start in sorted(graph):
        walk(start, start, [start])
    return cycles


def main():
    top = pathlib.Path(__file__).resolve().parent.parent
    folder = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else top / "widgets"
    if not folder.is_dir():
        print(f"check-widget-includes: no folder {folder}", file=sys.stderr)
        return 2
    graph, includes = include_graph(folder)
    problems = [
        f"{source} includes Application.h"
        for source, header in includes
        if pathlib.PurePosixPath(header).name == "Application.h" and source != "Application.cpp"
    ]
    problems += [
        "include cycle: " + " -> ".join(cycle + cycle[:1])
        for cycle in simple_cycles(graph)
        if not (len(cycle) == 2 and frozenset(cycle) in ALLOWED_PAIRS)
    ]
    for problem in problems:
        print(f"check-widget-includes: {problem}")
    if problems:
        return 1
    print(f"check-widget-includes: {len(graph)} units of {folder.name}/, no include of Application.h, "
          "no cycle beyond Control/WinControl and WinControl/AccessibleObject")
    return 0


if __name__ == "__main__":
    sys.exit(main())
