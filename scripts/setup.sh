#!/usr/bin/env bash
# Installs the Debian packages Ferolune needs to build, run and test.
# Non-interactive and idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ninja-build ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libswe-dev swe-basic-data swetest
  libical-dev python3-icalendar
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool imagemagick x11-utils poppler-utils
  dbus at-spi2-core python3-pyatspi gir1.2-atspi-2.0
  qt6-translations-l10n
  fonts-liberation fonts-dejavu-core
  desktop-file-utils appstream dpkg-dev
  locales
)

# The users' own desktop is Hungarian: the tests run under hu_HU.UTF-8 as well as C.
ensure_hungarian_locale() {
  if locale -a 2>/dev/null | grep -qix 'hu_HU\.utf-\?8'; then
    return 0
  fi
  echo "Generating the hu_HU.UTF-8 locale"
  "${sudo_cmd[@]}" localedef -i hu_HU -f UTF-8 hu_HU.UTF-8
}

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

ensure_hungarian_locale
