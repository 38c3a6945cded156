#!/usr/bin/env bash
# Sets the machine up, builds everything and runs the benchmark under Xvfb:
# first as WebEngine starts by default, then in Chromium's process-per-site
# mode (ready time, dashboard and memory only). Arguments go to both runs:
#   --smoke  one run with tiny counts (seconds)
#   --full   15 runs, 300k points as well, and plain ECharts (the floor) at
#            100k and 300k points, which takes many seconds per run (an hour)
# The default, 9 runs at 1k, 10k and 100k points (the floor up to 10k),
# takes about ten minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
. scripts/env.sh

bench() {
    xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/kzchartbench "$@"
}
bench "$@"
bench --process-per-site --sections ready,dashboard,memory "$@"
