"""The Windows installer as a user meets it, in a fresh Wine prefix: a silent
install, the installed program started from its Start-menu entry for the
main end-to-end scenario, a second install over the first, and a silent
uninstall that leaves nothing of ours but the search history.

The installer is a 32-bit program that installs the 64-bit program on 64-bit
Windows and the 32-bit one elsewhere. It runs under the emulated 32-bit Wine
(scripts/wine32/), by default in a 64-bit prefix, where it must install the
64-bit build's program. With --win32 the prefix is a pure 32-bit one, as
ACT!'s users on Linux have it: the installer must install the 32-bit
program there, and the 32-bit stand-in ACT! is its automation server; then
BUILD_DIR is the 32-bit build.

Run: /usr/bin/python3 tests/e2e/installer_wine_test.py BUILD_DIR SETUP_EXE VERSION [--win32]
"""

import filecmp
import glob
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_wine_test  # noqa: E402
from e2e_wine_test import SETTINGS_KEY, EndToEndWine  # noqa: E402
from wine_harness import use_emulated_wine32, windows_path  # noqa: E402

SETUP = VERSION = None
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\SpurlixLight"


class Installer(EndToEndWine):
    def host(self, path):
        """A C:\\ path of the prefix as a host path."""
        return os.path.join(self.session.prefix, "drive_c", *path[3:].split("\\"))

    def ours(self):
        """Every file, folder and registry key or value outside the history
        that names SpurlixLight."""
        found = [p for p in glob.glob(os.path.join(self.host("C:\\"), "**"), recursive=True)
                 if "spurlix" in os.path.basename(p).lower()]
        exported, key = os.path.join(self.session.root, "all.reg"), ""
        history = SETTINGS_KEY.replace("HKCU", "HKEY_CURRENT_USER")
        for root in ("HKCU", "HKLM"):
            self.session.wine(["wine", "reg", "export", root, windows_path(exported), "/y"], root)
            with open(exported, encoding="utf-16") as f:
                for line in f:
                    key = line[1:].split("]")[0] if line.startswith("[") else key
                    if "Spurlix" in line and not key.startswith(history):
                        found.append(key + ": " + line.strip())
        return found

    def install(self):
        self.session.wine(["wine", SETUP, "/S"], "the installer")
        key = self.session.reg_values(UNINSTALL_KEY)
        location = key["InstallLocation"]
        self.assertRegex(location, r"^C:\\users\\[^\\]+\\AppData\\Local\\Programs\\SpurlixLight$")
        self.assertEqual(key["DisplayName"], "Spurlix light für ACT!")
        self.assertEqual(key["DisplayVersion"], VERSION)
        self.assertEqual(key["Publisher"], "Hellwig & Sander Datentechnik GmbH")
        self.assertEqual(key["DisplayIcon"], location + r"\spurlixlight.exe,0")
        self.assertEqual(key["UninstallString"], '"%s\\uninstall.exe"' % location)
        folder = self.host(location)
        self.assertEqual(sorted(os.listdir(folder)), ["spurlixlight.exe", "uninstall.exe"])
        self.assertTrue(filecmp.cmp(os.path.join(folder, "spurlixlight.exe"),
                                    self.session.binary("startup/app/spurlixlight.exe"), False))
        self.assertGreater(key["EstimatedSize"],
                           os.path.getsize(os.path.join(folder, "spurlixlight.exe")) // 1024)
        return folder

    def test_install_search_reinstall_and_uninstall_keeping_the_history(self):
        s = self.session
        # Wine mirrors every new Start-menu entry into the desktop's menu, which
        # takes it 8 s and is no part of Windows.
        s.env["WINEDLLOVERRIDES"] += ";winemenubuilder.exe=d"
        # The history an earlier SpurlixLight left: the install keeps it.
        s.reg_add(SETTINGS_KEY + r"\Suchbegriffe", "0", "Schulz")
        # A 32-bit prefix has no second, 32-bit system folder: the
        # installer sees a 32-bit Windows.
        self.assertEqual(os.path.isdir(self.host(r"C:\windows\syswow64")), self.ARCH == "win64")
        folder = self.install()
        self.assertEqual(self.history(), {"0": "Schulz"})
        self.assertIn(folder, self.ours())  # which sees what is ours
        program = s.reg_values(UNINSTALL_KEY)["InstallLocation"] + "\\spurlixlight.exe"
        menu = self.host(r"C:\users") + "/*/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/"
        shortcuts = glob.glob(menu + "*.lnk")
        self.assertEqual([os.path.basename(p) for p in shortcuts], ["Spurlix light für ACT!.lnk"])
        with open(shortcuts[0], "rb") as f:
            self.assertIn(program.encode("cp1252"), f.read())  # its target

        # The installed program, run from where it was installed, finds ACT!.
        s.program = [program]
        self.test_search_hands_the_hits_to_act_records_the_term_and_leaves_the_sql()
        history = self.history()

        # A second install replaces the program and keeps the history.
        with open(os.path.join(folder, "spurlixlight.exe"), "wb") as f:
            f.write(b"an older version")
        self.assertEqual(self.install(), folder)
        self.assertEqual(self.history(), history)

        s.wine(["wine", os.path.join(folder, "uninstall.exe"), "/S"], "the uninstaller")
        # It goes on from a copy of itself in the temporary folder.
        s.wait_for(lambda: not os.path.exists(folder), "the uninstaller to end")
        s.wait_for(lambda: not s.reg_values(UNINSTALL_KEY), "the uninstall key to go")
        self.assertEqual(self.ours(), [])
        self.assertEqual(self.history(), history)


if __name__ == "__main__":
    e2e_wine_test.BUILD_DIR = os.path.abspath(sys.argv[1])
    SETUP, VERSION = os.path.abspath(sys.argv[2]), sys.argv[3]
    if sys.argv[4:] == ["--win32"]:
        Installer.ARCH = "win32"
    use_emulated_wine32()
    name = "Installer.test_install_search_reinstall_and_uninstall_keeping_the_history"
    unittest.main(argv=[sys.argv[0], "-v", name])
