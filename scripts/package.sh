#!/usr/bin/env bash
# Builds the Debian packages of the library (run-time library and development
# files) for Qt 5 and Qt 6 into packages/, installs them all together with
# apt-get (the two Qt flavours must not clash), builds and runs the consumer
# application of tests/consumer/ against /usr through find_package and
# pkg-config for each, and removes the packages again.
#   scripts/package.sh [--qt 5|6] [--keep]
# --qt limits it to one Qt; --keep leaves the packages installed.
set -euo pipefail
cd "$(dirname "$0")/.."
majors=(5 6)
keep=0
while [ $# -gt 0 ]; do
    case "$1" in
        --qt) majors=("$2"); shift 2 ;;
        --keep) keep=1; shift ;;
        *) echo "usage: $0 [--qt 5|6] [--keep]" >&2; exit 2 ;;
    esac
done
scripts/setup.sh
. scripts/env.sh
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
rm -rf packages
mkdir -p packages

for qt in "${majors[@]}"; do
    dir=build-deb-qt$qt
    cmake -S . -B "$dir" -DKZCHART_QT_MAJOR="$qt" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
          -DKZCHART_BUILD_TESTS=OFF -DKZCHART_BUILD_EXAMPLES=OFF -DKZCHART_BUILD_BENCHMARKS=OFF
    cmake --build "$dir" --parallel "$(nproc)"
    # The API reference goes into the development package.
    cmake --build "$dir" --target docs
    rm -f "$dir"/*.deb
    (cd "$dir" && cpack -G DEB)
    cp "$dir"/*.deb packages/
done

debs=("$PWD"/packages/*.deb)
names=()
for deb in "${debs[@]}"; do
    names+=("$(dpkg-deb -f "$deb" Package)")
    echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"
    dpkg-deb -f "$deb" Installed-Size Depends | sed 's/^/    /'
done
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${debs[@]}"
for qt in "${majors[@]}"; do
    package=KzChartWidget
    [ "$qt" = 5 ] || package=KzChartWidgetQt$qt
    xvfb-run -a -s "-screen 0 1600x1000x24" \
        cmake -DPACKAGE="$package" -DPREFIX=/usr -DWORK_DIR="$PWD/build-deb-qt$qt/consumer" \
              -P tests/consumer/run.cmake
done
if [ "$keep" = 0 ]; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq "${names[@]}"
fi
