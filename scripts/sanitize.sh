#!/usr/bin/env bash
# Builds the library and the test suite with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ and runs the suite under Xvfb.
# Any report fails the run, but for the leaks inside Qt, Chromium and system
# libraries that scripts/sanitizers/lsan.supp lists, each with its reason.
# Extra arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKZCHART_SANITIZE=ON \
    -DKZCHART_BUILD_EXAMPLES=OFF -DKZCHART_BUILD_BENCHMARKS=OFF
cmake --build build-asan --parallel "$(nproc)"
. scripts/env.sh
suppressions="$PWD/scripts/sanitizers"
# The preload below comes before the sanitizer runtime, which is harmless:
# Mesa's driver does not replace malloc.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:verify_asan_link_order=0"
export LSAN_OPTIONS="suppressions=$suppressions/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Instrumented code runs several times slower; tests with time limits scale them.
export KZCHART_TEST_TIME_SCALE=4
# Qt's GLX integration unloads Mesa's software driver at exit while the
# driver's memory is still referenced from its own globals: LeakSanitizer
# then sees it as leaked, in a library it can no longer name. Kept loaded,
# that memory stays reachable.
mesa=$(ls /usr/lib/*/dri/swrast_dri.so 2>/dev/null | head -n 1 || true)
xvfb-run -a -s "-screen 0 1600x1000x24" env ${mesa:+LD_PRELOAD="$mesa"} \
    ctest --test-dir build-asan --output-on-failure "$@"
