#!/usr/bin/env bash
# Writes the seed corpus of fuzz_handover with make-request: each seed is a
# request's analysis-marks file, a line "--8<--", then its birth record.
# Usage: fuzz/make-handover-corpus.sh MAKE_REQUEST   (rewrites fuzz/corpus/handover/)
set -euo pipefail
make_request=$(realpath "$1")
cd "$(dirname "$0")"
out=corpus/handover
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
rm -rf "$out"
mkdir -p "$out"
n=0
seed() {
  n=$((n + 1))
  rm -f "$tmp"/*.DAT
  VESPRIN_TODAY=2026-12-09 "$make_request" --dir "$tmp" "$@" 2>/dev/null
  { cat "$tmp/VesprinPrintAnalyze.DAT"; printf -- '--8<--\n'; cat "$tmp/VesprinPrint.DAT"; } >"$out/request$n.txt"
}
seed --date 05/03/2530 --hour 07 --gender male
seed --date 05/03/2530 --hour 07 --gender male --name "สมชาย ใจดี"
seed --date 23/11/2541 --hour 00 --gender female --name "นางสาวดวงใจ" --preview --pregnancy 10
seed --date 01/01/2344 --hour 23 --gender f --pregnancy 07 --strip-year 2570 --strip-pillar 03/01
seed --date 31/12/2742 --hour 12 --gender m --mark yybon=blue,dotted --mark ddttlang=red \
  --clash year-month --clash day-time
seed --date 15/06/2500 --hour 05 --gender male --balance 3,5 --climate VH --share hot:55% --share cold:45%
seed --date 29/02/2543 --hour 18 --gender female --power ground=5,gold=10,water=3,wood=7,fire=12 \
  --day-master water --analysis $'ควรเสริมธาตุไม้\nและธาตุไฟ'
seed --date 10/10/2610 --hour 09 --gender male --balance 0,0 --climate B --mark mmddbon=white \
  --mark yymmlang=olive,dotted --clash month-day --name "A b"
echo "wrote $n seeds into fuzz/$out" >&2
