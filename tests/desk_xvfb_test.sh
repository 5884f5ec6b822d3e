#!/usr/bin/env bash
# vesprin-desk under a virtual display: its window appears titled "Vesprin…"
# and Ctrl+Q closes it with exit status 0. Skipped (77) without xvfb-run or
# xdotool.
set -u
desk=$1
command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || { echo "xvfb-run or xdotool missing"; exit 77; }
inner=$(mktemp)
trap 'rm -f "$inner"' EXIT
cat >"$inner" <<'SCRIPT'
desk=$1
VESPRIN_TODAY=2026-12-09 "$desk" & pid=$!
window=""
for _ in $(seq 50); do
  window=$(xdotool search --name '^Vesprin' 2>/dev/null | head -1)
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then echo "no window titled Vesprin"; kill $pid; exit 1; fi
echo "window: $(xdotool getwindowname "$window")"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
sleep 0.5
xdotool key --window "$window" ctrl+q
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then echo "still running after Ctrl+Q"; kill $pid; exit 1; fi
wait $pid
status=$?
echo "exit status $status"
exit $status
SCRIPT
xvfb-run -a -s "-screen 0 1366x768x24" bash "$inner" "$desk"
