#!/usr/bin/env bash
# The set-up commands of the README:
#   ./build.sh run    installs what is missing, builds and starts the application
#   ./build.sh test   installs what is missing, builds everything and runs every test
#   ./build.sh bench  builds and runs the benchmark
set -euo pipefail
cd "$(dirname "$0")"
build_dir="${BUILD_DIR:-build}"
jobs="$(nproc 2>/dev/null || echo 2)"

build() {
    bash scripts/setup.sh
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build_dir" -j "$jobs"
}

case "${1:-}" in
run)
    build
    exec bash scripts/run.sh "$build_dir/orvak"
    ;;
test)
    build
    cd "$build_dir"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs"
    ;;
bench)
    build
    "$build_dir/orvak-bench"
    ;;
*)
    echo "usage: ./build.sh run|test|bench" >&2
    exit 2
    ;;
esac
