#!/usr/bin/env python3
"""Checks that the source folders include one another only downwards.

Usage: check_include_layers.py <source dir> <lowest folder> ... <highest folder>

Every folder of <source dir> is a layer; a file may include from its own folder and from the
folders named before it. Fails on an include that goes up, on a loop between folders, and on a
folder that is not given a place, and prints the include graph between folders.
"""
import re
import sys
from pathlib import Path

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/[^"]+"', re.MULTILINE)


def folder_edges(source_dir, folders):
    """{(from folder, to folder): first including file} for includes between two folders."""
    edges = {}
    for path in sorted(source_dir.rglob("*")):
        if not path.is_file() or path.suffix not in (".h", ".cpp", ".in"):
            continue
        owner = path.relative_to(source_dir).parts[0]
        for target in INCLUDE.findall(path.read_text(errors="replace")):
            if target in folders and target != owner:
                edges.setdefault((owner, target), path.relative_to(source_dir))
    return edges


def find_cycle(edges):
    """One loop of folders as a list, or None."""
    graph = {}
    for source, target in edges:
        graph.setdefault(source, []).append(target)
    visiting, done = [], set()

    def visit(node):
        if node in visiting:
            return visiting[visiting.index(node):] + [node]
        if node in done:
            return None
        visiting.append(node)
        for target in sorted(graph.get(node, [])):
            loop = visit(target)
            if loop:
                return loop
        visiting.pop()
        done.add(node)
        return None

    for node in sorted(graph):
        loop = visit(node)
        if loop:
            return loop
    return None


def main(argv):
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    source_dir = Path(argv[1])
    layers = argv[2:]
    rank = {folder: index for index, folder in enumerate(layers)}
    folders = {p.name for p in source_dir.iterdir() if p.is_dir()}
    errors = [f"folder without a layer: {name}" for name in sorted(folders - set(rank))]
    edges = folder_edges(source_dir, folders | set(rank))
    for (source, target), path in sorted(edges.items()):
        print(f"{source} -> {target}")
        if source in rank and target in rank and rank[target] > rank[source]:
            errors.append(f"upward include: {path} includes from {target}, a layer above {source}")
    loop = find_cycle(edges)
    if loop:
        errors.append("include cycle between folders: " + " -> ".join(loop))
    for error in errors:
        print(error, file=sys.stderr)
    print("layers, lowest first: " + " < ".join(layers))
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
