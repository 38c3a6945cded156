#!/usr/bin/env bash
# Configures and builds the library, the gallery, the benchmarks and the tests:
# against Qt 5 into build/, or with `--qt 6` against Qt 6 into build-qt6/.
# Further arguments go to CMake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
qt=5
if [ "${1:-}" = "--qt" ]; then
    qt=$2
    shift 2
fi
case "$qt" in
    5|6) ;;
    *) echo "usage: $0 [--qt 5|6] [cmake arguments]" >&2; exit 2 ;;
esac
. scripts/env.sh
dir=$(kz_build_dir "$qt")
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKZCHART_QT_MAJOR="$qt" "$@"
cmake --build "$dir" --parallel "$(nproc)"
