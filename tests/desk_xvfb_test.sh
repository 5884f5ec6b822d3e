#!/usr/bin/env bash
# vesprin-desk under a virtual display: its window appears titled "Vesprin…";
# with a CUPS default printer (the cups-pdf queue of CI) a typed birth goes to
# it on Ctrl+P and lands in ~/PDF; Ctrl+Q closes the desk with exit status 0.
# Skipped (77) without xvfb-run or xdotool.
set -u
desk=$1
command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || { echo "xvfb-run or xdotool missing"; exit 77; }
inner=$(mktemp)
scratch=$(mktemp -d)
trap 'rm -rf "$inner" "$scratch"' EXIT
# cups-pdf writes into the real home's PDF folder.
export PRINTED_INTO="$HOME/PDF"
# A client book and settings of its own, never the user's.
export VESPRIN_BOOK="$scratch/clients.sqlite" XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config"
cd "$scratch"
cat >"$inner" <<'SCRIPT'
desk=$1
start=$(date +%s%N)
VESPRIN_TODAY=2026-12-09 "$desk" & pid=$!
window=""
for _ in $(seq 100); do
  # Only a shown window: Qt's hidden client-leader window carries the
  # program's name too, and xdotool matches names without regard to case.
  window=$(xdotool search --onlyvisible --name '^Vesprin' 2>/dev/null | head -1)
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then echo "no window titled Vesprin"; kill $pid; exit 1; fi
echo "window \"$(xdotool getwindowname "$window")\" after $(( ($(date +%s%N) - start) / 1000000 )) ms"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
sleep 0.5

if command -v lpstat >/dev/null && lpstat -d 2>/dev/null | grep -q "default destination:"; then
  before=$(ls "$PRINTED_INTO"/*.pdf 2>/dev/null | sort)
  xdotool type --delay 30 "Somchai"
  for v in 05 03 2530 07; do xdotool key Tab; xdotool type "$v"; done
  xdotool key Return
  sleep 1
  xdotool key --window "$window" ctrl+p
  printed=""
  for _ in $(seq 150); do
    printed=$(comm -13 <(echo "$before") <(ls "$PRINTED_INTO"/*.pdf 2>/dev/null | sort) | head -1)
    [ -n "$printed" ] && break
    sleep 0.2
  done
  if [ -z "$printed" ]; then echo "Ctrl+P: no new PDF in $PRINTED_INTO"; kill $pid; exit 1; fi
  echo "printed: $printed"
  rm -f "$printed"
else
  echo "no CUPS default printer: printing not tried"
fi

xdotool key --window "$window" ctrl+q
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then echo "still running after Ctrl+Q"; kill $pid; exit 1; fi
wait $pid
status=$?
echo "exit status $status"
exit $status
SCRIPT
xvfb-run -a -s "-screen 0 1366x768x24" bash "$inner" "$desk"
