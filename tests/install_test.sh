#!/usr/bin/env bash
# Installs the build into a fresh prefix and serves a request with the
# installed programs alone, from a folder outside both trees, with no
# VESPRIN_DATA_DIR: the engine must find the calendar and the pictures under
# the prefix's share/vesprin.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
fail() { echo "install_test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/vesprin-print bin/vesprin-cast bin/make-request \
    share/vesprin/HOROSCOPE.INI share/vesprin/CAL2543.DAT share/vesprin/pictures/o1.bmp \
    share/vesprin/pictures/thermometer.bmp; do
  [[ -e $prefix/$f ]] || fail "$f not installed"
done
for p in vesprin-print vesprin-cast make-request; do
  [[ -x $prefix/bin/$p ]] || fail "bin/$p is not executable"
  "$prefix/bin/$p" --help >"$tmp/help.txt" || fail "$p --help failed"
  grep -q "Exit status" "$tmp/help.txt" || fail "$p --help names no exit status"
done

# The installed programs name the installed data directory, not the source tree's.
env -u VESPRIN_DATA_DIR "$prefix/bin/vesprin-print" --help | grep -qF "$prefix/share/vesprin" \
  || fail "vesprin-print does not use $prefix/share/vesprin"

# A request served in a folder of its own, without options and without a
# printer (no CUPS server there): the sheet is saved as a PDF, status 3.
work=$tmp/work
mkdir -p "$work"
cd "$work"
export VESPRIN_TODAY=2026-12-09 QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$tmp/config \
  CUPS_SERVER=$tmp/no-cups.sock
unset VESPRIN_DATA_DIR VESPRIN_DRIVES VESPRIN_SHEET_DUMP
"$prefix/bin/make-request" --date 05/03/2530 --hour 07 --gender male --name "สมชาย" 2>"$tmp/err.txt" \
  || { cat "$tmp/err.txt" >&2; fail "make-request failed"; }
status=0
"$prefix/bin/vesprin-print" 2>"$tmp/err.txt" || status=$?
[[ $status == 3 ]] || { cat "$tmp/err.txt" >&2; fail "vesprin-print ended with $status, expected 3 (saved without a printer)"; }
[[ -s chart-sheet.pdf ]] || fail "no chart-sheet.pdf"
! grep -q "not found" "$tmp/err.txt" || { cat "$tmp/err.txt" >&2; fail "something was not found"; }
[[ ! -e VesprinPrint.DAT && ! -e VesprinPrintAnalyze.DAT ]] || fail "the request was not deleted"
pdfinfo chart-sheet.pdf | grep -q "612 x 792 pts (letter)" || fail "chart-sheet.pdf is not a Letter page"

# The same with --pdf, and the caster on its own.
"$prefix/bin/make-request" --date 05/03/2530 --hour 07 --gender male 2>"$tmp/err.txt" \
  || { cat "$tmp/err.txt" >&2; fail "make-request failed"; }
"$prefix/bin/vesprin-print" --pdf sheet.pdf 2>"$tmp/err.txt" || { cat "$tmp/err.txt" >&2; fail "vesprin-print --pdf failed"; }
[[ -s sheet.pdf ]] || fail "no sheet.pdf"
echo "05 03 2530 07 30 m 09" | "$prefix/bin/vesprin-cast" | grep -q '"year"' || fail "vesprin-cast cast nothing"

# vesprin-cast --pdf hands over to the PDF helper in libexec/vesprin under
# this prefix, not under the one configured at build time.
[[ -x $prefix/libexec/vesprin/vesprin-cast-pdf ]] || fail "libexec/vesprin/vesprin-cast-pdf not installed"
echo "05 03 2530 07 30 m 09" | "$prefix/bin/vesprin-cast" --pdf cast.pdf --paper a4 >/dev/null 2>"$tmp/err.txt" \
  || { cat "$tmp/err.txt" >&2; fail "vesprin-cast --pdf failed under $prefix"; }
pdfinfo cast.pdf | grep -q "595 x 842 pts (A4)" || fail "cast.pdf is not an A4 page"

# With a display, vesprin-print hands over to the program with windows in
# libexec/vesprin under this prefix; a display that cannot be reached makes
# that run unattended, and the sheet is written all the same.
[[ -x $prefix/libexec/vesprin/vesprin-print-window ]] || fail "libexec/vesprin/vesprin-print-window not installed"
"$prefix/bin/make-request" --date 05/03/2530 --hour 07 --gender male 2>"$tmp/err.txt" \
  || { cat "$tmp/err.txt" >&2; fail "make-request failed"; }
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY=:97.0 "$prefix/bin/vesprin-print" --pdf window.pdf 2>"$tmp/err.txt" \
  || { cat "$tmp/err.txt" >&2; fail "vesprin-print with an unreachable display failed under $prefix"; }
[[ -s window.pdf ]] || fail "no window.pdf"
echo "install_test: installed into $prefix and served a request from $work"
