#!/usr/bin/env bash
# Checks that the README's table of layers names every library of the build with exactly the
# libraries it links, as CMake's own dependency graph (cmake --graphviz) has them.
set -euo pipefail
cd "$(dirname "$0")/.."
work="$(mktemp -d "${TMPDIR:-/tmp}/vrn-layers.XXXXXX")"
trap 'rm -rf "$work"' EXIT
# A configuration of its own (no build): the graph is CMake's, with the tests' libraries too.
cmake -S . -B "$work/build" -G Ninja -DBUILD_TESTING=ON --graphviz="$work/graph/layers.dot" \
    >"$work/configure.log" 2>&1 || { cat "$work/configure.log" >&2; exit 1; }
python3 scripts/check-layers.py README.md "$work/graph/layers.dot"
