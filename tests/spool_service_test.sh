#!/usr/bin/env bash
# The spool folder service without systemd running: its units pass
# systemd-analyze verify (when installed), and its command serves the folder
# as promised, with the build's vesprin-print and make-request:
#  - two requests written one after the other are both served, in order, once;
#  - a birth record without its marks file is waited for, then left as it is;
#  - a run that keeps the request (status 4: no calendar) stops the loop;
#  - a run that leaves the very same record behind stops it too, instead of
#    serving it again and again.
# Usage: spool_service_test.sh SERVE_SPOOL VESPRIN_PRINT MAKE_REQUEST UNIT_DIR SERVICE_FILE MAN_DIR
set -euo pipefail
serve=$1 engine=$2 make_request=$3 units=$4 service=$5 mandir=$6
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "spool_service_test: $*" >&2; exit 1; }

if [[ ! -e $mandir/man1/vesprin-print.1.gz ]]; then
  echo "spool_service_test: no man page of vesprin-print (help2man), the units are not verified" >&2
elif command -v systemd-analyze >/dev/null && command -v systemd-escape >/dev/null; then
  mkdir -p "$tmp/units" "$tmp/runtime" "$tmp/spool"
  chmod 700 "$tmp/runtime"
  cp "$units/vesprin-spool@.path" "$tmp/units/"
  # The command as this tree has it, not yet where the service will find it installed.
  sed "s|^ExecStart=.*|ExecStart=$serve|" "$service" >"$tmp/units/vesprin-spool@.service"
  instance="vesprin-spool@$(systemd-escape --path "$tmp/spool")"
  # Documentation= names the man page: found among the build's pages.
  (cd "$tmp/units" && MANPATH="$mandir:" XDG_RUNTIME_DIR="$tmp/runtime" SYSTEMD_UNIT_PATH="$tmp/units:" \
     systemd-analyze verify --user "$instance.path" "$instance.service") >"$tmp/verify" 2>&1 \
    || { cat "$tmp/verify" >&2; fail "systemd-analyze verify"; }
else
  echo "spool_service_test: systemd-analyze not found, the units are not verified" >&2
fi

export VESPRIN_PRINT=$engine QT_QPA_PLATFORM=offscreen VESPRIN_TODAY=2026-12-09 \
  XDG_CONFIG_HOME=$tmp/config CUPS_SERVER=$tmp/no-cups.sock
unset VESPRIN_DRIVES VESPRIN_SHEET_DUMP
request() { "$make_request" --date 05/03/2530 --hour 07 --gender male --name "$1" >/dev/null 2>&1; }

# Two requests, the second written once the first is taken: both printed (here,
# for want of a printer, saved as PDFs in the folder), in order, each once.
mkdir -p "$tmp/two" && cd "$tmp/two"
request "First Client"
# Each run holds the folder's lock a while after taking the birth record (the
# engine's test hook): the second request, written under that lock, is then
# in place long before the run that took the first ends, however fast it is.
VESPRIN_TEST_CLAIM_DELAY_MS=200 "$serve" 2>"$tmp/err" &
server=$!
for _ in $(seq 200); do [[ -e VesprinPrint.DAT ]] || break; sleep 0.02; done
request "Second Client"
status=0
wait $server || status=$?
[[ $status == 0 ]] || { cat "$tmp/err" >&2; fail "two requests: the loop ended with $status"; }
[[ ! -e VesprinPrint.DAT && ! -e VesprinPrintAnalyze.DAT ]] || fail "two requests: a request was left"
mapfile -t sheets < <(ls -tr -- *.pdf)
[[ ${#sheets[@]} == 2 ]] || fail "two requests: ${#sheets[@]} sheets (${sheets[*]}), not 2"
pdftotext "${sheets[0]}" - | grep -q "First Client" || fail "two requests: the first sheet is not the first request's"
pdftotext "${sheets[1]}" - | grep -q "Second Client" || fail "two requests: the second sheet is not the second request's"

# A record without its marks file: waited for, then left, nothing printed.
mkdir -p "$tmp/lone" && cd "$tmp/lone"
request "Lone"
rm VesprinPrintAnalyze.DAT
status=0
VESPRIN_SPOOL_WAIT=1 "$serve" 2>"$tmp/err" || status=$?
[[ $status == 0 && -e VesprinPrint.DAT ]] || fail "lone record: status $status, or the record was taken"
grep -q "has no VesprinPrintAnalyze.DAT beside it" "$tmp/err" || fail "lone record: not named: $(cat "$tmp/err")"
! ls -- *.pdf >/dev/null 2>&1 || fail "lone record: something was printed"

# An installation fault keeps the request and stops the loop with its status.
mkdir -p "$tmp/fault" && cd "$tmp/fault"
request "Kept"
status=0
VESPRIN_DATA_DIR=$tmp/no-data timeout 60 "$serve" 2>"$tmp/err" || status=$?
[[ $status == 4 ]] || { cat "$tmp/err" >&2; fail "no calendar: the loop ended with $status, not 4"; }
[[ -e VesprinPrint.DAT && -e VesprinPrintAnalyze.DAT ]] || fail "no calendar: the request was not kept"

# An engine that says it served the request but leaves it: stopped at once.
status=0
VESPRIN_PRINT=true timeout 60 "$serve" 2>"$tmp/err" || status=$?
[[ $status == 1 ]] || fail "a request left behind: the loop ended with $status, not 1"
grep -q "left .*VesprinPrint.DAT as it was" "$tmp/err" || fail "a request left behind: not said: $(cat "$tmp/err")"
echo "spool_service_test: passed"
