#!/usr/bin/env bash
# Builds the Debian package: a release build installed under /usr, packed by CPack.
#   scripts/package.sh          makes build-package/mapvane_VERSION_ARCH.deb
# Install it with `sudo apt install ./build-package/mapvane_*.deb`.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

PACKAGE_DIR="${PACKAGE_BUILD_DIR:-$ROOT/build-package}"
# dpkg-shlibdeps, which works out the package's dependencies, comes with dpkg-dev.
install_missing_packages "${MAPVANE_PACKAGES[@]}" dpkg-dev
cmake -S "$ROOT" -B "$PACKAGE_DIR" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DMAPVANE_BUILD_TESTS=OFF -DMAPVANE_BUILD_BENCH=OFF >/dev/null
cmake --build "$PACKAGE_DIR" --parallel "$(nproc)"
cd "$PACKAGE_DIR"
rm -f mapvane_*.deb
cpack -G DEB
ls -1 "$PACKAGE_DIR"/mapvane_*.deb
