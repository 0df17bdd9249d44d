"""Rows a second of wirevane-run.exe under wine against a pseudo-terminal mapped as COM5.

The device answers each CR-ended row with "OK\\r" at once, so the figure is how quickly the
Windows port chain notices an answer and sends the next row. Under wine received bytes are
looked for every few milliseconds; on Windows the driver's received-character event ends the
wait, which wine does not give.

Usage: python3 bench/wine_com_port_rows.py BUILD/tools/wirevane-run/wirevane-run.exe [ROWS] [CYCLES]
The prefix is made once in $WIREVANE_BENCH_PREFIX (default: a folder in the temporary folder)."""

import os
import select
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "windows"))
import wine_desktop  # noqa: E402


def write_table(path, rows):
    with open(path, "wb") as out:
        out.write(b"[SERIAL]\r\nBAUD=115200\r\n[CONSOLE]\r\nCYCLIC=0\r\nTERNINATOR=1\r\nENCODE=0\r\n")
        for index in range(rows):
            out.write(b"[DATA_INDEX%d]\r\nSELECT=1\r\nDATA=R%d\r\nWAIT_RX=1\r\nHALT=0\r\nDELAY=0\r\n"
                      % (index, index))


def answer_rows(master, runner):
    """Answers every row until the runner exits; the times of the answers."""
    answered = []
    pending = b""
    while runner.poll() is None:
        ready, _, _ = select.select([master], [], [], 0.1)
        if not ready:
            continue
        try:
            pending += os.read(master, 4096)
        except OSError:
            break
        while b"\r" in pending:
            _, pending = pending.split(b"\r", 1)
            os.write(master, b"OK\r")
            answered.append(time.monotonic())
    return answered


def main():
    runner_exe = sys.argv[1]
    rows = int(sys.argv[2]) if len(sys.argv) > 2 else 100
    cycles = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    prefix = os.environ.get("WIREVANE_BENCH_PREFIX",
                            os.path.join(tempfile.gettempdir(), "wirevane-bench-wine-%d" % os.getuid()))
    env = wine_desktop.wine_environment(prefix)
    wine_desktop.make_prefix(env)
    master, slave = wine_desktop.pseudo_terminal_as_com_port(env, "COM5")
    with tempfile.TemporaryDirectory() as folder:
        table = os.path.join(folder, "rows.ini")
        write_table(table, rows)
        runner = subprocess.Popen(["wine", runner_exe, "--port", "COM5", "--timeout", "10",
                                   "--cycles", str(cycles), "--linger", "0", table],
                                  env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        answered = answer_rows(master, runner)
        _, err = runner.communicate(timeout=60)
    os.close(slave)
    os.close(master)
    if runner.returncode != 0 or len(answered) < 2:
        print("wirevane-run.exe failed (%s): %s" % (runner.returncode, err.decode(errors="replace")))
        return 1
    span = answered[-1] - answered[0]
    print("%d rows answered in %.3f s: %.0f rows a second" % (len(answered), span,
                                                             (len(answered) - 1) / span))
    return 0


if __name__ == "__main__":
    sys.exit(main())
