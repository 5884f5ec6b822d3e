#!/usr/bin/env bash
# The Debian package tested as installed: builds it (scripts/package.sh),
# checks its control fields and contents, runs lintian, installs it with
# apt-get, runs the installed programs from /usr/bin with a bare environment
# (a request printed on the default printer, vesprin-cast --pdf, the client
# book, the desk under Xvfb, two requests through the spool service's
# command), then purges it and checks that none of its files is left.
#
# Run as root or with sudo, by .ci/run after the test suite, with the cups-pdf
# queue as the default printer (scripts/cups-printer.sh start); without a
# default printer the print is expected to be saved as a PDF instead.
# A copy installed with cmake --install under /usr/local is left alone; one
# installed under /usr (no package owns it) stops the test before anything is
# overwritten.
# Usage: scripts/package-test.sh [BUILD_DIR [CMAKE_ARGS...]]   (default build-deb;
# CMAKE_ARGS go to scripts/package.sh, e.g. -DBUILD_TESTING=ON to test the tree too)
set -euo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)
build=${1:-build-deb}
shift || true
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
tmp=$(mktemp -d)
chmod 755 "$tmp"
installed=""
cleanup() {
  if [[ -n $installed ]] && dpkg-query -W -f='${Status}' vesprin 2>/dev/null | grep -q installed; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -q vesprin >/dev/null 2>&1 || true
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT
say() { echo "package-test: $*" >&2; }
fail() { echo "package-test: FAILED: $*" >&2; exit 1; }

tools=(lintian desktop-file-utils appstream xvfb xauth xdotool poppler-utils cups-client)
missing=()
for p in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  say "installing: ${missing[*]}"
  $sudo apt-get update -q >&2
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" >&2
fi

# A copy installed by hand under /usr would be overwritten by the package and
# removed with it: refuse rather than confuse the two.
for f in /usr/bin/vesprin-print /usr/bin/vesprin-cast /usr/bin/make-request /usr/share/vesprin; do
  if [[ -e $f ]] && ! dpkg -S "$f" >/dev/null 2>&1; then
    fail "$f exists and no package owns it (installed with cmake --install --prefix /usr?); remove it first"
  fi
done
if dpkg-query -W -f='${Status}' vesprin 2>/dev/null | grep -q "install ok installed"; then
  say "purging the vesprin package already installed"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -q vesprin >&2
fi
local_copy=""
[[ -e /usr/local/bin/vesprin-print ]] && local_copy=$(sha256sum /usr/local/bin/vesprin-print)

# --- Build --------------------------------------------------------------------
t0=$(date +%s)
deb=$(bash scripts/package.sh "$build" "$@" | tail -n 1)
[[ -f $deb ]] || fail "scripts/package.sh made no package"
say "built $deb in $(($(date +%s) - t0)) s"

# --- Control fields and contents ----------------------------------------------
# The package names of a relation field, one a line, without versions.
names() { dpkg-deb -f "$deb" "$1" | tr ',|' '\n\n' | sed 's/^ *//; s/[ (].*//' | grep .; }
names Depends >"$tmp/depends"
for d in libcups2 libqt6sql6-sqlite qt6-qpa-plugins fonts-thai-tlwg fonts-arphic-ukai fonts-dejavu-core \
    fonts-liberation libc6 libstdc++6 libqt6core6; do
  grep -qxF "$d" "$tmp/depends" || fail "Depends lacks $d: $(dpkg-deb -f "$deb" Depends)"
done
names Recommends | grep -qxF cups-client || fail "cups-client is not recommended"
[[ $(dpkg-deb -f "$deb" Package) == vesprin ]] || fail "the package is not named vesprin"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$tmp/contents"
programs=$(grep -E '^/usr/bin/[^/]+$' "$tmp/contents" | xargs -n1 basename)
for p in vesprin-print vesprin-cast make-request; do
  grep -qx "$p" <<<"$programs" || fail "/usr/bin/$p is not in the package"
done
for p in $programs; do
  grep -qx "/usr/share/man/man1/$p.1.gz" "$tmp/contents" || fail "no man page for $p"
done
for f in /usr/share/doc/vesprin/copyright /usr/share/doc/vesprin/changelog.gz \
    /usr/share/vesprin/HOROSCOPE.INI /usr/share/vesprin/pictures/logo.bmp \
    /usr/libexec/vesprin/vesprin-cast-pdf /usr/libexec/vesprin/vesprin-print-window \
    /usr/libexec/vesprin/vesprin-serve-spool \
    /usr/lib/systemd/user/vesprin-spool@.path /usr/lib/systemd/user/vesprin-spool@.service; do
  grep -qx "$f" "$tmp/contents" || fail "$f is not in the package"
done
desk=""
grep -qx vesprin-desk <<<"$programs" && desk=1
if [[ -n $desk ]]; then
  for f in /usr/share/applications/org.vesprin.desk.desktop /usr/share/metainfo/org.vesprin.desk.metainfo.xml \
      /usr/share/icons/hicolor/scalable/apps/org.vesprin.desk.svg \
      /usr/share/icons/hicolor/48x48/apps/org.vesprin.desk.png; do
    grep -qx "$f" "$tmp/contents" || fail "$f is not in the package"
  done
else
  ! grep -q '^/usr/share/applications/' "$tmp/contents" || fail "a desktop entry without the desk"
fi
say "control fields and contents as expected: $(tr '\n' ' ' <<<"$programs")"

# --- lintian ------------------------------------------------------------------
t0=$(date +%s)
lintian --fail-on error,warning --display-level ">=info" "$deb" >"$tmp/lintian.txt" 2>&1 \
  || { cat "$tmp/lintian.txt" >&2; fail "lintian"; }
sed 's/^/  lintian: /' "$tmp/lintian.txt" >&2
say "lintian: no error or warning ($(($(date +%s) - t0)) s)"

# --- Installed ----------------------------------------------------------------
cp "$deb" "$tmp/"
installed=1
(cd "$tmp" && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "./$(basename "$deb")" >&2)
dpkg -L vesprin >"$tmp/files"
[[ $(dpkg -S /usr/bin/vesprin-print) == "vesprin: /usr/bin/vesprin-print" ]] || fail "vesprin-print is not the package's"

# A bare environment, as a fresh login has: no VESPRIN_* or Qt variables, no
# /usr/local in the path, a home of its own.
home=$tmp/home
mkdir -p "$home"
bare=(env -i "HOME=$home" PATH=/usr/sbin:/usr/bin:/sbin:/bin)
work=$tmp/work
mkdir -p "$work"
cd "$work"

"${bare[@]}" /usr/bin/vesprin-print --help | grep -q "now /usr/share/vesprin" \
  || fail "vesprin-print does not use /usr/share/vesprin"
for p in $programs; do
  "${bare[@]}" man -P cat "$p" 2>/dev/null | grep -q "$p" || fail "man $p shows no page"
done

# A request served by vesprin-print onto the default printer. Its job is the
# one the queue did not hold before; cups-pdf names the page after the job.
"${bare[@]}" /usr/bin/make-request --date 05/03/2530 --hour 07 --gender male --name "สมชาย ใจดี" \
  || fail "make-request"
if lpstat -d 2>/dev/null | grep -q "system default destination:"; then
  outbox="$(getent passwd "$(id -un)" | cut -d: -f6)/PDF"
  jobs() { lpstat -W all -o 2>/dev/null | awk '{print $1}' | sort; }
  jobs >"$tmp/jobs-before"
  "${bare[@]}" /usr/bin/vesprin-print 2>"$tmp/err" || { cat "$tmp/err" >&2; fail "vesprin-print did not print"; }
  job=$(jobs | comm -13 "$tmp/jobs-before" - | sed 's/.*-//' | sort -n | tail -n 1)
  [[ -n $job ]] || fail "vesprin-print said it printed, but the queue got no job"
  printed=""
  for _ in $(seq 150); do
    for f in "$outbox"/*-job_"$job".pdf; do
      [[ -f $f ]] && pdfinfo "$f" >"$tmp/info" 2>/dev/null && printed=$f
    done
    [[ -n $printed ]] && break
    sleep 0.2
  done
  [[ -n $printed ]] || fail "job $job of the default printer ($(lpstat -d)) left no page in $outbox"
  grep -q "612 x 792 pts (letter)" "$tmp/info" || fail "the printed page is not a Letter page"
  rm -f "$printed"
  say "vesprin-print printed the request on $(lpstat -d | sed 's/.*: //')"
else
  status=0
  "${bare[@]}" /usr/bin/vesprin-print 2>"$tmp/err" || status=$?
  [[ $status == 3 ]] && ls -- *.pdf >/dev/null 2>&1 || { cat "$tmp/err" >&2; fail "vesprin-print without a printer ended with $status"; }
  say "no default printer: vesprin-print saved the sheet as a PDF (status 3)"
fi
[[ ! -e VesprinPrint.DAT && ! -e VesprinPrintAnalyze.DAT ]] || fail "the request was left"

# The caster, with its PDF helper from /usr/libexec.
echo "05 03 2530 07 30 m 09" | "${bare[@]}" /usr/bin/vesprin-cast --pdf cast.pdf >"$tmp/cast.json" \
  || fail "vesprin-cast --pdf"
grep -q '"year"' "$tmp/cast.json" || fail "vesprin-cast wrote no chart"
pdfinfo cast.pdf | grep -q "612 x 792 pts (letter)" || fail "vesprin-cast --pdf wrote no Letter page"
say "vesprin-cast --pdf wrote its sheet"

# The client book.
if [[ -x /usr/bin/vesprin-book ]]; then
  # The book in the home's XDG data folder, through Qt's SQLite driver.
  id=$("${bare[@]}" /usr/bin/vesprin-book add --name "สมศรี มีสุข" --date 05/03/2530 --time 07:30 \
         --gender female) || fail "vesprin-book add"
  "${bare[@]}" /usr/bin/vesprin-book list >"$tmp/book.txt" || fail "vesprin-book list"
  grep -q "สมศรี มีสุข" "$tmp/book.txt" || fail "vesprin-book list does not show the client added"
  [[ -s $home/.local/share/vesprin/clients.sqlite ]] || fail "the book is not in the home's data folder"
  "${bare[@]}" /usr/bin/vesprin-book print "$id" --pdf book.pdf 2>"$tmp/err" \
    || { cat "$tmp/err" >&2; fail "vesprin-book print --pdf"; }
  pdfinfo book.pdf | grep -q "612 x 792 pts (letter)" || fail "vesprin-book print wrote no Letter page"
  say "vesprin-book added, listed and printed a client"
fi

# The desk: its menu entry and AppStream data as installed, then the program
# started under Xvfb, its window found, and quit with Ctrl+Q.
if [[ -n $desk ]]; then
  desktop-file-validate /usr/share/applications/org.vesprin.desk.desktop || fail "desktop-file-validate"
  appstreamcli validate --pedantic --no-net /usr/share/metainfo/org.vesprin.desk.metainfo.xml >"$tmp/as" 2>&1 \
    && ! grep -qE '^[EWIP]: ' "$tmp/as" || { cat "$tmp/as" >&2; fail "appstreamcli validate --pedantic"; }
  cat >"$tmp/desk.sh" <<EOF
set -u
env -i HOME="$home" PATH=/usr/sbin:/usr/bin:/sbin:/bin DISPLAY="\$DISPLAY" XAUTHORITY="\$XAUTHORITY" \
  /usr/bin/vesprin-desk >"$tmp/desk.out" 2>&1 &
pid=\$!
window=\$(timeout 20 xdotool search --sync --name '^Vesprin' | head -n 1)
[ -n "\$window" ] || { echo "no window titled Vesprin"; kill \$pid; exit 1; }
xdotool windowfocus --sync "\$window" 2>/dev/null || true
xdotool key --clearmodifiers ctrl+q
for _ in \$(seq 100); do kill -0 \$pid 2>/dev/null || break; sleep 0.1; done
if kill -0 \$pid 2>/dev/null; then echo "the desk did not quit on Ctrl+Q"; kill \$pid; exit 1; fi
wait \$pid
EOF
  xvfb-run -a -s "-screen 0 1366x768x24" bash "$tmp/desk.sh" \
    || { cat "$tmp/desk.out" >&2; fail "the desk did not start and quit"; }
  say "vesprin-desk started under Xvfb and quit on Ctrl+Q"
fi

# The spool service's command: two requests written one after the other are
# both served, in order, each once. No printer here (an unreachable CUPS
# server): each sheet is saved as a PDF in the folder.
spool=$tmp/spool
mkdir -p "$spool"
cd "$spool"
grep -q "^ExecStart=/usr/libexec/vesprin/vesprin-serve-spool$" /usr/lib/systemd/user/vesprin-spool@.service \
  || fail "the spool service does not run /usr/libexec/vesprin/vesprin-serve-spool"
spoolenv=("${bare[@]}" QT_QPA_PLATFORM=offscreen "CUPS_SERVER=$tmp/no-cups.sock")
"${spoolenv[@]}" /usr/bin/make-request --date 05/03/2530 --hour 07 --gender male --name "First Client" \
  || fail "make-request"
# Each run holds the folder's lock a while after taking the birth record (the
# engine's test hook): the second request, written under that lock, is then
# in place long before the run that took the first ends, however fast it is.
"${spoolenv[@]}" VESPRIN_TEST_CLAIM_DELAY_MS=200 /usr/libexec/vesprin/vesprin-serve-spool 2>"$tmp/spool.err" &
server=$!
for _ in $(seq 100); do [[ -e VesprinPrint.DAT ]] || break; sleep 0.05; done
"${spoolenv[@]}" /usr/bin/make-request --date 12/08/2540 --hour 18 --gender female --name "Second Client" \
  || fail "make-request"
wait $server || { cat "$tmp/spool.err" >&2; fail "the spool command ended with $?"; }
[[ ! -e VesprinPrint.DAT && ! -e VesprinPrintAnalyze.DAT ]] || fail "the spool command left a request"
mapfile -t sheets < <(ls -tr -- *.pdf)
[[ ${#sheets[@]} == 2 ]] || fail "the spool command wrote ${#sheets[@]} sheets, not 2: ${sheets[*]}"
pdftotext "${sheets[0]}" - | grep -q "First Client" || fail "the first sheet is not the first request's"
pdftotext "${sheets[1]}" - | grep -q "Second Client" || fail "the second sheet is not the second request's"
if command -v systemd-analyze >/dev/null; then
  unitdir=$tmp/units
  mkdir -p "$unitdir" "$tmp/runtime"
  chmod 700 "$tmp/runtime"
  cp /usr/lib/systemd/user/vesprin-spool@.path /usr/lib/systemd/user/vesprin-spool@.service "$unitdir/"
  instance="vesprin-spool@$(systemd-escape --path "$spool")"
  (cd "$unitdir" && XDG_RUNTIME_DIR="$tmp/runtime" SYSTEMD_UNIT_PATH="$unitdir:" systemd-analyze verify --user "$instance.path" "$instance.service") \
    >"$tmp/verify" 2>&1 || { cat "$tmp/verify" >&2; fail "systemd-analyze verify"; }
fi
say "the spool command served two requests in order, each once"
cd "$tmp"

# --- Purged -------------------------------------------------------------------
DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -q vesprin >&2
installed=""
! dpkg-query -W -f='${Status}' vesprin 2>/dev/null | grep -q "installed" || fail "vesprin is still installed"
left=()
while IFS= read -r f; do
  [[ -z $f || $f == /. ]] && continue
  if [[ -d $f && ! -L $f ]]; then
    # A folder stays when another package owns it or something else is in it.
    dpkg -S "$f" >/dev/null 2>&1 || [[ -n $(ls -A "$f") ]] || left+=("$f")
  elif [[ -e $f || -L $f ]]; then
    left+=("$f")
  fi
done <"$tmp/files"
for d in /usr/share/vesprin /usr/libexec/vesprin /usr/share/doc/vesprin; do
  [[ ! -e $d ]] || left+=("$d")
done
((${#left[@]} == 0)) || fail "left behind after the purge: ${left[*]}"
if [[ -n $local_copy ]]; then
  [[ $(sha256sum /usr/local/bin/vesprin-print) == "$local_copy" ]] || fail "/usr/local/bin/vesprin-print was touched"
fi
say "purged: none of its $(wc -l <"$tmp/files") paths is left"
say "passed in $(($(date +%s) - started)) s"
