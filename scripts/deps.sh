#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running Vintrel need.
# Quick and silent when everything is already present.
set -euo pipefail

packages=(
    build-essential       # g++ 12, make
    cmake
    ninja-build
    pkg-config            # used by the CMake files to find libraries
    qt6-base-dev          # Qt 6 Core, Sql, Widgets, Test
    libqt6sql6-sqlite     # the SQLite driver of Qt Sql
    qt6-translations-l10n # Russian texts of Qt's own dialogs and buttons
    libzip-dev            # ZIP archives of a competition
    libsqlite3-dev        # SQLite's backup API: a consistent copy of the open database
    libgtest-dev
    libgmock-dev
    libbenchmark-dev
    fonts-dejavu-core     # fonts with Cyrillic letters
    xvfb                  # a virtual display for looking at windows
    xauth                 # needed by xvfb-run
    python3               # the crash test's driver
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    if [[ "$status" != "install ok installed" ]]; then
        missing+=("$p")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
if [[ "$(id -u)" -ne 0 ]]; then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
