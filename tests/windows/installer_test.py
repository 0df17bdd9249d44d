"""The Windows package: CPack makes the NSIS installer and the portable zip from the cross build;
the zip holds exactly the listed files; the installer installs silently into Program Files of a
fresh wine prefix with a Start menu entry; the installed program starts with the `windows`
platform and makes its settings file in %APPDATA%\\Wirevane, not in its own folder; the
unpacked zip keeps it beside the program; the uninstaller leaves nothing behind.

What wine cannot show: Program Files is writable under wine (and for root), so the installed
copy goes to %APPDATA% by the rule for system program folders alone; a folder whose ACL denies
writing is seen only on Windows."""

import glob
import os
import subprocess
import sys
import tempfile
import time
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import wine_desktop  # noqa: E402

BUILD_DIR = os.environ["WIREVANE_BUILD_DIR"]
CPACK = os.environ["CPACK_COMMAND"]
PACKAGE = "Wirevane-%s-win64" % os.environ["WIREVANE_VERSION"]
EXPECTED = sorted([
    "wirevane.exe", "wirevane-run.exe", "qt.conf",
    "Qt6Core.dll", "Qt6Gui.dll", "Qt6Widgets.dll", "Qt6Network.dll",
    "libstdc++-6.dll", "libgcc_s_seh-1.dll", "libwinpthread-1.dll",
    "plugins/platforms/qwindows.dll", "plugins/styles/qwindowsvistastyle.dll",
    "translations/qtbase_ja.qm",
    "licences/GPL-3.txt", "licences/Qt-LGPL-3.txt", "licences/Qt-copyright.txt",
    "licences/GCC-runtime-copyright.txt", "licences/MinGW-w64-copyright.txt"])
SETTINGS = "Wirevane.ini"


def make_packages(out):
    made = subprocess.run([CPACK, "-G", "NSIS;ZIP", "-B", out], cwd=BUILD_DIR,
                          capture_output=True, text=True, timeout=600)
    if made.returncode != 0:
        raise RuntimeError("cpack failed:\n" + made.stdout + made.stderr)
    return os.path.join(out, PACKAGE + ".exe"), os.path.join(out, PACKAGE + ".zip")


def settings_folder_of_installed(drive_c):
    roaming = glob.glob(os.path.join(drive_c, "users", "*", "AppData", "Roaming"))
    return os.path.join(roaming[0], "Wirevane") if roaming else ""


def run_until_settings_made(env, display, program, folder, failures, where):
    """Starts the program, waits for its three windows and then for its settings file in the
    folder it should choose. The file is written when start-up has finished reading, which can
    be a while after the windows appear on a loaded machine, so it is waited for, not assumed."""
    started = subprocess.Popen(["wine", program], env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 120
    shown = [display.wait_for_window(title, deadline)
             for title in ("Wirevane", "Terminal", "ButtonArray")]
    if None in shown:
        failures.append("%s did not show its three windows" % program)
    while time.monotonic() < deadline and not os.path.isfile(os.path.join(folder(), SETTINGS)):
        time.sleep(0.5)
    started.kill()
    started.wait(timeout=60)
    subprocess.run(["wineserver", "-k"], env=env, timeout=60)
    if not os.path.isfile(os.path.join(folder(), SETTINGS)):
        failures.append("%s not written %s (%s)" % (SETTINGS, where, folder()))


def main():
    failures = []
    with tempfile.TemporaryDirectory() as work:
        installer, portable = make_packages(os.path.join(work, "packages"))
        with zipfile.ZipFile(portable) as archive:
            listed = sorted(name[len(PACKAGE) + 1:] for name in archive.namelist()
                            if not name.endswith("/"))
            archive.extractall(os.path.join(work, "portable"))
        if listed != EXPECTED:
            failures.append("the zip holds %s, not %s" % (listed, EXPECTED))
        for path in (installer, portable):
            print("%s: %d bytes" % (os.path.basename(path), os.path.getsize(path)))

        env = wine_desktop.wine_environment(os.path.join(work, "prefix"))
        env["LANG"] = env["LC_ALL"] = "ja_JP.UTF-8"
        wine_desktop.make_prefix(env)
        drive_c = os.path.join(env["WINEPREFIX"], "drive_c")
        installed = wine_desktop.wine(env, installer, "/S")
        subprocess.run(["wineserver", "-w"], env=env, timeout=300)
        folder = os.path.join(drive_c, "Program Files", "Wirevane")
        if installed.returncode != 0:
            failures.append("the installer exited with %d" % installed.returncode)
        for name in EXPECTED:
            if not os.path.isfile(os.path.join(folder, name)):
                failures.append("not installed: %s" % name)
        if not glob.glob(os.path.join(drive_c, "**", "Start Menu", "**", "Wirevane.lnk"),
                         recursive=True):
            failures.append("no Start menu entry")

        display = wine_desktop.Display()
        env["DISPLAY"] = display.name
        try:
            run_until_settings_made(env, display, os.path.join(folder, "wirevane.exe"),
                                    lambda: settings_folder_of_installed(drive_c), failures,
                                    "in %APPDATA%")
            if os.path.exists(os.path.join(folder, SETTINGS)):
                failures.append("%s written into Program Files" % SETTINGS)

            unpacked = os.path.join(work, "portable", PACKAGE)
            run_until_settings_made(env, display, os.path.join(unpacked, "wirevane.exe"),
                                    lambda: unpacked, failures, "beside the unpacked program")
        finally:
            display.close()

        env["DISPLAY"] = ""
        wine_desktop.wine(env, os.path.join(folder, "Uninstall.exe"), "/S")
        subprocess.run(["wineserver", "-w"], env=env, timeout=300)
        if os.path.exists(os.path.join(folder, "wirevane.exe")):
            failures.append("the uninstaller left the program in %s" % folder)
        if glob.glob(os.path.join(drive_c, "**", "Start Menu", "**", "Wirevane.lnk"),
                     recursive=True):
            failures.append("the uninstaller left the Start menu entry")
        subprocess.run(["wineserver", "-k"], env=env, timeout=60)

    return wine_desktop.verdict(failures)


if __name__ == "__main__":
    sys.exit(main())
