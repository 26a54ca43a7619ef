#!/usr/bin/env bash
# The set-up commands of the README:
#   ./build.sh run [FILE]  installs what is missing, builds and starts the application (with FILE)
#   ./build.sh test   installs what is missing, builds everything and runs every test
#   ./build.sh bench  builds and runs the benchmark
set -euo pipefail
start_dir="$PWD"
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
    shift
    # Files are named from where the command was given.
    files=()
    for f in "$@"; do
        case "$f" in /*) files+=("$f") ;; *) files+=("$start_dir/$f") ;; esac
    done
    exec bash scripts/run.sh "$build_dir/orvak" "${files[@]}"
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
    echo "usage: ./build.sh run [FILE]|test|bench" >&2
    exit 2
    ;;
esac
