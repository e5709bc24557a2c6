#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from what .clang-format makes of it, and
# lists those files. Installs clang-format when it is missing.
#   ./scripts/check-format.sh          check
#   ./scripts/check-format.sh --fix    rewrite the files in place
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

vrn_install_missing clang-format
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
differ=()
for f in "${files[@]}"; do
    clang-format "$f" | cmp -s - "$f" || differ+=("$f")
done
if [ ${#differ[@]} -gt 0 ]; then
    echo "These files differ from .clang-format (./scripts/check-format.sh --fix mends them):" >&2
    printf '  %s\n' "${differ[@]}" >&2
    exit 1
fi
echo "format: ${#files[@]} C++ files match .clang-format"
