#!/usr/bin/env bash
# Builds the libFuzzer targets with AddressSanitizer and UndefinedBehaviorSanitizer into build-fuzz/ and
# runs each for a number of seconds (first argument, default 60), starting from the seeds in
# fuzz/corpus/<target>/. The growing corpus is kept in fuzz/corpus-run/<target>/, crash inputs in
# <build>/artifacts/. Prints per target the executions and whether it crashed.
#   PICTOVANCE_FUZZ_DIR      build folder (default build-fuzz in the repository)
#   PICTOVANCE_FUZZ_TARGETS  space-separated targets (default: every *_fuzz target)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
build="${PICTOVANCE_FUZZ_DIR:-$root/build-fuzz}"
"$root/scripts/install-deps.sh" --fuzz

if [[ ! -f "$build/build.ninja" ]]; then
    CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DPICTOVANCE_BUILD_FUZZ=ON -DPICTOVANCE_BUILD_TESTS=OFF -DPICTOVANCE_BUILD_BENCH=OFF \
        -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -g -O1" \
        -DCMAKE_C_FLAGS="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -g -O1"
fi

if [[ -n "${PICTOVANCE_FUZZ_TARGETS:-}" ]]; then
    read -r -a targets <<<"$PICTOVANCE_FUZZ_TARGETS"
else
    mapfile -t targets < <(cmake --build "$build" --target help | sed -n 's/^\([a-z0-9_]*_fuzz\):.*/\1/p' | sort)
fi

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Fontconfig keeps its caches until exit; they are not leaks of ours.
export LSAN_OPTIONS="suppressions=$root/fuzz/codecs/lsan_suppressions.txt"
mkdir -p "$build/artifacts" "$build/logs"
declare -a summary
for target in "${targets[@]}"; do
    if ! cmake --build "$build" --target "$target" >"$build/logs/$target.build.log" 2>&1; then
        summary+=("$target: build failed (see $build/logs/$target.build.log)")
        continue
    fi
    corpus="$root/fuzz/corpus-run/$target"
    mkdir -p "$corpus"
    seeds=()
    [[ -d "$root/fuzz/corpus/$target" ]] && seeds=("$root/fuzz/corpus/$target")
    log="$build/logs/$target.log"
    status=0
    "$build/fuzz/$target" "$corpus" "${seeds[@]}" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2560 \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" >"$log" 2>&1 || status=$?
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
    if [[ $status -eq 0 ]]; then
        summary+=("$target: ${runs:-?} executions, no crash")
    else
        summary+=("$target: ${runs:-?} executions, CRASHED (exit $status; see $log)")
    fi
done
printf '%s\n' "${summary[@]}"
