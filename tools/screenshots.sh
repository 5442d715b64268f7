#!/usr/bin/env bash
# Screenshots of the desktop program under Xvfb: every board style in Simplified Chinese, and
# every interface language on the traditional board, each with a professional game opened at
# move 60. Writes PNG files into the folder given (default build/screenshots).
#
#   tools/screenshots.sh [OUT_DIR] [RECORD]
#
# Uses the program of the run build (build/dist/bin/tessera, made by ./scripts/run or
# `cmake --build build --target tessera`); TESSERA_BIN names another one. Each shot runs the
# program in a scratch installation whose custom/ settings choose the style and the language;
# the pictures, sounds and translations are those of the build.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/screenshots}
record=${2:-$(find ../shared/corpus/pro -name "*.sgf" 2>/dev/null | sort | head -1 || true)}
bin=${TESSERA_BIN:-build/dist/bin/tessera}
[[ -x "$bin" ]] || { echo "screenshots: $bin is missing; build it first (./scripts/run or cmake --build build --target tessera)" >&2; exit 1; }
command -v xvfb-run >/dev/null && command -v import >/dev/null || { echo "screenshots: needs xvfb-run and ImageMagick's import" >&2; exit 1; }
dist=$(cd "$(dirname "$bin")/.." && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)
[[ -f "$record" ]] && record=$(cd "$(dirname "$record")" && pwd)/$(basename "$record") || record=""

shot() {  # shot NAME LANG STYLE
    local name=$1 lang=$2 style=$3 scratch
    scratch=$(mktemp -d)
    mkdir -p "$scratch/bin" "$scratch/custom"
    for entry in board translations; do [[ -e "$dist/bin/$entry" ]] && ln -s "$dist/bin/$entry" "$scratch/bin/$entry"; done
    [[ -e "$dist/BoardTemplate" ]] && ln -s "$dist/BoardTemplate" "$scratch/BoardTemplate"
    printf '[SETTING]\nLANG=%s\n' "$lang" > "$scratch/custom/lang.ini"
    printf '[SETTING]\nStoneSound=0\n[BOARD]\nBoardStyle=%s\nShowScale=1\nShowGraphBoardFrame=1\nEmphasizeBoard=1\nGraphBoardLight=0\n' "$style" > "$scratch/custom/vantor.ini"
    local args=()
    [[ -n "$record" ]] && args+=("--go-to-move" 60 "$record")
    xvfb-run -a -s "-screen 0 1280x860x24" bash -c '
        "$0" --program-folder "$1" "${@:3}" & pid=$!
        sleep 4
        import -window root "$2"
        kill $pid; wait $pid 2>/dev/null || true' "$(cd "$(dirname "$bin")" && pwd)/$(basename "$bin")" "$scratch/bin" "$out/$name.png" "${args[@]}"
    rm -rf "$scratch"
    echo "screenshots: $out/$name.png"
}

shot style-traditional 10001 0
shot style-marble 10001 1
shot style-simple 10001 2
shot lang-english 10000 0
shot lang-simplified-chinese 10001 0
shot lang-traditional-chinese 10002 0
