#!/usr/bin/env python3
"""Takes docs/windows-all-windows.png and docs/windows-all-windows-en.png: wirevane.exe of the
Windows build (build/windows) under wine with Windows' own window system, on a private X
display, its three windows side by side, once in Japanese and once in English. The wine prefix
gets Debian's IPA Gothic in place of the Japanese faces Windows has (see wine_desktop.py)."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "windows"))
import wine_desktop  # noqa: E402

PROGRAM_DIR = os.path.join(ROOT, "build", "windows", "app", "main")
PREFIX = os.path.join(ROOT, "build", "windows", "wine-prefix-shots")
# Side by side with no window manager (so no title bars), each above its minimum size; the
# picture is cut to CROP.
PLACES = {"WINDOW_MAIN": (10, 10, 900, 600), "WINDOW_TERMINAL": (10, 620, 900, 990),
          "WINDOW_BUTTON_ARRAY": (920, 10, 1250, 640)}
CROP = "1260x1000+0+0"
ROWS = [(b"AT", 0), (b"ATI\\r\\n", 100), (b"\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd", 250),
        (b"<0x02>DATA<0x03>", 500)]


def write_settings(path, language):
    with open(path, "wb") as out:
        out.write(b"[WIREVANE]\r\nLanguage=%s\r\n" % language.encode())
        out.write(b"[SERIAL]\r\nPORT=COM1\r\nBAUD=115200\r\n")
        out.write(b"[CONSOLE]\r\nCYCLIC=0\r\nTERNINATOR=1\r\nENCODE=0\r\n")
        for section, (left, top, right, bottom) in PLACES.items():
            out.write(b"[%s]\r\nNORM_LEFT=%d\r\nNORM_TOP=%d\r\nNORM_RIGHT=%d\r\nNORM_BOTTOM=%d\r\n"
                      % (section.encode(), left, top, right, bottom))
        for index, (data, delay) in enumerate(ROWS):
            out.write(b"[DATA_INDEX%d]\r\nSELECT=1\r\nDATA=%s\r\nWAIT_RX=0\r\nHALT=0\r\nDELAY=%d\r\n"
                      % (index, data, delay))


def shoot(language, target):
    env = wine_desktop.wine_environment(PREFIX)
    wine_desktop.make_prefix(env)
    display = wine_desktop.Display()
    env["DISPLAY"] = display.name
    env["LANG"] = env["LC_ALL"] = "ja_JP.UTF-8" if language == "ja" else "en_US.UTF-8"
    try:
        with tempfile.TemporaryDirectory() as folder:
            for name in os.listdir(PROGRAM_DIR):
                if name.endswith((".exe", ".dll", ".conf")):
                    shutil.copy(os.path.join(PROGRAM_DIR, name), folder)
            write_settings(os.path.join(folder, "Wirevane.ini"), language)
            program = subprocess.Popen(["wine", os.path.join(folder, "wirevane.exe")], env=env,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            deadline = time.monotonic() + 120
            for title in ("Wirevane", "Terminal", "ButtonArray"):
                if display.wait_for_window(title, deadline) is None:
                    raise RuntimeError("the %s window did not show" % title)
            time.sleep(3)  # the windows' first paint
            display.screenshot(target)
            subprocess.run(["mogrify", "-crop", CROP, "+repage", target], check=True, timeout=60)
            program.kill()
            program.wait(timeout=60)
    finally:
        display.close()
        subprocess.run(["wineserver", "-k"], env=env, timeout=60)


def main():
    os.makedirs(os.path.join(ROOT, "docs"), exist_ok=True)
    shoot("ja", os.path.join(ROOT, "docs", "windows-all-windows.png"))
    shoot("en", os.path.join(ROOT, "docs", "windows-all-windows-en.png"))
    print("wrote docs/windows-all-windows.png and docs/windows-all-windows-en.png")


if __name__ == "__main__":
    main()
