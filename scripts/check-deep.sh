#!/usr/bin/env bash
# The slow checks that the normal CI run leaves out:
#
#   scripts/check-deep.sh [asan|tsan]...     (both when none is named)
#
# asan: builds the test suites with AddressSanitizer and UndefinedBehaviorSanitizer (preset
#       "asan") and runs every test, the fuzz corpus replays included.
# tsan: builds the suites that run threads with ThreadSanitizer (preset "tsan") and runs the
#       tests of the scan thread, the event loops and workers, the lighting engines and the
#       synchronised effect, the command channel's locks, the device link's event and light
#       threads, the message server and the update threads.
# Either fails on the first sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."

checks=("$@")
[ ${#checks[@]} -eq 0 ] && checks=(asan tsan)

# Suites whose tests start threads, and the tests in them that do.
tsan_suites=(base_tests hid_tests lighting_tests channel_tests devmgr_tests shell_tests update_tests)
tsan_tests='^(ThreadEventLoop|Worker|VirtualClock|ScanThread|HidDevice|HidDeviceIo|FdChannel|LightingEngine|SleepingEngine|SharedEffect|ChannelTest|PendingExchangeTest|WirelessChannel|DeviceLighting|LiveFrame|DeviceBaseTest|DeviceTimerTest|MessageServerTest|IpcClientTest|HttpDownload|UpdateBatch|UpdateCheck)\.'

# No suppressions: no run so far reported anything in third-party code.
export ASAN_OPTIONS="detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"

scripts/install-deps.sh
for check in "${checks[@]}"; do
    case "$check" in
    asan)
        cmake --preset asan >/dev/null
        cmake --build --preset asan
        ctest --preset asan -j "$(nproc)" --timeout 900
        ;;
    tsan)
        cmake --preset tsan >/dev/null
        cmake --build --preset tsan --target "${tsan_suites[@]}" morva_resources
        ctest --preset tsan -j "$(nproc)" --timeout 900 -R "$tsan_tests"
        ;;
    *)
        echo "usage: scripts/check-deep.sh [asan|tsan]..." >&2
        exit 2
        ;;
    esac
done
