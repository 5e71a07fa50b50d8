#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs every test headless.
#   scripts/test.sh [ctest options...]             the normal build in build/
#   scripts/test.sh --sanitize [ctest options...]  the same tests built with AddressSanitizer and
#       UndefinedBehaviorSanitizer (leak checks on) in build-asan/ (PICTOVANCE_ASAN_DIR); any finding fails
#       the test that made it
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
export QT_QPA_PLATFORM=offscreen

if [[ "${1:-}" != "--sanitize" ]]; then
    "$root/scripts/build.sh"
    build="${PICTOVANCE_BUILD_DIR:-$root/build}"
    exec ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" "$@"
fi
shift

build="${PICTOVANCE_ASAN_DIR:-$root/build-asan}"
# -O1 keeps the run quick, -g1 gives the reports their lines; the library assertions add bounds checks to
# the standard containers. GCC's object-size and bounds warnings misfire on code the sanitizers have instrumented
# (the normal build keeps them). Benchmarks mean nothing under the sanitizers and are left out.
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS"
flags+=" -Wno-stringop-overflow -Wno-array-bounds"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DPICTOVANCE_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"

suppressions="$root/scripts/sanitizers"
export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$suppressions/ubsan.supp"
export LSAN_OPTIONS="suppressions=$suppressions/lsan.supp:print_suppressions=0"
exec ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" "$@"
