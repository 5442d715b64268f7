#!/usr/bin/env bash
# Times @sabaki/sgf (installed from npm into a temporary folder now) and our SGF parser on the
# professional games of the shared corpus, and prints both figures and the ratio.
# Usage: bench/compare/sabaki_sgf.sh [BENCH_PROGRAM]   (default build/release/bench/bench_record_parsing)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
program=${1:-$root/build/release/bench/bench_record_parsing}
corpus=${TESSERA_SHARED_DIR:-$root/../shared}/corpus
[[ -x "$program" ]] || { echo "sabaki_sgf: build $program first (Release build)" >&2; exit 1; }
[[ -d "$corpus" ]] || { echo "sabaki_sgf: no corpus at $corpus" >&2; exit 1; }
command -v npm >/dev/null || { echo "sabaki_sgf: npm is needed" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm init -y >/dev/null && npm install --silent --no-audit --no-fund @sabaki/sgf >/dev/null)
echo "@sabaki/sgf $(node -p "require('$work/node_modules/@sabaki/sgf/package.json').version")"
sabaki=$(cd "$work" && NODE_PATH="$work/node_modules" node "$here/sabaki_sgf_parse.js" "$corpus")
echo "$sabaki"

ours=$("$program" --benchmark_filter=BM_ParseSgfCorpus --benchmark_min_time=3 --benchmark_format=json)
ours_mb=$(echo "$ours" | node -e 'let s="";process.stdin.on("data",d=>s+=d).on("end",()=>{const b=JSON.parse(s).benchmarks[0];console.log(b["MB/s"].toFixed(2))})')
ours_games=$(echo "$ours" | node -e 'let s="";process.stdin.on("data",d=>s+=d).on("end",()=>{const b=JSON.parse(s).benchmarks[0];console.log(b["games/s"].toFixed(0))})')
echo "tessera games/s=$ours_games MB/s=$ours_mb"
for label in sabaki-parseBuffer sabaki-parse; do
  theirs=$(echo "$sabaki" | sed -n "s/^$label .*MB\/s=\([0-9.]*\).*/\1/p")
  echo "ratio tessera / $label = $(node -p "($ours_mb / $theirs).toFixed(1)")x"
done
