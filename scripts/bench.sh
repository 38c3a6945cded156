#!/usr/bin/env bash
# Sets the machine up, builds everything and runs the benchmark under Xvfb:
# first as WebEngine starts by default, then in Chromium's process-per-site
# mode (ready time, dashboard, memory, the live dashboard W2 of web charts
# and renderer recovery). Arguments go to both runs:
#   --smoke           one run with tiny counts (seconds; the test suite runs it)
#   --full            15 runs, 300k points as well, and plain ECharts (the floor)
#                     at 100k and 300k points (an hour)
#   --pictures DIR    one PNG per contender, to check that all draw the same
#   --live-seconds N  how long each live contender is fed (default 30)
# The default, 9 runs at 1k, 10k and 100k points (the floor up to 10k) and
# 30 s per live contender (W1 and W2 with six contenders each, W2 again with
# the two web charts in process-per-site mode), takes about 20 minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
. scripts/env.sh

bench() {
    xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/kzchartbench "$@"
}
bench "$@"
bench --process-per-site --sections ready,dashboard,memory,live,recovery "$@"
