"""Each program's manual page documents exactly the options its --help lists, with the same
value names, so neither can gain or lose an option without the other."""

import os
import re
import subprocess
import sys
import unittest

SOURCE_DIR = os.environ["WIREVANE_SOURCE_DIR"]
BUILD_DIR = os.environ["WIREVANE_BUILD_DIR"]

PROGRAMS = {
    "wirevane": "app/main/wirevane",
    "wirevane-run": "tools/wirevane-run/wirevane-run",
    "wirevane-sim": "tools/wirevane-sim/wirevane-sim",
}

# "  --port PATH       open PATH ..." or "      --reply TEXT   the answer": an option starts the
# line, and an upper-case word right after it names its value.
HELP_OPTION = re.compile(r"^\s+(--[a-z][a-z0-9-]*)(?: ([A-Z][A-Z]*)\b)?")
# The tag line of a .TP item: ".B \-\-echo", ".BI \-\-port " PATH"" or, for an option with two
# values, ".BI \-\-reading\-sweep " FROM TO"" (the first names the value, as in --help).
PAGE_OPTION = re.compile(r'^\.BI? (\\-\\-[a-z][a-z0-9\\-]*)(?: " ([A-Z]+)(?: [A-Z]+)*")?\s*$')


def help_options(text):
    options = {}
    for line in text.splitlines():
        match = HELP_OPTION.match(line)
        if match:
            options[match.group(1)] = match.group(2)
    return options


def page_options(text):
    options = {}
    lines = text.splitlines()
    for tag, line in zip(lines, lines[1:]):
        match = PAGE_OPTION.match(line) if tag.strip() == ".TP" else None
        if match:
            options[match.group(1).replace("\\-", "-")] = match.group(2)
    return options


class ParsingTest(unittest.TestCase):
    def test_help_lines_give_the_option_and_its_value_name_only(self):
        text = ("Options:\n  --port PATH       open PATH instead\n"
                "                    interrupted by --cycles\n  --help            show this\n"
                "  3    an answer did not come within --timeout\n      --reply TEXT   the answer\n")
        self.assertEqual(help_options(text), {"--port": "PATH", "--help": None, "--reply": "TEXT"})

    def test_page_items_are_taken_from_tag_lines_only(self):
        text = ('.TP\n.BI \\-\\-port " PATH"\nOpen\n.B \\-\\-not\\-a\\-tag\n'
                ".TP\n.B \\-\\-no\\-announce\nDo not.\n.TP\n.B 130\nInterrupted.\n")
        self.assertEqual(page_options(text), {"--port": "PATH", "--no-announce": None})


class PageMatchesHelpTest(unittest.TestCase):
    def test_each_programs_page_lists_its_help_options(self):
        for program, built in PROGRAMS.items():
            with self.subTest(program=program):
                result = subprocess.run([os.path.join(BUILD_DIR, built), "--help"],
                                        capture_output=True, text=True, timeout=30)
                self.assertEqual(result.returncode, 0, result.stderr)
                listed = help_options(result.stdout)
                with open(os.path.join(SOURCE_DIR, "packaging", "man", program + ".1"),
                          encoding="utf-8") as page:
                    documented = page_options(page.read())
                self.assertIn("--help", listed)
                self.assertEqual(documented, listed,
                                 f"{program}(1) and {program} --help list different options")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
