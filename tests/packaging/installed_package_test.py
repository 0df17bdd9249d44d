"""Builds the Debian package, unpacks it into a temporary root as dpkg would install it, and
checks the installed copy: its programs run from usr/bin, its menu entry, AppStream record, icons
and manual pages are in place and valid, and the window program keeps its settings in
~/.config/wirevane/ because its own folder is not writable."""

import glob
import os
import pwd
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from vnc_keys import RETURN, VncKeyboard  # noqa: E402

BUILD_DIR = os.environ["WIREVANE_BUILD_DIR"]
CPACK = os.environ.get("CPACK_COMMAND", "cpack")
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def run(command, **kwargs):
    kwargs.setdefault("timeout", 120)
    return subprocess.run(command, capture_output=True, text=True, **kwargs)


def read_bytes(path):
    with open(path, "rb") as file:
        return file.read()


def wait_for(condition, program, seconds=30):
    deadline = time.monotonic() + seconds
    while not condition():
        if program.poll() is not None or time.monotonic() > deadline:
            raise AssertionError("the program did not come up")
        time.sleep(0.05)


def free_tcp_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class InstalledPackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="wirevane-package-")
        made = run([CPACK, "--config", os.path.join(BUILD_DIR, "CPackConfig.cmake"), "-B",
                    os.path.join(cls.work, "out")], timeout=240)
        if made.returncode != 0:
            raise AssertionError("cpack failed:\n" + made.stdout + made.stderr)
        (cls.deb,) = glob.glob(os.path.join(cls.work, "out", "wirevane_*.deb"))
        cls.root = os.path.join(cls.work, "root")
        unpacked = run(["dpkg-deb", "-x", cls.deb, cls.root])
        if unpacked.returncode != 0:
            raise AssertionError(unpacked.stderr)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work, ignore_errors=True)

    def installed(self, *parts):
        return os.path.join(self.root, "usr", *parts)

    def test_the_three_programs_run_from_usr_bin(self):
        version = run([self.installed("bin", "wirevane"), "--version"])
        self.assertEqual(version.returncode, 0, version.stderr)
        self.assertRegex(version.stdout, r"^wirevane \d+\.\d+")
        for program in ("wirevane-run", "wirevane-sim"):
            result = run([self.installed("bin", program), "--help"])
            self.assertEqual(result.returncode, 0, result.stderr)
            self.assertIn("Usage: " + program, result.stdout)

    def test_dependencies_are_computed_from_the_programs(self):
        depends = run(["dpkg-deb", "-f", self.deb, "Depends"]).stdout
        for library in ("libc6", "libqt6core6", "libqt6widgets6"):
            self.assertIn(library, depends)

    def test_menu_entry_and_appstream_record_validate(self):
        desktop = self.installed("share", "applications", "wirevane.desktop")
        result = run(["desktop-file-validate", desktop])
        self.assertEqual((result.returncode, result.stdout + result.stderr), (0, ""))
        (metainfo,) = glob.glob(self.installed("share", "metainfo", "*.metainfo.xml"))
        result = run(["appstreamcli", "validate", "--no-net", "--pedantic", metainfo])
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        with open(desktop, encoding="utf-8") as entry:
            text = entry.read()
        self.assertIn("Categories=Development;Electronics;", text)
        self.assertIn("Name[ja]=", text)

    def test_icons_are_there_at_every_size(self):
        self.assertTrue(os.path.isfile(
            self.installed("share", "icons", "hicolor", "scalable", "apps", "wirevane.svg")))
        for size in ICON_SIZES:
            png = self.installed("share", "icons", "hicolor", f"{size}x{size}", "apps",
                                 "wirevane.png")
            with open(png, "rb") as image:
                header = image.read(24)
            self.assertEqual(header[:8], b"\x89PNG\r\n\x1a\n", png)
            self.assertEqual(struct.unpack(">II", header[16:24]), (size, size), png)

    def test_manual_pages_render_without_warnings(self):
        for page in ("wirevane", "wirevane-run", "wirevane-sim"):
            path = self.installed("share", "man", "man1", page + ".1.gz")
            text = run(["gzip", "-dc", path]).stdout
            self.assertNotIn("@", text.split("\n", 2)[1], "version left unfilled in " + page)
            rendered = run(["groff", "-k", "-man", "-Tutf8", "-ww", "-z"], input=text,
                           env=dict(os.environ, LC_ALL="C.UTF-8"))
            self.assertEqual((rendered.returncode, rendered.stderr), (0, ""), page)

    def test_the_window_program_loads_and_saves_in_the_config_folder(self):
        # A user's session cannot write to usr/bin; root could, so the program runs as nobody.
        bin_dir = self.installed("bin")
        before = sorted(os.listdir(bin_dir))
        os.chmod(bin_dir, 0o555)
        session = os.path.join(self.work, "session")
        home = os.path.join(session, "home")
        runtime = os.path.join(session, "run")
        folder = os.path.join(home, ".config", "wirevane")
        os.makedirs(folder)
        os.makedirs(runtime, mode=0o700)
        settings_path = os.path.join(folder, "Wirevane.ini")
        with open(settings_path, "w", encoding="ascii") as settings:
            # The companion windows stay hidden, so the keys below reach the main window.
            settings.write("[WINDOW_TERMINAL]\r\nVISIBLE=0\r\n"
                           "[WINDOW_BUTTON_ARRAY]\r\nVISIBLE=0\r\n"
                           "[DATA_INDEX7]\r\nSELECT=1\r\nDATA=LOADED FROM CONFIG\r\n"
                           "WAIT_RX=0\r\nHALT=0\r\nDELAY=0\r\n")
        prefix = []
        if os.getuid() == 0:
            nobody = pwd.getpwnam("nobody")
            os.chmod(self.work, 0o755)
            for path in (session, home, os.path.join(home, ".config"), folder, runtime,
                         settings_path):
                os.chown(path, nobody.pw_uid, nobody.pw_gid)
            prefix = ["setpriv", f"--reuid={nobody.pw_uid}", f"--regid={nobody.pw_gid}",
                      "--clear-groups", "--"]
        env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": home,
               "XDG_RUNTIME_DIR": runtime, "LANG": "C.UTF-8"}

        vnc_port = free_tcp_port()
        env["QT_QPA_PLATFORM"] = f"vnc:size=1280x1024:port={vnc_port}"
        program = subprocess.Popen(prefix + [os.path.join(bin_dir, "wirevane")], env=env,
                                   stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        try:
            keyboard = VncKeyboard(vnc_port)
            # The column layout is written while the window comes up; once it is there, the
            # first Return asks the exit question and the second takes its default, save and exit.
            wait_for(lambda: b"[Profile ListTX]" in read_bytes(settings_path), program)
            keyboard.press(RETURN)
            time.sleep(0.3)
            keyboard.press(RETURN)
            status = program.wait(timeout=30)
            keyboard.close()
        finally:
            if program.poll() is None:
                program.kill()
                program.wait()
        output = program.communicate()[0].decode(errors="replace")
        self.assertEqual(status, 0, output)

        saved = read_bytes(settings_path)
        self.assertIn(b"DATA=LOADED FROM CONFIG", saved)
        self.assertIn(b"[DATA_INDEX99]", saved)
        self.assertTrue(os.path.isfile(os.path.join(folder, "WirevaneButtons.ini")))
        self.assertEqual(sorted(os.listdir(bin_dir)), before)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
