#!/usr/bin/env bash
# Installs everything that building, testing, packaging and benchmarking Vorelian need on Debian 12,
# the sanitizer and fuzzer runtimes of clang included (clang only recommends them, and recommended
# packages are not installed here).
# Returns at once when every package is already present.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
  qt6-l10n-tools
  qt6-translations-l10n
  libbenchmark-dev
  xvfb xauth imagemagick
  fonts-dejavu-core fonts-liberation2
  poppler-utils
  python3 python3-icalendar
  qt6-httpserver-dev qt6-websockets-dev tidy wrk apache2-utils
  librsvg2-bin desktop-file-utils appstream
  dpkg-dev fakeroot file lintian binutils
  clang libclang-rt-14-dev
  clang-format ccache
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
