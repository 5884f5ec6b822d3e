#!/usr/bin/env bash
# The main job on the bundled example: casts the births of examples/births.txt
# with the shipped calendar and shows each chart as JSON.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
echo "== vesprin-cast < examples/births.txt" >&2
status=0
build/app/vesprin-cast --today "${VESPRIN_TODAY:-2026-12-09}" < examples/births.txt > build/demo.jsonl || status=$?
if command -v python3 >/dev/null; then
  python3 -c 'import json,sys
for line in sys.stdin: print(json.dumps(json.loads(line), ensure_ascii=False, indent=1))' < build/demo.jsonl
else
  cat build/demo.jsonl
fi
exit $status
