"""scripts/run.sh answers what it can before it installs or builds anything, and tells the truth
about the device simulator it starts. It runs from a copy of the script in a scratch tree whose
install script, cmake, simulator and program are stand-ins that note each call."""

import glob
import os
import shutil
import stat
import subprocess
import sys
import tempfile
import unittest

SOURCE_DIR = os.environ["WIREVANE_SOURCE_DIR"]

# A stand-in program: appends its name and arguments to the call log, then runs its body.
STAND_IN = """#!/usr/bin/env bash
echo "{name} $*" >> "{log}"
{body}
"""

SIMULATORS = {
    "starts": 'echo /tmp/wirevane-ports/wvsim3\nexec sleep 30',
    "refuses": 'echo "wirevane-sim: unknown argument $1 (see --help)" >&2\nexit 2',
    "crashes": 'kill -SEGV $$',
}


class ScratchTree(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="wirevane-run-sh-")
        self.addCleanup(shutil.rmtree, self.root)
        self.log = os.path.join(self.root, "calls.log")
        os.makedirs(os.path.join(self.root, "scripts"))
        shutil.copy(os.path.join(SOURCE_DIR, "scripts", "run.sh"),
                    os.path.join(self.root, "scripts", "run.sh"))
        self.stand_in("scripts/install-deps.sh", "install-deps")
        self.stand_in("bin/cmake", "cmake")
        self.stand_in("build/dev/app/main/wirevane", "wirevane")

    def stand_in(self, relative, name, body=""):
        path = os.path.join(self.root, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as script:
            script.write(STAND_IN.format(name=name, log=self.log, body=body))
        os.chmod(path, os.stat(path).st_mode | stat.S_IXUSR)

    def run_script(self, arguments, display=":0"):
        environment = {key: value for key, value in os.environ.items()
                       if key not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        environment["PATH"] = os.path.join(self.root, "bin") + os.pathsep + environment["PATH"]
        if display:
            environment["DISPLAY"] = display
        return subprocess.run(["bash", os.path.join(self.root, "scripts", "run.sh"), *arguments],
                              capture_output=True, text=True, env=environment, timeout=60)

    def log_text(self):
        if not os.path.exists(self.log):
            return ""
        with open(self.log, encoding="utf-8") as log:
            return log.read()

    def calls(self):
        return [line.split(" ", 1)[0] for line in self.log_text().splitlines()]


class EarlyAnswerTest(ScratchTree):
    def test_early_answers_come_before_installing_or_building(self):
        cases = [
            (["--help"], ":0", 0, "Usage: bash scripts/run.sh", "stdout"),
            (["--lines", "-h"], ":0", 0, "Usage: bash scripts/run.sh", "stdout"),
            ([], "", 1, "no desktop session", "stderr"),
            (["--help"], "", 0, "Usage: bash scripts/run.sh", "stdout"),
        ]
        for arguments, display, status, text, stream in cases:
            with self.subTest(arguments=arguments, display=display):
                result = self.run_script(arguments, display)
                self.assertEqual(result.returncode, status, result.stderr)
                self.assertIn(text, getattr(result, stream))
                self.assertEqual(self.calls(), [])


@unittest.skipIf(glob.glob("/dev/ttyUSB*") + glob.glob("/dev/ttyACM*"),
                 "a serial adapter is attached: run.sh starts no simulator")
class SimulatorStartTest(ScratchTree):
    def test_the_program_starts_only_with_a_running_simulator(self):
        for simulator, started in (("starts", True), ("refuses", False), ("crashes", False)):
            with self.subTest(simulator=simulator):
                if os.path.exists(self.log):
                    os.remove(self.log)
                self.stand_in("build/dev/tools/wirevane-sim/wirevane-sim", "wirevane-sim",
                              SIMULATORS[simulator])
                result = self.run_script(["--bogus"])
                self.assertEqual(self.calls()[-1], "wirevane" if started else "wirevane-sim")
                self.assertIn("wirevane-sim --bogus", self.log_text())
                if started:
                    self.assertEqual(result.returncode, 0, result.stderr)
                    self.assertIn("the device simulator runs as port wvsim3", result.stderr)
                else:
                    self.assertEqual(result.returncode, 1)
                    self.assertIn("the device simulator did not start", result.stderr)
                    self.assertNotIn("runs as port", result.stderr)

    def test_the_simulator_echoes_when_given_nothing(self):
        self.stand_in("build/dev/tools/wirevane-sim/wirevane-sim", "wirevane-sim",
                      SIMULATORS["starts"])
        result = self.run_script([])
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("wirevane-sim --echo", self.log_text())


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
