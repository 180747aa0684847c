#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and those named as arguments, when
# any is missing.
set -euo pipefail

packages=(build-essential cmake pkg-config qt6-base-dev qt6-serialport-dev qt6-svg-dev qt6-image-formats-plugins
          libgtest-dev libgmock-dev qt6-translations-l10n fonts-dejavu-core desktop-file-utils man-db
          clang libclang-rt-14-dev libzip-dev "$@")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
