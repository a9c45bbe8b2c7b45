#!/usr/bin/env bash
# Builds the libFuzzer target of the score loader with clang, AddressSanitizer
# and UndefinedBehaviorSanitizer in build-fuzz/, then fuzzes it.
#   tools/run-fuzz.sh [seconds]      (default 600)
# New inputs go to build-fuzz/corpus/score-loader; the seeds in
# fuzz/corpus/score-loader are only read. Findings land in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}

bash tools/setup-deps.sh --fuzz

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORVANA_BUILD_FUZZ=ON -DORVANA_SANITIZE=address,undefined -DORVANA_WERROR=OFF \
    -DORVANA_BUILD_TESTS=OFF -DORVANA_BUILD_BENCH=OFF
cmake --build build-fuzz -j "${JOBS:-2}" --target orvana_fuzz_score_loader

mkdir -p build-fuzz/corpus/score-loader build-fuzz/findings
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    build-fuzz/bin/orvana_fuzz_score_loader \
    -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=4096 -timeout=10 \
    -dict=fuzz/score-loader.dict -artifact_prefix=build-fuzz/findings/ -print_final_stats=1 \
    build-fuzz/corpus/score-loader fuzz/corpus/score-loader
