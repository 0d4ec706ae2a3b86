#!/usr/bin/env bash
# Fuzzes the parsers of outside input with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer.
#
#   scripts/fuzz.sh [seconds] [target...]
#
# Builds the targets of tests/fuzz with clang in build-fuzz, then fuzzes each named target (all
# when none is named) for the given seconds (default 60), starting from its corpus in
# tests/fuzz/corpus/<target>/. New inputs go to build-fuzz/fuzz-work/<target>/new, never into the
# committed corpus. A crash is minimised to build-fuzz/fuzz-work/<target>/minimised-<name>; once
# the fault is fixed, copy that file into the target's corpus so the test run replays it.
# 0 seconds only builds.
# Prints the executions of each target and exits 1 when any target crashed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
[ $# -gt 0 ] && shift
if ! [[ $seconds =~ ^[0-9]+$ ]]; then
    echo "usage: scripts/fuzz.sh [seconds] [target...]" >&2
    exit 2
fi

# The fuzz build needs clang and its sanitizer and libFuzzer runtimes on top of the normal build.
scripts/install-deps.sh
missing=()
for p in clang libclang-rt-14-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

all_targets=()
for source in tests/fuzz/*_fuzz.cpp; do
    name=$(basename "$source" _fuzz.cpp)
    all_targets+=("$name")
done
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all_targets[@]}")
for target in "${targets[@]}"; do
    if [ ! -f "tests/fuzz/${target}_fuzz.cpp" ]; then
        echo "no fuzz target '$target'; there are: ${all_targets[*]}" >&2
        exit 2
    fi
done

sanitizers="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
cmake -S . -B build-fuzz -G Ninja >/dev/null \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="$sanitizers -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DMORVA_FUZZ=ON -DMORVA_BUILD_GUI=OFF -DMORVA_BUILD_BENCH=OFF
cmake --build build-fuzz -- "${targets[@]/%/_fuzz}"
[ "$seconds" -eq 0 ] && exit 0

export UBSAN_OPTIONS=print_stacktrace=1
summary=()
crashed=0
for target in "${targets[@]}"; do
    work="build-fuzz/fuzz-work/$target"
    mkdir -p "$work/new"
    rm -f "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*
    echo "== $target: $seconds s"
    status=0
    "build-fuzz/bin/${target}_fuzz" "$work/new" "tests/fuzz/corpus/$target" \
        -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
        -max_len=65536 -artifact_prefix="$work/" >"$work/log" 2>&1 || status=$?
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n 1)
    result="clean"
    for artifact in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*; do
        [ -e "$artifact" ] || continue
        minimised="$work/minimised-$(basename "$artifact")"
        "build-fuzz/bin/${target}_fuzz" -minimize_crash=1 -max_total_time=60 \
            -exact_artifact_path="$minimised" "$artifact" >>"$work/minimise.log" 2>&1 || true
        [ -e "$minimised" ] || cp "$artifact" "$minimised"
        echo "   fault: $minimised (see $work/log)"
        result="FAULT"
        crashed=1
    done
    if [ "$result" = clean ] && [ $status -ne 0 ]; then
        result="FAILED (exit $status, see $work/log)"
        crashed=1
    fi
    summary+=("$(printf '%-14s %6s s  %12s executions  %s' "$target" "$seconds" "${executions:-?}" "$result")")
done

echo
printf '%s\n' "${summary[@]}"
exit $crashed
