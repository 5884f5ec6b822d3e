#!/usr/bin/env bash
# Installs the Debian packages the build needs (when missing) and builds the
# engine into build/. Used by scripts/demo.sh and scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make pkg-config libgtest-dev libbenchmark-dev rapidjson-dev libswe-dev
          qt6-base-dev fonts-arphic-ukai fonts-dejavu-core fonts-thai-tlwg fonts-liberation
          poppler-utils clang libclang-rt-14-dev time libqt6sql6-sqlite libqpdf-dev
          qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools xvfb xauth xdotool libcups2-dev)
# The Debian package and its checks (man pages, desktop files, lintian):
# scripts/package.sh, scripts/package-test.sh.
packages+=(help2man desktop-file-utils appstream lintian dpkg-dev file)
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

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
cmake --build build -j"$jobs" >&2
