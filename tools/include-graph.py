#!/usr/bin/env python3
"""Draws the include graph of the source tree between layers and between files.

A layer is a folder that holds sources (forms, forms/core, browser/preview,
...). Prints each layer's edges to the layers it includes, with counts, then
every edge that runs against docs/ARCHITECTURE.md's order and every cycle
among layers or files. Exits 1 when it finds an upward edge or a cycle.
"""
import argparse
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
SKIP = {"build", "tests", "bench", "tools", ".git", "docs"}


def sources(root):
    for folder, dirs, files in os.walk(root):
        rel = os.path.relpath(folder, root)
        dirs[:] = sorted(d for d in dirs if not (rel == "." and d in SKIP))
        for name in sorted(files):
            if name.endswith((".h", ".cpp")):
                yield os.path.normpath(os.path.join(rel, name)).replace(os.sep, "/")


def layer_order(root):
    """The layers from docs/ARCHITECTURE.md's table, lowest first."""
    path = os.path.join(root, "docs", "ARCHITECTURE.md")
    order = []
    if os.path.exists(path):
        for line in open(path, encoding="utf-8"):
            m = re.match(r"\|\s*\d+\s*\|\s*`([^`]+)/`", line)
            if m:
                order.append(m.group(1))
    return order


def file_graph(root):
    files = set(sources(root))
    graph = {}
    for name in files:
        text = open(os.path.join(root, name), encoding="utf-8").read()
        graph[name] = sorted(inc for inc in INCLUDE.findall(text) if inc in files)
    return graph


def strongly_connected(graph):
    """Tarjan's components of more than one node, or with a self edge."""
    index, low, stack, on, out = {}, {}, [], set(), []
    counter = [0]

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on.add(v)
        for w in graph.get(v, ()):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            group = []
            while True:
                w = stack.pop()
                on.discard(w)
                group.append(w)
                if w == v:
                    break
            if len(group) > 1 or v in graph.get(v, ()):
                out.append(sorted(group))

    sys.setrecursionlimit(10000)
    for v in sorted(graph):
        if v not in index:
            visit(v)
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--root", default=ROOT)
    parser.add_argument("--files", action="store_true", help="print the file edges too")
    args = parser.parse_args()
    files = file_graph(args.root)
    layer = lambda f: os.path.dirname(f) or "."
    layers = {}
    for f, incs in files.items():
        for inc in incs:
            if layer(inc) != layer(f):
                edges = layers.setdefault(layer(f), {})
                edges[layer(inc)] = edges.get(layer(inc), 0) + 1
        layers.setdefault(layer(f), {})
    print("layer edges (includes):")
    for name in sorted(layers):
        targets = ", ".join("%s %d" % kv for kv in sorted(layers[name].items()))
        print("  %-18s -> %s" % (name, targets or "-"))
    if args.files:
        print("file edges:")
        for f in sorted(files):
            for inc in files[f]:
                print("  %s -> %s" % (f, inc))
    faults = 0
    order = layer_order(args.root)

    def rank(name):
        # Within a folder: its core, then the folder, then its subfolders.
        top = name.split("/")[0]
        if top not in order:
            return None
        return (order.index(top), 0 if name.endswith("/core") else 1 if name == top else 2)

    for name in sorted(layers):
        for target in sorted(layers[name]):
            if rank(name) is not None and rank(target) is not None and rank(target) > rank(name):
                print("upward edge: %s -> %s" % (name, target))
                faults += 1
    for group in strongly_connected({k: list(v) for k, v in layers.items()}):
        print("layer cycle: " + " <-> ".join(group))
        faults += 1
    # A class is its header and its source together.
    units = {}
    for f, incs in files.items():
        unit = os.path.splitext(f)[0]
        units.setdefault(unit, set()).update(os.path.splitext(i)[0] for i in incs)
    for unit in units:
        units[unit].discard(unit)
    for group in strongly_connected({k: sorted(v) for k, v in units.items()}):
        print("file cycle: " + " <-> ".join(group))
        faults += 1
    print("%d files, %d layers, %d file edges: %s" % (
        len(files), len(layers), sum(len(v) for v in files.values()),
        "no upward edge, no cycle" if faults == 0 else "%d faults" % faults))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
