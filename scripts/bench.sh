#!/usr/bin/env bash
# Sets the machine up, builds everything and runs the benchmark under Xvfb:
# first as WebEngine starts by default, then in Chromium's process-per-site
# mode (ready time, dashboard and memory only). Arguments go to both runs:
#   --smoke  one run with tiny counts (seconds)
#   --full   15 runs, 300k points as well (far longer than the default)
# The default, 9 runs at 1k, 10k and 100k points, takes a few minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
. scripts/env.sh

bench() {
    xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/kzchartbench "$@"
}
bench "$@"
QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:+$QTWEBENGINE_CHROMIUM_FLAGS }--process-per-site" \
    bench --sections ready,dashboard,memory "$@"
