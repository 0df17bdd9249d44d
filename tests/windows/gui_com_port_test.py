"""wirevane.exe under wine with Windows' own window system (the `windows` platform) on a private X
display: it starts, shows its three windows, connects to a pseudo-terminal that wine shows as
COM5, runs the table of its settings file, and the device receives the rows. Each row waits for
the device's CR-ended answer, so the window reads the port between rows.

The program runs from a copy of the build's program folder, which is writable, so its settings
file is the one written there. The windows are driven with xdotool: the port dialog by typing,
the connect and send buttons by clicks at their places in the toolbars."""

import os
import select
import sys
import tempfile
import time
import subprocess

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import wine_desktop  # noqa: E402

PROGRAM_DIR = os.environ["WIREVANE_PROGRAM_DIR"]
PREFIX = os.environ["WIREVANE_GUI_PREFIX"]
ROWS = [b"AT", b"\x82\xa0", b"END"]  # the middle row is code page 932 "a"


def write_settings(path):
    with open(path, "wb") as out:
        # The Japanese interface, whose button places SEND_BUTTON and CONNECT_BUTTON are.
        out.write(b"[WIREVANE]\r\nLanguage=ja\r\n[SERIAL]\r\nPORT=COM5\r\nBAUD=115200\r\n")
        out.write(b"[CONSOLE]\r\nCYCLIC=0\r\nTERNINATOR=1\r\nENCODE=0\r\n")
        out.write(b"[WINDOW_MAIN]\r\nNORM_LEFT=20\r\nNORM_TOP=20\r\nNORM_RIGHT=900\r\nNORM_BOTTOM=620\r\n")
        for index, data in enumerate(ROWS):
            out.write(b"[DATA_INDEX%d]\r\nSELECT=1\r\nDATA=%s\r\nWAIT_RX=1\r\nHALT=0\r\nDELAY=0\r\n"
                      % (index, data))


# Where the connect and send buttons sit in the main window's toolbars, from the window's top left
# corner, with no window manager and the prefix's fonts. Without a window manager, a click is
# also what gives a window the keyboard.
CONNECT_BUTTON = (23, 30)
SEND_BUTTON = (358, 55)


def click(display, window, place):
    display.xdotool("mousemove", "--window", window, str(place[0]), str(place[1]))
    display.xdotool("click", "1")


def connect(display, window):
    """接続 (connect), then COM5 typed into the port selection dialog."""
    click(display, window, CONNECT_BUTTON)
    dialog = display.wait_for_window("COM port selection", time.monotonic() + 30)
    if dialog is None:
        raise RuntimeError("the port selection dialog did not open")
    display.xdotool("key", "--delay", "100", "ctrl+a")
    display.xdotool("type", "--delay", "100", "COM5")
    display.xdotool("key", "Return")
    deadline = time.monotonic() + 30
    while display.find_window("COM port selection") and time.monotonic() < deadline:
        time.sleep(0.2)


def answer_until(master, expected, deadline):
    """Plays an echoing device, which answers each row with the row itself, until the rows are
    in."""
    received = b""
    while time.monotonic() < deadline and received != expected:
        ready, _, _ = select.select([master], [], [], 0.2)
        if ready:
            chunk = os.read(master, 4096)
            received += chunk
            os.write(master, chunk)
    return received


def main():
    env = wine_desktop.wine_environment(PREFIX)
    wine_desktop.make_prefix(env)
    master, slave = wine_desktop.pseudo_terminal_as_com_port(env, "COM5")
    display = wine_desktop.Display()
    env["DISPLAY"] = display.name
    failures = []
    program = None
    try:
        with tempfile.TemporaryDirectory() as folder:
            wine_desktop.copy_program(PROGRAM_DIR, folder)
            write_settings(os.path.join(folder, "Wirevane.ini"))
            program = subprocess.Popen(["wine", os.path.join(folder, "wirevane.exe")], env=env,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            deadline = time.monotonic() + 120
            windows = {title: display.wait_for_window(title, deadline)
                       for title in ("Wirevane", "Terminal", "ButtonArray")}
            missing = [title for title, window in windows.items() if window is None]
            if missing:
                failures.append("windows not shown: %s" % ", ".join(missing))
            else:
                main_window = windows["Wirevane"]
                connect(display, main_window)
                click(display, main_window, SEND_BUTTON)
                expected = b"".join(row + b"\r" for row in ROWS)
                received = answer_until(master, expected, time.monotonic() + 60)
                if received != expected:
                    failures.append("the device received %r, not %r" % (received, expected))
            if os.environ.get("WIREVANE_GUI_SHOT"):
                display.screenshot(os.environ["WIREVANE_GUI_SHOT"])
            program.kill()
            program.wait(timeout=60)
            wine_desktop.restart_server(env)
    finally:
        if program and program.poll() is None:
            program.kill()
        display.close()
        os.close(slave)
        os.close(master)
    return wine_desktop.verdict(failures)


if __name__ == "__main__":
    sys.exit(main())
