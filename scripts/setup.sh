#!/usr/bin/env bash
# Installs, without asking, the Debian packages that are missing:
#   bash scripts/setup.sh run     what building and running the program needs
#   bash scripts/setup.sh [test]  that, and everything the tests, benchmarks
#                                 and fuzzing need
set -euo pipefail

RUN_PACKAGES=(cmake g++ make pkg-config libfox-1.6-dev libhpdf-dev)
TEST_PACKAGES=(
    libgtest-dev libx11-dev locales
    xvfb xauth xdotool imagemagick poppler-utils qpdf libqpdf-dev valgrind python3
    clang libclang-rt-14-dev acl
)

case "${1:-test}" in
    run) wanted=("${RUN_PACKAGES[@]}") ;;
    test) wanted=("${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}") ;;
    *) echo "usage: bash scripts/setup.sh run|test" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "== Packages: all ${#wanted[@]} needed are installed"
    exit 0
fi
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
echo "== Updating the package lists"
$SUDO apt-get update
echo "== Installing ${#missing[@]} packages: ${missing[*]}"
$SUDO apt-get install -y "${missing[@]}"
