#!/usr/bin/env bash
# Sets the machine up, builds everything with warnings treated as errors and
# runs the whole test suite under Xvfb. Extra arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh -DKZCHART_WARNINGS_AS_ERRORS=ON
. scripts/env.sh
xvfb-run -a -s "-screen 0 1600x1000x24" ctest --test-dir build --output-on-failure "$@"
