#!/usr/bin/env bash
# The set-up commands of the README:
#   ./build.sh run [FILE]      installs what is missing, builds and starts the application (with FILE)
#   ./build.sh test            installs what is missing and runs what CI runs: the build with
#                              warnings as errors and every test, the Debian package and its
#                              checks, the same tests under
#                              AddressSanitizer/UndefinedBehaviorSanitizer, and each fuzz
#                              harness for 10 seconds
#   ./build.sh check           the build and the tests alone (quick)
#   ./build.sh test-asan       the tests under the sanitizers alone
#   ./build.sh fuzz [SECONDS]  builds the fuzz harnesses (clang) and runs each for SECONDS (60)
#   ./build.sh bench           builds and runs the benchmark
#   ./build.sh deb             builds the Debian package build/package/orvak_VERSION_ARCH.deb
#                              with CPack and checks it (lintian, desktop entry, file types,
#                              hardening, orvak-cli from the unpacked package); test does the same
set -euo pipefail
start_dir="$PWD"
cd "$(dirname "$0")"
build_dir="${BUILD_DIR:-build}"
jobs="$(nproc 2>/dev/null || echo 2)"

configure_and_build() { # dir, cmake options...
    local dir="$1"
    shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
}

build() {
    bash scripts/setup.sh
    configure_and_build "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVAK_WERROR=ON
}

run_tests() { # dir
    (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")
}

test_asan() {
    bash scripts/setup.sh
    # Line tables are all the sanitizers' reports need (file and line of each frame).
    configure_and_build build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DORVAK_WERROR=ON \
        -DORVAK_SANITIZE=ON
    # Leaks inside the platform's libraries (fontconfig, Qt's plugins) are not ours.
    ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" \
        LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0" \
        UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" run_tests build-asan
}

# Makes the package from the build in $build_dir (CPack installs what is built there, no second
# build) and checks it.
package() {
    rm -rf "$build_dir/package"
    (cd "$build_dir" && cpack -G DEB)
    local debs=("$build_dir"/package/orvak_*.deb)
    bash scripts/check_deb.sh "${debs[0]}"
}

fuzz() { # seconds
    bash scripts/setup.sh
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVAK_FUZZ=ON \
        "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" \
        -DORVAK_WERROR=ON >/dev/null
    cmake --build build-fuzz -j "$jobs" --target fuzzers fuzz_seeds
    bash scripts/fuzz.sh build-fuzz "$1"
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
    run_tests "$build_dir"
    package
    test_asan
    fuzz 10
    ;;
check)
    build
    run_tests "$build_dir"
    ;;
test-asan)
    test_asan
    ;;
fuzz)
    fuzz "${2:-60}"
    ;;
bench)
    build
    "$build_dir/orvak-bench"
    ;;
deb)
    build
    package
    ;;
*)
    echo "usage: ./build.sh run [FILE]|test|check|test-asan|fuzz [SECONDS]|bench|deb" >&2
    exit 2
    ;;
esac
