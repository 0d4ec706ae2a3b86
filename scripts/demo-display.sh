# shellcheck shell=bash
# Shared by the screenshot scripts (sourced, not run): the built program, a virtual display and
# the program in demo mode on it as a fresh user, all stopped again when the script exits.

# The program of any existing build (MORVA_BUILD_DIR picks one); otherwise the default one is made.
demo_program() {
    local gui=${MORVA_BUILD_DIR:-build}/bin/morva
    if [ -z "${MORVA_BUILD_DIR:-}" ] && [ ! -x "$gui" ] && [ -x build-ci/bin/morva ]; then
        gui=build-ci/bin/morva
    fi
    if [ ! -x "$gui" ]; then
        scripts/install-deps.sh >&2
        cmake --preset default -DMORVA_BUILD_TESTS=OFF -DMORVA_BUILD_BENCH=OFF >/dev/null
        cmake --build --preset default --target morva >&2
    fi
    echo "$gui"
}

demo_cleanup() {
    if [ -n "${demo_gui_pid:-}" ] && kill "$demo_gui_pid" 2>/dev/null; then
        wait "$demo_gui_pid" 2>/dev/null || true  # it leaves before its display does
    fi
    if [ -n "${demo_xvfb_pid:-}" ]; then
        kill "$demo_xvfb_pid" 2>/dev/null || true
    fi
    if [ -n "${demo_runtime:-}" ]; then
        rm -rf "$demo_runtime"
    fi
}

# Starts a virtual display of that size (e.g. 1280x800) and sets DEMO_DISPLAY.
demo_start_display() {
    DEMO_DISPLAY=:$(( 90 + RANDOM % 100 ))
    Xvfb "$DEMO_DISPLAY" -screen 0 "$1x24" -nolisten tcp >/dev/null 2>&1 &
    demo_xvfb_pid=$!
    trap demo_cleanup EXIT
    for _ in $(seq 50); do
        xdpyinfo -display "$DEMO_DISPLAY" >/dev/null 2>&1 && break
        [ -e "/tmp/.X11-unix/X${DEMO_DISPLAY#:}" ] && break
        sleep 0.1
    done
}

# Runs the program in demo mode on the display with the given extra arguments, as a fresh user:
# no stored background, English texts (language identifier 1033).
demo_start_program() {
    local gui
    gui=$(demo_program)
    demo_runtime=$(mktemp -d)
    chmod 700 "$demo_runtime"
    mkdir -p "$demo_runtime/config/QT4410-VIGOR MORVA" "$demo_runtime/data"
    echo '{ "LANGUAGE" : 1033 }' >"$demo_runtime/config/QT4410-VIGOR MORVA/settings.json"
    DISPLAY=$DEMO_DISPLAY XDG_RUNTIME_DIR=$demo_runtime XDG_CONFIG_HOME=$demo_runtime/config \
        XDG_DATA_HOME=$demo_runtime/data "$gui" --demo "$@" &
    demo_gui_pid=$!
}
