"""A second wirevane.exe under wine, with Windows' own window system on a private X display
managed by openbox: while one copy runs with its main window minimised, another started from the
same folder shows no window of its own, brings the running copy's main window back and to the
front (the window manager's active window) and ends with status 0; the first copy keeps running.
The second copy finds the first through the single-copy mutex and reaches it through the
channel's named pipe.

A window manager is needed: without one, wine neither minimises a window nor moves the keyboard
to the window it activates."""

import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import wine_desktop  # noqa: E402

PROGRAM_DIR = os.environ["WIREVANE_PROGRAM_DIR"]
PREFIX = os.environ["WIREVANE_SINGLE_COPY_PREFIX"]
TITLES = ("Wirevane", "Terminal", "ButtonArray")


def wait_for(condition, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.3)
    return condition()


def is_shown(display, window):
    return window in display.xdotool("search", "--onlyvisible", "--name", ".").stdout.split()


def is_active(display, window):
    return display.xdotool("getactivewindow").stdout.strip() == window


def check_second_copy(display, env, folder, windows, failures):
    main_window, terminal = windows["Wirevane"], windows["Terminal"]
    display.xdotool("windowactivate", "--sync", terminal)
    display.xdotool("windowminimize", "--sync", main_window)
    if not wait_for(lambda: not is_shown(display, main_window), 30):
        failures.append("the main window could not be minimised")
        return
    second = subprocess.run(["wine", os.path.join(folder, "wirevane.exe")], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
    if second.returncode != 0:
        failures.append("the second copy ended with status %d" % second.returncode)
    if not wait_for(lambda: is_shown(display, main_window), 30):
        failures.append("the main window was not brought back")
    if not wait_for(lambda: is_active(display, main_window), 30):
        failures.append("the main window did not come to the front")
    for title in TITLES:
        found = display.xdotool("search", "--onlyvisible", "--name", "^%s$" % title).stdout
        if len(found.split()) != 1:
            failures.append("%d windows titled %s" % (len(found.split()), title))


def main():
    env = wine_desktop.wine_environment(PREFIX)
    wine_desktop.make_prefix(env)
    display = wine_desktop.Display()
    env["DISPLAY"] = display.name
    window_manager = subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL)
    failures = []
    first = None
    try:
        with tempfile.TemporaryDirectory() as folder:
            wine_desktop.copy_program(PROGRAM_DIR, folder)
            first = subprocess.Popen(["wine", os.path.join(folder, "wirevane.exe")], env=env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            deadline = time.monotonic() + 120
            windows = {title: display.wait_for_window(title, deadline) for title in TITLES}
            missing = [title for title, window in windows.items() if window is None]
            if missing:
                failures.append("windows not shown: %s" % ", ".join(missing))
            else:
                check_second_copy(display, env, folder, windows, failures)
                if first.poll() is not None:
                    failures.append("the first copy ended")
            first.kill()
            first.wait(timeout=60)
            wine_desktop.restart_server(env)
    finally:
        if first and first.poll() is None:
            first.kill()
        window_manager.terminate()
        window_manager.wait(timeout=30)
        display.close()
    return wine_desktop.verdict(failures)


if __name__ == "__main__":
    sys.exit(main())
