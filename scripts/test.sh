#!/usr/bin/env bash
# Sets the machine up, builds everything against Qt 5 (build/) and Qt 6
# (build-qt6/) with warnings treated as errors and runs the whole test suite of
# each under Xvfb. `--qt 5` or `--qt 6` first limits it to one Qt; `--quick`
# leaves out the tests labelled slow; further arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
majors=(5 6)
quick=()
while [ $# -gt 0 ]; do
    case "$1" in
        --qt) majors=("$2"); shift 2 ;;
        --quick) quick=(-LE slow); shift ;;
        *) break ;;
    esac
done
scripts/setup.sh
. scripts/env.sh
for qt in "${majors[@]}"; do
    scripts/build.sh --qt "$qt" -DKZCHART_WARNINGS_AS_ERRORS=ON
done
for qt in "${majors[@]}"; do
    echo "== Qt $qt: $(kz_build_dir "$qt")"
    xvfb-run -a -s "-screen 0 1600x1000x24" ctest --test-dir "$(kz_build_dir "$qt")" --output-on-failure "${quick[@]}" "$@"
done
