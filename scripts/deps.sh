#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, skipping those already present.
# Sourced by scripts/run and scripts/test; safe to run any number of times.
set -euo pipefail

bv_install_packages() {
    local missing=()
    local p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

BV_CORE_PACKAGES=(cmake ninja-build g++ pkg-config libsqlite3-dev sqlite3 nlohmann-json3-dev)
BV_TEST_PACKAGES=(libgtest-dev libgmock-dev)
# The desktop application: Qt 6 Widgets, Charts and Svg (Charts needs the
# OpenGL module's CMake files), the platform plugins (xcb for the desktop,
# offscreen for the window tests), Qt's own Swedish texts and a font.
BV_GUI_PACKAGES=(qt6-base-dev libgl-dev qt6-charts-dev qt6-svg-dev libqt6svg6 libqt6opengl6-dev libxkbcommon-dev
                 qt6-qpa-plugins qt6-translations-l10n fonts-dejavu-core libkainjow-mustache-dev)
# The Debian package (scripts/package): dpkg-shlibdeps and file for CPack,
# desktop-file-validate for the menu entry.
BV_PACKAGE_PACKAGES=(dpkg-dev file desktop-file-utils)
