#!/usr/bin/env bash
# Runs every fuzz harness of a fuzz build for the given number of seconds, each on its own
# corpus (started from the seeds made of the test data) with its dictionary, and prints the
# executions per second. Fails when a harness finds a crash, a leak or undefined behaviour;
# the input that did it is left in <build>/artifacts/.
set -euo pipefail
build="$1"
seconds="$2"
root="$(cd "$(dirname "$0")/.." && pwd)"
mkdir -p "$build/artifacts"
status=0
for harness in "$build"/fuzz/fuzz_*; do
    name="$(basename "$harness")"
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    cp -n "$build/seeds/$name"/* "$corpus"/ 2>/dev/null || true
    dict="$root/fuzz/dict/${name#fuzz_}.dict"
    dict="${dict/_bid.dict/.dict}"
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=1048576
             -artifact_prefix="$build/artifacts/$name-" -print_final_stats=1)
    [ -f "$dict" ] && options+=(-dict="$dict")
    log="$build/artifacts/$name.log"
    if "$harness" "${options[@]}" "$corpus" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
        echo "$name: ${runs:-?} Eingaben, ${rate:-?} pro Sekunde, kein Befund"
    else
        echo "$name: BEFUND, siehe $log" >&2
        tail -n 40 "$log" >&2
        status=1
    fi
done
exit $status
