#!/usr/bin/env bash
# Installs everything that building, testing and running KzChartWidget needs on
# Debian 12 (Qt 5 and Qt 6 with WebEngine, Qt's tools for translations and the
# Designer plugin, Qt SVG, Doxygen, CMake, Xvfb, a CJK font, the Debian packaging
# tools, poppler's PDF tools for the export tests, the benchmark's native peers
# QCustomPlot and Qwt) and then ECharts, pinned by package-lock.json. Safe to
# run again: it only installs what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ make cmake pkg-config dpkg-dev
          qtbase5-dev qtwebengine5-dev libqt5webchannel5-dev qttools5-dev-tools qttools5-dev libqt5charts5-dev libqt5svg5-dev
          qt6-base-dev qt6-webengine-dev qt6-webchannel-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-charts-dev qt6-svg-dev
          libgl-dev doxygen xvfb xauth fonts-wqy-microhei poppler-utils
          libqcustomplot-dev libqwt-qt5-dev)
# Node.js may come from elsewhere than Debian; any npm will do.
command -v npm >/dev/null 2>&1 || packages+=(nodejs npm)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

if [ ! -f node_modules/.package-lock.json ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
    npm ci --no-audit --no-fund
fi
