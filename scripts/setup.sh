#!/usr/bin/env bash
# Installs, without asking, every Debian package that building Quillory and
# running its tests need, and only those that are missing.
set -euo pipefail

PACKAGES=(
    cmake g++ make pkg-config
    libfox-1.6-dev libhpdf-dev libgtest-dev libx11-dev locales
    xvfb xauth xdotool imagemagick poppler-utils qpdf libqpdf-dev valgrind python3
    clang libclang-rt-14-dev
)

missing=()
for package in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    $SUDO apt-get install -y -qq "${missing[@]}"
fi
