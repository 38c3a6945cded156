#!/usr/bin/env bash
# Sets the machine up, builds everything and runs the gallery. With a display
# the gallery opens as a window; without one (or with --screenshot DIR) it runs
# under Xvfb and writes one PNG per chart, printing their paths. Qt 5 unless
# `--qt 6` comes first.
set -euo pipefail
cd "$(dirname "$0")/.."
qt=5
if [ "${1:-}" = "--qt" ]; then
    qt=$2
    shift 2
fi
scripts/setup.sh
scripts/build.sh --qt "$qt"
. scripts/env.sh

gallery=$(kz_build_dir "$qt")/examples/gallery/gallery
if [ $# -eq 0 ] && [ -n "${DISPLAY:-}" ]; then
    exec "$gallery"
elif [ $# -eq 0 ]; then
    exec xvfb-run -a -s "-screen 0 1600x1000x24" "$gallery" --screenshot "$PWD/screenshots"
elif [ -n "${DISPLAY:-}" ]; then
    exec "$gallery" "$@"
else
    exec xvfb-run -a -s "-screen 0 1600x1000x24" "$gallery" "$@"
fi
