#!/usr/bin/env python3
"""Holds the README's layer table against the libraries CMake links.

Usage: check-layers.py README.md GRAPH.dot   (GRAPH.dot from `cmake --graphviz=GRAPH.dot`)

The README lists, between the markers `<!-- layers -->` and `<!-- /layers -->`, one line per
library of the project: `vrn_x -> vrn_y, vrn_z` (its direct links to other libraries of the
project; `-> nothing` for none). Every library CMake knows must be listed with exactly the
links it has, and nothing else may be listed.
"""
import re
import sys


def readme_layers(path):
    text = open(path, encoding="utf-8").read()
    block = re.search(r"<!-- layers -->(.*?)<!-- /layers -->", text, re.S)
    if not block:
        sys.exit(f"{path}: no <!-- layers --> block")
    layers = {}
    for line in block.group(1).splitlines():
        found = re.match(r"\s*(?:- )?(vrn_\w+)\s*->\s*(.*?)\s*(?:\(.*\))?\s*$", line)
        if not found:
            continue
        links = found.group(2)
        layers[found.group(1)] = set() if links == "nothing" else {
            name.strip() for name in links.split(",") if name.strip()}
    return layers


def cmake_layers(path):
    text = open(path, encoding="utf-8").read()
    libraries = set(re.findall(r'label = "(vrn_\w+)", shape = (?:octagon|diamond)', text))
    layers = {name: set() for name in libraries}
    for source, target in re.findall(r"// (vrn_\w+) -> (vrn_\w+)", text):
        if source in layers and target in libraries:
            layers[source].add(target)
    return layers


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    written, linked = readme_layers(sys.argv[1]), cmake_layers(sys.argv[2])
    problems = []
    for name in sorted(set(written) | set(linked)):
        if name not in linked:
            problems.append(f"{name}: in the README, but CMake builds no such library")
        elif name not in written:
            problems.append(f"{name}: missing from the README (links {', '.join(sorted(linked[name])) or 'nothing'})")
        elif written[name] != linked[name]:
            problems.append(f"{name}: the README says {', '.join(sorted(written[name])) or 'nothing'}, "
                            f"CMake links {', '.join(sorted(linked[name])) or 'nothing'}")
    if problems:
        print("The README's layers differ from the build:", *problems, sep="\n  ", file=sys.stderr)
        return 1
    print(f"layers: the README lists the {len(linked)} libraries as CMake links them")
    return 0


if __name__ == "__main__":
    sys.exit(main())
