#!/usr/bin/env bash
# A real printer for the tests: CUPS with the cups-pdf virtual printer as the
# default destination, so that a printed chart sheet lands as a PDF file in
# ~/PDF (cups-pdf's output folder).
#   scripts/cups-printer.sh start   installs cups and printer-driver-cups-pdf when
#                                   missing, starts cupsd when none is running, and
#                                   makes the queue "PDF" the default destination
#   scripts/cups-printer.sh stop    stops the cupsd that "start" started (no other)
set -euo pipefail
pidfile=/tmp/vesprin-cupsd.pid
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

case "${1:-}" in
start)
  missing=()
  for p in cups printer-driver-cups-pdf; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "installing: ${missing[*]}" >&2
    $sudo apt-get update -q >&2
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" >&2
  fi
  running() { lpstat -r 2>/dev/null | grep -q "scheduler is running"; }
  if ! running; then
    $sudo /usr/sbin/cupsd -f &
    echo $! > "$pidfile"
    for _ in $(seq 50); do running && break; sleep 0.2; done
  fi
  $sudo lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  $sudo lpadmin -d PDF
  echo "cups: $(lpstat -d)" >&2
  ;;
stop)
  if [ -f "$pidfile" ]; then
    pid=$(cat "$pidfile")
    $sudo kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
    rm -f "$pidfile"
  fi
  ;;
*)
  echo "usage: $0 start|stop" >&2
  exit 1
  ;;
esac
