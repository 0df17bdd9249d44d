"""What the Windows program's tests under wine share: a prefix of their own, a pseudo-terminal
mapped as a COM port, an X display with stand-ins given to wine for the fonts Windows has, and the
program's windows found and driven with xdotool."""

import os
import shutil
import subprocess
import time
import tty

# Wine has no faces of its own for what Windows programs ask for by name. Debian's IPA Gothic
# stands in for the Japanese ones; DejaVu Sans Mono for "Courier New", the Latin fixed-pitch face
# the table and the terminal ask for, which wine would otherwise draw in IPA Gothic, with its yen
# sign for the backslash. Each: the font file, its face name, the faces it replaces.
FONT_STAND_INS = [
    ("/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf", "IPAGothic",
     ["MS Gothic", "MS UI Gothic", "MS PGothic", "Meiryo", "Meiryo UI", "Yu Gothic",
      "Yu Gothic UI"]),
    ("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", "DejaVu Sans Mono", ["Courier New"]),
]


def wine_environment(prefix):
    # A UTF-8 locale, so that wine hands the program a file name with any character unchanged.
    env = dict(os.environ, LANG="C.UTF-8", LC_ALL="C.UTF-8", WINEPREFIX=prefix, WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=", DISPLAY="")
    env.pop("WAYLAND_DISPLAY", None)
    return env


def wine(env, *arguments, timeout=300):
    return subprocess.run(["wine", *arguments], env=env, capture_output=True, timeout=timeout)


def restart_server(env):
    subprocess.run(["wineserver", "-k"], env=env, timeout=60)
    subprocess.run(["wineserver", "-w"], env=env, timeout=60)


def make_prefix(env):
    """Makes the prefix once and gives it the stand-in fonts for the faces Windows programs ask
    for; a prefix made before a stand-in was added gets it on its next use."""
    prefix = env["WINEPREFIX"]
    if not os.path.isdir(os.path.join(prefix, "drive_c")):
        wine(env, "wineboot", "--init")
    fonts = os.path.join(prefix, "drive_c", "windows", "Fonts")
    for font, face, replaced in FONT_STAND_INS:
        copy = os.path.join(fonts, os.path.basename(font))
        if not os.path.isfile(font) or os.path.isfile(copy):
            continue
        os.makedirs(fonts, exist_ok=True)
        for name in replaced:
            wine(env, "reg", "add", r"HKCU\Software\Wine\Fonts\Replacements", "/v", name, "/d",
                 face, "/f")
        # Copied last: it marks the stand-in as complete.
        shutil.copy(font, fonts)


def copy_program(program_dir, folder):
    """Copies the program with the libraries and configuration beside it."""
    for name in os.listdir(program_dir):
        source = os.path.join(program_dir, name)
        if os.path.isfile(source) and name.endswith((".exe", ".dll", ".conf")):
            shutil.copy(source, folder)


def map_com_port(env, name, device):
    """Shows the device as the COM port; the mapping takes effect when the server starts anew,
    hence a prefix of the test's own."""
    added = wine(env, "reg", "add", r"HKLM\Software\Wine\Ports", "/v", name, "/d", device, "/f")
    if added.returncode != 0:
        raise RuntimeError("cannot map %s: %s" % (name, added.stderr.decode(errors="replace")))
    restart_server(env)


def pseudo_terminal_as_com_port(env, name):
    """A raw pseudo-terminal whose other end the program sees as the COM port: (master, slave),
    both the caller's to close; the master plays the device."""
    master, slave = os.openpty()
    tty.setraw(master)
    map_com_port(env, name, os.ttyname(slave))
    return master, slave


class Display:
    """A private X server; its number is the first free one."""

    def __init__(self, width=1600, height=1000):
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % (width, height),
             "-nolisten", "tcp"], pass_fds=[write_end], stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as numbers:
            self.name = ":" + numbers.readline().strip()

    def close(self):
        self.server.terminate()
        self.server.wait(timeout=30)

    def xdotool(self, *arguments):
        return subprocess.run(["xdotool", *arguments], env=dict(os.environ, DISPLAY=self.name),
                              capture_output=True, text=True, timeout=60)

    def find_window(self, title):
        found = self.xdotool("search", "--onlyvisible", "--name", "^%s$" % title)
        ids = found.stdout.split()
        return ids[0] if ids else None

    def wait_for_window(self, title, deadline):
        while time.monotonic() < deadline:
            window = self.find_window(title)
            if window:
                return window
            time.sleep(0.5)
        return None

    def screenshot(self, path):
        subprocess.run(["import", "-display", self.name, "-window", "root", path], check=True,
                       timeout=60)


def verdict(failures):
    """Prints each failure and the one closing line ctest's output is read by; the exit status."""
    for failure in failures:
        print(failure)
    print("1 passed, 0 failed" if not failures else "0 passed, 1 failed")
    return 1 if failures else 0
