#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing.
# Safe to run any number of times. Japanese input: fcitx5's Qt 6 module is here; ibus's comes
# with Qt itself (libqt6gui6).
set -euo pipefail

PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-webengine-dev libqt6webenginecore6-bin
  qt6-translations-l10n
  libgl-dev
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-noto-cjk
  fcitx5-frontend-qt6
  desktop-file-utils
  xvfb xauth xdotool
  libbenchmark-dev
  libicu-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
