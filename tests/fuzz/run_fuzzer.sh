#!/usr/bin/env bash
# Builds the libFuzzer target of the command path with clang, AddressSanitizer
# and UndefinedBehaviorSanitizer, and fuzzes it for FUZZ_SECONDS (default 180)
# starting from the seed corpus. A crash, a sanitizer report or a response
# that is not JSON of a documented shape stops it with a non-zero status and
# leaves the input as build/fuzz/crash-*.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${FUZZ_BUILD:-build/fuzz}
seconds=${FUZZ_SECONDS:-180}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DPLENKO_SANITIZE=ON -DPLENKO_FUZZ=ON > /dev/null
cmake --build "$build" --target fuzz_commands
mkdir -p "$build/corpus"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export ASAN_OPTIONS=detect_leaks=1
"$build/fuzz_commands" -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix="$build/" "$build/corpus" tests/fuzz/corpus
