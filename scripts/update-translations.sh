#!/usr/bin/env bash
# Brings translations/*.ts up to date with the texts the sources mark for translation (lupdate
# keeps every translation already made). Translate new entries with Qt Linguist or by editing
# the file, then commit it; the build turns it into the .qm file the program loads. A class's
# texts (tr()) are found under its full name ("vrn::CardWindow"), so includes must resolve: every
# folder of the sources is an include folder, as each library exports its own.
#   ./scripts/update-translations.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

vrn_install_missing qt6-l10n-tools
sources=(app cli cards commissioning compare station ui link sim journal)
includes=()
while IFS= read -r folder; do
    includes+=(-I "$folder")
done < <(find "${sources[@]}" -name '*.h' -printf '%h\n' | sort -u)
for ts in translations/*.ts; do
    /usr/lib/qt6/bin/lupdate "${includes[@]}" -no-obsolete -locations none "${sources[@]}" -ts "$ts"
done
