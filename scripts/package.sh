#!/usr/bin/env bash
# Builds everything and the two Debian packages, build/qmscales_VERSION_ARCH.deb (the window, the
# command line, the help, the auto load service) and build/qmscales-emu_VERSION_ARCH.deb (the
# emulated scale), then runs lintian on both when it is installed. Their dependencies are computed
# by dpkg-shlibdeps (package dpkg-dev, which needs file); the packages are installed first when
# missing.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh dpkg-dev file
bash scripts/build.sh
(cd build && cpack -G DEB)
for name in qmscales qmscales-emu; do
    deb=$(ls -t build/${name}_*.deb | head -n1)
    dpkg-deb --field "$deb" Package Version Architecture Depends Recommends
    if command -v lintian > /dev/null; then
        lintian --fail-on error,warning "$deb"
    fi
    echo "Built $deb"
done
