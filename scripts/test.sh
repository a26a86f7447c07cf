#!/usr/bin/env bash
# Installs the dependencies, builds everything and runs every test, then runs the tests once
# more in an AddressSanitizer/UndefinedBehaviorSanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

build_and_test() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@"
    cmake --build "$dir" -j"$jobs"
    ctest --test-dir "$dir" --output-on-failure -j"$jobs" --timeout 300
}

echo "== Build and tests =="
build_and_test build -DCMAKE_BUILD_TYPE=RelWithDebInfo

echo "== Build and tests with AddressSanitizer and UBSan =="
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
build_and_test build-asan -DCMAKE_BUILD_TYPE=Debug -DRV44_SANITIZE=ON -DRV44_BUILD_BENCH=OFF
