# Shared by the set-up scripts: install what is missing, then configure and build.
set -euo pipefail

TOP=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD_DIR=${TIRAVO_BUILD_DIR:-$TOP/build}

PACKAGES=(g++ make cmake pkg-config qt6-base-dev qt6-multimedia-dev qt6-image-formats-plugins qt6-translations-l10n
          libgl-dev libsqlcipher-dev libjpeg62-turbo-dev libzip-dev libxlsxwriter-dev libgtest-dev
          libgmock-dev libbenchmark-dev
          fonts-dejavu-core fonts-liberation xvfb xauth openbox x11-utils
          xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils dpkg-dev file
          desktop-file-utils appstream)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build() {
    cmake -S "$TOP" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$BUILD_DIR" -j "$(nproc)"
}
