#!/usr/bin/env python3
"""The program's include graph by layer: each source file belongs to the library
CMakeLists.txt puts it in (a header to its .cpp's library; a header alone to the lowest
library that includes it, so it never counts as reaching up). It prints the includes
that run from a lower library up to a higher one, and the circles between the parts
of folders (a folder's files in one library) outside the ui toolkit. Exit status 1
when there is either."""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FOLDERS = ["app", "appearance", "editors", "lists", "platform", "report", "store", "sync", "ui"]
LAYERS = {"core": 0, "ui": 1, "windows": 2}


def cmake_lists():
    text = open(os.path.join(ROOT, "CMakeLists.txt"), encoding="utf-8").read()
    library = {}
    for name, layer in [("TIVORN_CORE_SOURCES", "core"), ("TIVORN_SYSTEM_SOURCES", "core"),
                        ("TIVORN_UI_SOURCES", "ui"), ("TIVORN_WINDOWS_SOURCES", "windows")]:
        for block in re.findall(r"set\(" + name + r"\n(.*?)\)", text, re.S):
            for line in block.split():
                library[line.strip()] = layer
    library["app/winmain.cpp"] = "windows"
    return library


def main():
    library = cmake_lists()
    files = []
    for folder in FOLDERS:
        for name in sorted(os.listdir(os.path.join(ROOT, folder))):
            if name.endswith((".cpp", ".h")):
                files.append(folder + "/" + name)
    includes = {}
    for f in files:
        text = open(os.path.join(ROOT, f), encoding="utf-8", errors="replace").read()
        includes[f] = [i for i in re.findall(r'^#include "([^"]+)"', text, re.M) if i in files]
    # Headers take their .cpp's library; a header alone the lowest of those that include it.
    for f in files:
        if f.endswith(".h") and f[:-2] + ".cpp" in library:
            library[f] = library[f[:-2] + ".cpp"]
    changed = True
    while changed:
        changed = False
        for f in files:
            if f in library:
                continue
            users = [library[g] for g in files if f in includes[g] and g in library]
            if users:
                library[f] = min(users, key=LAYERS.get)
                changed = True
    for f in files:
        library.setdefault(f, "windows")

    up = [(f, i) for f in files for i in includes[f] if LAYERS[library[f]] < LAYERS[library[i]]]
    part = {f: f.split("/")[0] + "[" + library[f] + "]" for f in files}
    edges = {}
    for f in files:
        for i in includes[f]:
            if part[f] != part[i]:
                edges.setdefault(part[f], set()).add(part[i])
    # Circles: the strongly connected parts of more than one node (Tarjan).
    index, low, stack, on, sccs, counter = {}, {}, [], set(), [], [0]

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on.add(v)
        for w in edges.get(v, ()):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            scc = []
            while True:
                w = stack.pop()
                on.discard(w)
                scc.append(w)
                if w == v:
                    break
            if len(scc) > 1:
                sccs.append(sorted(scc))

    for v in sorted(set(part.values())):
        if v not in index:
            visit(v)
    circles = [s for s in sccs if not all(n == "ui[ui]" for n in s)]
    print("upward includes: %d" % len(up))
    for f, i in up:
        print("  %s (%s) -> %s (%s)" % (f, library[f], i, library[i]))
    print("circles between folder parts outside ui: %d" % len(circles))
    for s in circles:
        print("  " + " <-> ".join(s))
        for a in s:
            for f in files:
                if part[f] == a:
                    for i in includes[f]:
                        if part[i] in s and part[i] != a:
                            print("    %s -> %s" % (f, i))
    return 1 if up or circles else 0


if __name__ == "__main__":
    sys.exit(main())
