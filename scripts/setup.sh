#!/usr/bin/env bash
# Installs the Debian packages Ferolune needs to build, run and test.
# Non-interactive and idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ninja-build
  qt6-base-dev qt6-base-dev-tools libqt6svg6-dev libgl-dev
  libswe-dev swe-basic-data swetest
  libical-dev python3-icalendar
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool imagemagick x11-utils poppler-utils
  qt6-translations-l10n
  fonts-liberation fonts-dejavu-core
  desktop-file-utils appstream dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
