#!/usr/bin/env bash
# Installs everything that building, testing and running KzChartWidget needs on
# Debian 12 (Qt 5 with WebEngine, CMake, Xvfb, a CJK font) and then ECharts,
# pinned by package-lock.json. Safe to run again: it only installs what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ make cmake qtbase5-dev qtwebengine5-dev libqt5webchannel5-dev qttools5-dev-tools libqt5charts5-dev
          xvfb xauth fonts-wqy-microhei)
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
