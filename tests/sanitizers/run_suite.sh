#!/usr/bin/env bash
# Runs the whole pytest suite against native modules built with
# AddressSanitizer and UndefinedBehaviorSanitizer. The sanitizer runtime is
# preloaded into the interpreter; memory errors and undefined behaviour stop
# the run at once. Leaks are collected at exit and only those whose
# allocation passed through our own modules fail the run (the interpreter
# and the libraries it loads keep much of their memory until the process
# ends, by design). Capture stays at the Python level so that a report the
# runtime writes to standard error before aborting is not lost with pytest's
# captured output.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${SANITIZE_BUILD:-build/asan}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLENKO_SANITIZE=ON > /dev/null
cmake --build "$build" --target _tarsel_plenko _indicators
logs=$(mktemp -d)
status=0
env LD_PRELOAD="$(gcc -print-file-name=libasan.so) $(gcc -print-file-name=libubsan.so)" \
    ASAN_OPTIONS="detect_leaks=1:malloc_context_size=30:log_path=$logs/asan" \
    LSAN_OPTIONS="exitcode=0:suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0" \
    UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$logs/ubsan" \
    PYTHONMALLOC=malloc PYTHONPATH="$build/stage" \
    python -m pytest -q -p no:cacheprovider --capture=sys tests || status=$?
python tests/sanitizers/check_reports.py "$logs" || status=1
exit $status
