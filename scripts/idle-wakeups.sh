#!/usr/bin/env bash
# Measures how often a running program wakes up and how much CPU it takes while it idles:
#   scripts/idle-wakeups.sh <pid> [seconds]     (default 30 s)
# Prints the CPU share and the wake-ups per second (context switches of all its threads, which
# count every return from a sleep), then the threads that woke, busiest first.
set -euo pipefail

pid=${1:?usage: $0 <pid> [seconds]}
seconds=${2:-30}
[ -d "/proc/$pid" ] || { echo "no process $pid" >&2; exit 1; }

# "<tid> <name> <switches>" for every thread of the process.
thread_switches() {
    local status tid name voluntary involuntary
    for status in /proc/"$pid"/task/*/status; do
        tid=${status#/proc/"$pid"/task/}
        tid=${tid%/status}
        name=$(sed -n 's/^Name:\t//p' "$status" 2>/dev/null) || continue
        voluntary=$(sed -n 's/^voluntary_ctxt_switches:\t//p' "$status" 2>/dev/null) || continue
        involuntary=$(sed -n 's/^nonvoluntary_ctxt_switches:\t//p' "$status" 2>/dev/null) || continue
        [ -n "$voluntary" ] && echo "$tid ${name// /_} $((voluntary + involuntary))"
    done
}

# User and system CPU time of the whole process, in clock ticks.
cpu_ticks() {
    awk '{ print $14 + $15 }' "/proc/$pid/stat"
}

before=$(thread_switches)
ticks_before=$(cpu_ticks)
sleep "$seconds"
after=$(thread_switches)
ticks_after=$(cpu_ticks)
hertz=$(getconf CLK_TCK)

awk -v seconds="$seconds" -v ticks=$((ticks_after - ticks_before)) -v hertz="$hertz" '
    NR == FNR { start[$1] = $3; next }
    {
        woke = $3 - ($1 in start ? start[$1] : 0)
        total += woke
        if (woke > 0) { threads = threads sprintf("%10.2f/s  %s (thread %s)\n", woke / seconds, $2, $1) }
    }
    END {
        printf "CPU: %.2f %%\n", 100 * ticks / hertz / seconds
        printf "wake-ups: %.2f per second (%d in %d s)\n", total / seconds, total, seconds
        printf "%s", threads
    }' <(echo "$before") <(echo "$after") | { read -r cpu; read -r wakeups; echo "$cpu"; echo "$wakeups"; sort -rn; }
