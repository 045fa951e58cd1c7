#!/usr/bin/env bash
# Installs what is missing, builds, and starts Mapvane. Arguments go to the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages "${MAPVANE_PACKAGES[@]}"
configure_and_build -DMAPVANE_BUILD_TESTS=OFF -DMAPVANE_BUILD_BENCH=OFF

# The program reads Language.ini, config.ini and its .qm files from the current
# folder, so it starts in the folder that holds the translation files.
cd "$BUILD_DIR/bin"
exec ./mapvane "$@"
