#!/usr/bin/env bash
# Installs, with apt-get, every Debian package that building, testing and running the editor
# needs. Idempotent: installs only what is missing, and updates the package lists only then.
set -euo pipefail

packages=(
    # toolchain
    build-essential cmake ninja-build g++ clang libclang-rt-14-dev clang-format git
    # Debian packages of the build (cpack's dependency list comes from dpkg-shlibdeps)
    dpkg-dev
    # tests and benchmarks
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    # picture files
    libmagick++-dev pkg-config
    # the face shape's least squares
    libeigen3-dev
    # window system (Qt 6 Widgets, print support, offscreen platform, Xvfb for screenshots)
    qt6-base-dev libgl-dev qt6-multimedia-dev fonts-dejavu-core xvfb xauth imagemagick
    # the stand-in of a font family the font dialog is asked for
    libfontconfig-dev
    # data generation: vector artwork rendered by librsvg
    librsvg2-bin
    # the editor at run time: the desktop opener, the printed footer's serif font
    xdg-utils fonts-liberation2
    # end-to-end tests and printed pages: real X input, PDF pages rasterised
    xdotool poppler-utils
)

missing=()
for pkg in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$pkg")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
