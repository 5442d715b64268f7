#!/usr/bin/env bash
# Brings i18n/tessera_en.ts up to date with the interface texts of the sources (new texts
# appear unfinished; translations of texts still in use are kept). Run it after changing
# interface texts, then translate the unfinished entries (Qt Linguist, or by hand).
set -euo pipefail
cd "$(dirname "$0")/../.."
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 tools/i18n/logic_texts.py . "$work/logic_texts.cpp"
"$lupdate" -silent -no-obsolete -locations none -source-language zh_CN -target-language en -I src \
  src/app src/*/ui "$work/logic_texts.cpp" -ts i18n/tessera_en.ts
grep -c '<translation type="unfinished"' i18n/tessera_en.ts | sed 's/^/unfinished: /' || true
