# Shared by run.sh and test.sh: install what is missing, configure and build.
# Source it; it sets ROOT and BUILD_DIR.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"

# Debian 12 packages the build and the tests need.
MAPVANE_PACKAGES=(
    g++ make cmake pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
    qt6-qpa-plugins qt6-image-formats-plugins libgl-dev zlib1g-dev libdeflate-dev
    libpng-dev libjpeg62-turbo-dev qt6-translations-l10n libgdal-dev
)

# What scripts/fuzz.sh needs on top: clang and its libFuzzer and sanitizer runtimes.
MAPVANE_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

install_missing_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure_and_build() {
    cmake -S "$ROOT" -B "$BUILD_DIR" "$@" >/dev/null
    cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}
