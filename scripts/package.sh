#!/usr/bin/env bash
# Builds everything and the Debian package (build/qmscales_VERSION_ARCH.deb). Its dependencies
# are computed by dpkg-shlibdeps (package dpkg-dev, which needs file); the packages are installed
# first when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh dpkg-dev file
bash scripts/build.sh
(cd build && cpack -G DEB)
deb=$(ls -t build/qmscales_*.deb | head -n1)
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends
echo "Built $deb"
