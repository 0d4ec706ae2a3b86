#!/usr/bin/env python3
"""Start-up time, memory and idle CPU of the GUI, side by side with a bare Qt window.

Runs on a virtual display of its own (Xvfb, 1280x800, no window manager: a screen on which the
program keeps its base scale, so both windows are 1000x640) and prints, for a bare Qt Widgets
window (the floor), the program's first start (which also makes the user's data folders), the
program with no device and the program in demo mode (both started with those folders in place):
  - the time from starting the process to its window being mapped (median of the runs),
  - the resident memory three seconds after the window mapped,
  - for demo mode, the CPU the program uses over a stretch with every device animating, once
    on the page it starts on (the mouse's) and once on the keyboard's, whose preview repaints
    the most,
and the program's figures as ratios to the bare window's. The subjects take turns run by run,
so that a machine that is slower for a while slows all of them alike.

    python3 scripts/startup-figures.py [--build build-ci] [--runs 5] [--cpu-seconds 30]

Standard library only; needs Xvfb, xev (x11-utils) and, for the keyboard page, xdotool.
"""
import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time


def start_display():
    for number in range(120, 160):
        if not os.path.exists("/tmp/.X11-unix/X%d" % number):
            server = subprocess.Popen(["Xvfb", ":%d" % number, "-screen", "0", "1280x800x24"],
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            display = ":%d" % number
            for _ in range(100):
                if os.path.exists("/tmp/.X11-unix/X%d" % number):
                    return server, display
                time.sleep(0.05)
            server.kill()
    sys.exit("no free display for Xvfb")


def resident_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def cpu_seconds(pid):
    """CPU time of every thread of the process, from the scheduler's nanosecond counts."""
    total = 0
    for task in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/schedstat" % (pid, task)) as stat:
                total += int(stat.read().split()[0])
        except OSError:
            pass  # a thread that ended meanwhile
    return total / 1e9


def private_environment(root, display):
    env = dict(os.environ, DISPLAY=display, LANG="en_US.UTF-8", QT_QPA_PLATFORM="xcb")
    for name in ("XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"):
        path = os.path.join(root, name)
        os.makedirs(path, mode=0o700, exist_ok=True)
        env[name] = path
    env.pop("MORVA_TRACE", None)
    return env


def show_keyboard_page(program, env):
    """Clicks the demo's keyboard tab, the second of the device bar, under the 40-unit title."""
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid",
                            str(program.pid), "--name", "MORVA"], env=env, text=True,
                           capture_output=True, timeout=10)
    window = found.stdout.split()[0]
    geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window], env=env,
                              text=True, capture_output=True).stdout
    place = dict(line.split("=", 1) for line in geometry.split())
    x = int(place["X"]) + (65 + 168) * int(place["WIDTH"]) // 1000
    y = int(place["Y"]) + 72 * int(place["HEIGHT"]) // 640
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1", "mousemove", "0", "0"],
                   env=env)


def one_run(command, env, settle, cpu_window, before_cpu=None):
    """Milliseconds to the first map, resident KiB after settling, CPU % over cpu_window."""
    watcher = subprocess.Popen(["xev", "-root", "-event", "substructure"], env=env,
                               stdout=subprocess.PIPE, text=True, bufsize=1)
    time.sleep(0.3)  # xev selects its events before the program starts
    started = time.monotonic()
    program = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    mapped_ms = None
    for line in watcher.stdout:
        if line.startswith("MapNotify"):
            mapped_ms = (time.monotonic() - started) * 1000
            break
    watcher.kill()
    time.sleep(settle)
    rss = resident_kib(program.pid)
    cpu = None
    if cpu_window:
        if before_cpu:
            before_cpu(program, env)
            time.sleep(1)
        before = cpu_seconds(program.pid)
        time.sleep(cpu_window)
        cpu = (cpu_seconds(program.pid) - before) / cpu_window * 100
    program.send_signal(signal.SIGTERM)
    try:
        program.wait(timeout=10)
    except subprocess.TimeoutExpired:
        program.kill()
    return mapped_ms, rss, cpu


def measured_run(command, display, later_start, cpu_window=0, before_cpu=None):
    """One run in folders of its own; a later start finds them filled by an unmeasured one."""
    root = tempfile.mkdtemp(prefix="morva-figures-")
    try:
        env = private_environment(root, display)
        if later_start:
            one_run(command, env, 0.5, 0)
        return one_run(command, env, 3, cpu_window, before_cpu)
    finally:
        shutil.rmtree(root, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build-ci")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--cpu-seconds", type=float, default=30)
    args = parser.parse_args()
    binary = os.path.join(args.build, "bin")
    # A first start also writes the user's data folders; later starts find them. Each run of a
    # later start has folders of its own that one unmeasured start has filled.
    morva = os.path.join(binary, "morva")
    subjects = [
        ("bare Qt window", [os.path.join(binary, "bare_window")], False),
        ("morva, first start", [morva], False),
        ("morva, no device", [morva], True),
        ("morva --demo", [morva, "--demo"], True),
    ]
    for _, command, _ in subjects:
        if not os.access(command[0], os.X_OK):
            sys.exit("%s is not built" % command[0])
    server, display = start_display()
    times = {name: [] for name, _, _ in subjects}
    memory = {name: [] for name, _, _ in subjects}
    cpu_share = {}
    try:
        for _ in range(args.runs):
            for name, command, later_start in subjects:
                mapped, rss, _ = measured_run(command, display, later_start)
                if mapped is not None:
                    times[name].append(mapped)
                memory[name].append(rss)
        demo = [morva, "--demo"]
        cpu_share["morva --demo"] = measured_run(demo, display, True, args.cpu_seconds)[2]
        if shutil.which("xdotool"):
            cpu_share["  keyboard page"] = measured_run(demo, display, True, args.cpu_seconds,
                                                  show_keyboard_page)[2]
    finally:
        server.terminate()
    results = {name: (statistics.median(times[name]) if times[name] else float("nan"),
                      statistics.median(memory[name]) / 1024, cpu_share.get(name))
               for name, _, _ in subjects}
    bare_ms, bare_mib, _ = results["bare Qt window"]
    print("%-18s %12s %8s %12s %8s %14s" % ("", "mapped (ms)", "ratio", "resident MiB",
                                            "+MiB", "CPU (% core)"))
    for name, (ms, mib, cpu) in results.items():
        print("%-18s %12.0f %8.2f %12.1f %+8.1f %14s" % (
            name, ms, ms / bare_ms, mib, mib - bare_mib,
            "%.2f" % cpu if cpu is not None else "-"))
    for name, share in cpu_share.items():
        if name not in results and share is not None:
            print("%-18s %12s %8s %12s %8s %14.2f" % (name, "", "", "", "", share))


if __name__ == "__main__":
    main()
