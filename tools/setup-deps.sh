#!/usr/bin/env bash
# Installs whatever the build, the tests and the demo need and is missing,
# from Debian's package registry (apt-get, through sudo when not root).
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config ccache clang-format
    juce-modules-source libboost-dev libgtest-dev libgmock-dev libbenchmark-dev
    fonts-dejavu-core fonts-dejavu-extra fonts-liberation2 fonts-inconsolata fonts-dosis
    xvfb xauth x11-utils imagemagick xdotool openbox
    python3 python3-websockets python3-mido
    libcairo2-dev libx11-dev sox poppler-utils qpdf
)

# tools/run-fuzz.sh also needs clang and its libFuzzer runtime.
if [ "${1:-}" = "--fuzz" ]; then
    packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
