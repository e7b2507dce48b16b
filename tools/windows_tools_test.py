"""The Windows tools against the Linux ones: actdb-demo.exe writes the same
files as actdb-demo, which an independent reader (python3-dbfread) reads as
our engine does, and actdb-sql.exe under Wine prints what actdb-sql prints,
byte for byte, for the same folder and statements. The folders are named
with blanks and umlauts, and reach the Windows tools in Windows form.

Run: python3 tools/windows_tools_test.py WINE_RUN WINDOWS_TOOLS LINUX_TOOLS FIXTURES
(the emulator script, the folders holding actdb-sql.exe and actdb-sql, and
tests/data/sql).
"""

import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

import dbfread

WINE_RUN = WINDOWS_TOOLS = LINUX_TOOLS = FIXTURES = None

STATEMENTS = [
    "SELECT * FROM [KONTAKTE]",
    "SELECT UNIQUE_ID, COMPANY FROM [KONTAKTE] WHERE COMPANY LIKE '*[mM][üÜ]*' "
    "OR NAME LIKE '*[mM][üÜ]*'",
    "SELECT COUNT(*) FROM [kontakte.GDB]",
    "SELECT NAME, CITY FROM [KONTAKTE] WHERE CITY IS NULL OR NAME LIKE '*o''n*'",
    "SELECT FEHLT FROM [KONTAKTE]",
    "SELEKT * FROM [KONTAKTE]",
    "SELECT * FROM [GIBTESNICHT]",
]


def windows_path(unix_path):
    """The path as a Windows program under Wine names it (drive Z: is /)."""
    return "Z:" + unix_path.replace("/", "\\")


def run(command, stdin=b""):
    done = subprocess.run(command, input=stdin, capture_output=True, timeout=120)
    return done.returncode, done.stdout, done.stderr


def comparable_errors(stderr, folder):
    """Standard error without what may differ: line breaks, the time taken
    and the way the folder is written."""
    text = stderr.decode("utf-8", "replace").replace("\r\n", "\n")
    text = re.sub(r"Zeilen in [0-9.]+ s", "Zeilen in … s", text)
    return text.replace(folder, "<ORDNER>")


class WindowsToolsMatchLinux(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="spurlix-tools-")
        cls.fixtures = os.path.join(cls.work, "Testdaten für Müller")
        shutil.copytree(FIXTURES, cls.fixtures)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work)

    def linux(self, tool, *args, stdin=b""):
        return run([os.path.join(LINUX_TOOLS, tool), *args], stdin)

    def windows(self, tool, *args, stdin=b""):
        return run([WINE_RUN, os.path.join(WINDOWS_TOOLS, tool + ".exe"), *args], stdin)

    def test_demo_databases_are_the_same_files(self):
        linux_folder = os.path.join(self.work, "Demo Linux")
        windows_folder = os.path.join(self.work, "Demo Windows ä")
        self.assertEqual(self.linux("actdb-demo", linux_folder, "3000")[0], 0)
        status, out, err = self.windows("actdb-demo", windows_path(windows_folder), "3000")
        self.assertEqual(status, 0, err)
        self.assertIn(b"Z:\\", out)
        for name in ("KONTAKTE.dbf", "KONTAKTE.gdb"):
            self.assertTrue(pathlib.Path(linux_folder, name).read_bytes() ==
                            pathlib.Path(windows_folder, name).read_bytes(), name + " differs")
        # The contacts an independent reader finds are those our engine
        # counts, each with an ID of its own.
        contacts = list(dbfread.DBF(os.path.join(windows_folder, "KONTAKTE.dbf"),
                                    encoding="cp1252"))
        self.assertEqual(len({c["UNIQUE_ID"] for c in contacts}), len(contacts))
        status, out, err = self.windows("actdb-sql", windows_path(windows_folder),
                                        "SELECT COUNT(*) FROM [KONTAKTE]")
        self.assertEqual((status, out.split()[-1]), (0, str(len(contacts)).encode()), err)

    def test_sql_prints_the_same_bytes(self):
        demo = os.path.join(self.work, "Demo für Abfragen")
        self.assertEqual(self.linux("actdb-demo", demo, "2000")[0], 0)
        statements = ("\n".join(STATEMENTS) + "\n").encode("utf-8")
        umlaut_argument = "SELECT COMPANY FROM [KONTAKTE] WHERE COMPANY LIKE '*Ü*'"
        cases = [
            ("fixtures, statements on standard input", self.fixtures, [], statements),
            ("demo database, statements on standard input", demo, [], statements),
            ("statement as an argument", self.fixtures, [umlaut_argument], b""),
            ("missing folder", os.path.join(self.work, "fehlt"), ["SELECT * FROM [X]"], b""),
            ("control bytes, escaped", os.path.join(FIXTURES, "..", "dbf-corpus", "dbf-ruby"),
             ["SELECT * FROM [FOXPRO-DB-TEST.DBC]"], b""),
        ]
        for name, folder, args, stdin in cases:
            with self.subTest(name):
                linux = self.linux("actdb-sql", folder, *args, stdin=stdin)
                windows = self.windows("actdb-sql", windows_path(folder), *args, stdin=stdin)
                self.assertEqual(windows[0], linux[0])
                self.assertTrue(windows[1] == linux[1],
                                "standard output differs:\n%r\n%r" % (windows[1][:2000],
                                                                      linux[1][:2000]))
                self.assertEqual(comparable_errors(windows[2], windows_path(folder)),
                                 comparable_errors(linux[2], folder))
                self.assertNotEqual(linux[1] + linux[2], b"")
                self.assertFalse(set(linux[1]) & set(range(32)) - set(b"\t\n"), "raw control bytes")


if __name__ == "__main__":
    WINE_RUN, WINDOWS_TOOLS, LINUX_TOOLS, FIXTURES = sys.argv[1:5]
    unittest.main(argv=sys.argv[:1] + sys.argv[5:], verbosity=2)
