#!/usr/bin/env bash
# Installs the Debian 12 packages Pandrel needs to build, run, be tested and packaged.
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  libgtkmm-3.0-dev libwebkit2gtk-4.1-dev libsqlite3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils openbox dbus dbus-bin bubblewrap xdg-dbus-proxy
  fonts-dejavu-core python3 xdotool python3-gi at-spi2-core libatk-adaptor
  desktop-file-utils appstream lintian man-db file xdg-utils libgtk-3-bin
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
