"""wirevane-run.exe under wine sends a table's rows to a COM port and waits for each answer.

The port is a pseudo-terminal that wine shows as COM5 (HKLM\\Software\\Wine\\Ports); this script
is the device on its other end: it answers every line that ends in CR with "OK\\r". The test has
a wine prefix of its own, because the port mapping takes effect only when the prefix's wine
server starts again, which would stop the other tests' programs in a shared one."""

import os
import select
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
import wine_desktop  # noqa: E402

RUNNER = os.environ["WIREVANE_RUNNER_EXE"]
ENV = wine_desktop.wine_environment(os.environ["WIREVANE_COM_PREFIX"])


def write_table(path):
    rows = [(0, b"AT"), (1, b"\x82\xa0"), (2, b"END")]  # the middle row is code page 932 "a"
    with open(path, "wb") as out:
        out.write(b"[SERIAL]\r\nBAUD=115200\r\n[CONSOLE]\r\nCYCLIC=0\r\nTERNINATOR=1\r\nENCODE=0\r\n")
        for index, data in rows:
            out.write(b"[DATA_INDEX%d]\r\nSELECT=1\r\nDATA=%s\r\nWAIT_RX=1\r\nHALT=0\r\nDELAY=0\r\n"
                      % (index, data))


def serve(master, runner, deadline):
    """Answers each CR-ended line until the runner exits; returns what the device received."""
    received = b""
    pending = b""
    while time.monotonic() < deadline:
        if runner.poll() is not None:
            break
        ready, _, _ = select.select([master], [], [], 0.1)
        if not ready:
            continue
        try:
            chunk = os.read(master, 4096)
        except OSError:
            break
        received += chunk
        pending += chunk
        while b"\r" in pending:
            _, pending = pending.split(b"\r", 1)
            os.write(master, b"OK\r")
    return received


def main():
    if not os.path.isdir(os.path.join(ENV["WINEPREFIX"], "drive_c")):
        wine_desktop.wine(ENV, "wineboot", "--init")
    master, slave = wine_desktop.pseudo_terminal_as_com_port(ENV, "COM5")

    with tempfile.TemporaryDirectory() as folder:
        # A name that the ANSI code page of an English Windows cannot carry: the runner must
        # take its arguments from the wide command line.
        table = os.path.join(folder, "表 table.ini")
        write_table(table)
        runner = subprocess.Popen(["wine", RUNNER, "--port", "COM5", "--timeout", "10", table],
                                  env=ENV, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        received = serve(master, runner, time.monotonic() + 90)
        try:
            out, err = runner.communicate(timeout=30)
        except subprocess.TimeoutExpired:
            runner.kill()
            out, err = runner.communicate()
    os.close(slave)
    os.close(master)

    expected = b"AT\r\x82\xa0\rEND\r"
    failures = []
    if runner.returncode != 0:
        failures.append("wirevane-run.exe exited with %s: %s" % (runner.returncode,
                                                                 err.decode(errors="replace")))
    if received != expected:
        failures.append("the device received %r, not %r" % (received, expected))
    return wine_desktop.verdict(failures)


if __name__ == "__main__":
    sys.exit(main())
