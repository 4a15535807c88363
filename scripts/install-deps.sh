#!/usr/bin/env bash
# Installs the Debian 12 packages the project builds, tests and demonstrates
# with. Idempotent: installs only what is missing. Uses sudo when not root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qtbase5-dev qttools5-dev-tools libqt5sql5-ibase
  firebird3.0-server-core libfbclient2 firebird3.0-utils
  libkdsoap-dev libkdsoap-bin
  libkf5mime-dev
  fonts-wqy-microhei
  dovecot-core dovecot-pop3d
  xvfb xauth xdotool dbus dbus-x11 python3 python3-pyatspi at-spi2-core imagemagick
  clang libclang-rt-14-dev
  x11-utils
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

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
