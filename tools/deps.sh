#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail

PACKAGES=(
    cmake ninja-build g++ pkg-config
    libgtest-dev libbenchmark-dev libcli11-dev
    qt6-base-dev qt6-svg-dev qt6-multimedia-dev qt6-charts-dev libqt6opengl6-dev
    libcurl4-openssl-dev
    python3 python3-pyftpdlib fonts-dejavu-core
    # checks of the installed desktop entry, metainfo, file type and manual page
    desktop-file-utils appstream shared-mime-info groff-base
)

missing=()
for package in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
