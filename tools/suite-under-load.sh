#!/bin/sh
# Runs the whole test suite several times while stress-ng keeps more CPU
# workers busy than the machine has cores, and prints one line per run
# (tests passed, failed, wall time) and the names of any that failed. A test
# that fails here only under load waits for time instead of for an event.
#
#     tools/suite-under-load.sh [build dir] [runs] [stress workers]
#
# Both stress-ng and ctest run at nice 5, so they compete with each other
# and leave other work on the machine its share.
set -u
build=${1:-build}
runs=${2:-5}
workers=${3:-4}
command -v stress-ng >/dev/null || { echo "stress-ng is missing (tools/install-deps.sh)" >&2; exit 2; }
log=$(mktemp -d)
nice -n 5 stress-ng --cpu "$workers" --timeout 0 --quiet &
stress=$!
trap 'kill $stress 2>/dev/null; wait $stress 2>/dev/null' EXIT
trap 'exit 130' INT TERM
failedRuns=0
for run in $(seq 1 "$runs"); do
    start=$(date +%s)
    nice -n 5 ctest --test-dir "$build" -j2 --output-on-failure >"$log/run$run.txt" 2>&1
    status=$?
    seconds=$(( $(date +%s) - start ))
    summary=$(grep -E "tests passed, [0-9]+ tests failed" "$log/run$run.txt")
    echo "run $run: ${summary:-no summary (status $status)}; ${seconds} s"
    if [ "$status" -ne 0 ]; then
        failedRuns=$((failedRuns + 1))
        sed -n '/The following tests FAILED/,$p' "$log/run$run.txt"
    fi
done
echo "$failedRuns of $runs runs failed; full output in $log"
[ "$failedRuns" -eq 0 ]
