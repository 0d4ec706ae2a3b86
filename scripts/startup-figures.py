#!/usr/bin/env python3
"""Start-up time, memory and idle CPU of the GUI, side by side with a bare Qt window.

Runs on a virtual display of its own (Xvfb, 1280x800, no window manager: a screen on which the
program keeps its base scale, so both windows are 1000x640) and prints, for a bare Qt Widgets
window (the floor), the program's first start (which also makes the user's data folders), the
program with no device and the program in demo mode (both started with those folders in place):
  - the time from starting the process to its window being mapped (median of the runs),
  - the resident memory three seconds after the window mapped,
  - for demo mode, the CPU the program uses over a stretch with every device animating,
and the program's figures as ratios to the bare window's.

    python3 scripts/startup-figures.py [--build build-ci] [--runs 5] [--cpu-seconds 30]

Standard library only; needs Xvfb and xev (x11-utils).
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

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


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
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def private_environment(root, display):
    env = dict(os.environ, DISPLAY=display, LANG="en_US.UTF-8", QT_QPA_PLATFORM="xcb")
    for name in ("XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"):
        path = os.path.join(root, name)
        os.makedirs(path, mode=0o700, exist_ok=True)
        env[name] = path
    env.pop("MORVA_TRACE", None)
    return env


def one_run(command, env, settle, cpu_window):
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
        before = cpu_seconds(program.pid)
        time.sleep(cpu_window)
        cpu = (cpu_seconds(program.pid) - before) / cpu_window * 100
    program.send_signal(signal.SIGTERM)
    try:
        program.wait(timeout=10)
    except subprocess.TimeoutExpired:
        program.kill()
    return mapped_ms, rss, cpu


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
        ("bare Qt window", [os.path.join(binary, "bare_window")], False, False),
        ("morva, first start", [morva], False, False),
        ("morva, no device", [morva], False, True),
        ("morva --demo", [morva, "--demo"], True, True),
    ]
    for _, command, _, _ in subjects:
        if not os.access(command[0], os.X_OK):
            sys.exit("%s is not built" % command[0])
    server, display = start_display()
    results = {}
    try:
        for name, command, measure_cpu, later_start in subjects:
            times, memory, cpus = [], [], []
            for run in range(args.runs):
                root = tempfile.mkdtemp(prefix="morva-figures-")
                try:
                    env = private_environment(root, display)
                    if later_start:
                        one_run(command, env, 0.5, 0)
                    cpu_window = args.cpu_seconds if measure_cpu and run == 0 else 0
                    mapped, rss, cpu = one_run(command, env, 3, cpu_window)
                finally:
                    shutil.rmtree(root, ignore_errors=True)
                if mapped is not None:
                    times.append(mapped)
                memory.append(rss)
                if cpu is not None:
                    cpus.append(cpu)
            results[name] = (statistics.median(times) if times else float("nan"),
                             statistics.median(memory) / 1024, cpus[0] if cpus else None)
    finally:
        server.terminate()
    bare_ms, bare_mib, _ = results["bare Qt window"]
    print("%-18s %12s %8s %12s %8s %14s" % ("", "mapped (ms)", "ratio", "resident MiB",
                                            "+MiB", "CPU (% core)"))
    for name, (ms, mib, cpu) in results.items():
        print("%-18s %12.0f %8.2f %12.1f %+8.1f %14s" % (
            name, ms, ms / bare_ms, mib, mib - bare_mib,
            "%.2f" % cpu if cpu is not None else "-"))


if __name__ == "__main__":
    main()
