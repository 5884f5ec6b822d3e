#!/usr/bin/env bash
# Builds the Debian package: vesprin_VERSION_ARCH.deb in BUILD_DIR (default
# build-deb/), whose path it prints last. Installs the Debian packages the
# build needs when missing, configures for the prefix /usr with Debian's
# hardening flags (dpkg-buildflags), builds the programs (no tests or
# benchmarks unless CMAKE_ARGS ask for them) and runs cpack -G DEB.
# Usage: scripts/package.sh [BUILD_DIR [CMAKE_ARGS...]]
# Install it with: sudo apt-get install ./build-deb/vesprin_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-deb}
shift || true

packages=(cmake g++ make pkg-config rapidjson-dev qt6-base-dev qt6-l10n-tools libqpdf-dev
          fonts-arphic-ukai fonts-dejavu-core fonts-thai-tlwg fonts-liberation
          dpkg-dev file help2man)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}" >&2
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -q >&2
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" >&2
fi

# Debian's flags: stack protector, fortified functions, format checks,
# read-only relocations bound at start-up.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
  "-DCMAKE_CXX_FLAGS=$CXXFLAGS $CPPFLAGS" "-DCMAKE_EXE_LINKER_FLAGS=$LDFLAGS" \
  "-DCMAKE_SHARED_LINKER_FLAGS=$LDFLAGS" "${launcher[@]}" \
  -DBUILD_TESTING=OFF -DVESPRIN_BUILD_BENCH=OFF -DVESPRIN_BUILD_CALENDAR_GEN=OFF "$@" >&2
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)" >&2
rm -f "$build"/vesprin_*.deb
(cd "$build" && cpack -G DEB >&2)
ls "$build"/vesprin_*.deb
