"""The private desktop of harness.Session for the Windows build: the same
virtual X server and throw-away home, with a private Wine prefix in German in
place of the session bus; the Windows stand-in ACT! (a COM server) and
spurlixlight.exe run in it and are typed at with xdotool as on Linux.

The prefix is made once per session (about 10 s) with one persistent
wineserver, so that every program after the first starts in a fraction of a
second, and what a program writes into the registry can be read at once
(`reg export`). Needs Wine (64-bit), the de_DE.UTF-8 locale and everything
harness.Session needs.

Started by `scripts/test-windows windows32`, the session inherits the
surroundings of the emulated 32-bit Wine (scripts/wine32/env): its 64-bit
loader then runs every program, and Wine hands the 32-bit ones to the 32-bit
half by itself. With arch="win32" the prefix is a pure 32-bit one, as ACT!'s
users on Linux have it: every program in it, Wine's own tools included, runs
through the emulated 32-bit loader, and only the wineserver is 64-bit.
"""

import glob
import os
import shutil
import subprocess
import tempfile

from harness import PATIENCE, Session, SessionError

GERMAN = "de_DE.UTF-8"
AE_DEBUG = r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug"
SCRIPTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts")


def use_emulated_wine32():
    """Makes the sessions started after it run in the surroundings of the
    emulated 32-bit Wine (scripts/wine32/env), for a test of a 32-bit program
    that the 64-bit test run starts (the installer's 32-bit stub)."""
    env = subprocess.run(["bash", "-c", '. "$0" && env -0', os.path.join(SCRIPTS, "wine32", "env")],
                         stdout=subprocess.PIPE, check=True).stdout
    os.environ.update(line.split("=", 1) for line in env.decode().split("\0") if "=" in line)


def windows_path(path):
    """A host path as Windows programs under Wine see it (drive Z:)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class WineSession(Session):
    """`dpi` goes into the prefix (HKCU\\Control Panel\\Desktop LogPixels);
    `managed` False lets Wine draw the window frames itself, as Windows
    does, instead of leaving them to a window manager; `display` runs the
    programs on that X display instead of a virtual one."""

    def __init__(self, build_dir, keep=False, dpi=96, managed=True, screen=None, display=None,
                 act_build=None, arch="win64"):
        self.dpi, self.managed, self.display, self.arch = dpi, managed, display, arch
        # The stand-in ACT! may come from another build: one of the 32-bit
        # program's scenarios runs beside the 64-bit stand-in.
        self.act_build = act_build or build_dir
        self.emulated_32 = "SPURLIX_WINE32" in os.environ
        if arch == "win32" and not self.emulated_32:
            raise SessionError("a 32-bit prefix needs the emulated 32-bit Wine (scripts/wine32/env)")
        self.loader = os.environ["SPURLIX_WINE"] if arch == "win32" else \
            os.environ.get("SPURLIX_WINE64", "wine")
        # What start_program runs under Wine: the build's program, or what a
        # test puts here (the installer's test: the installed Start-menu entry).
        self.program = [os.path.join(build_dir, "startup/app/spurlixlight.exe")]
        if screen:
            self.SCREEN = screen
        super().__init__(build_dir, keep)

    def _start_x(self):
        if self.display:  # the user's desktop
            self.env["DISPLAY"] = self.display
        else:
            super()._start_x()

    # -- infrastructure -------------------------------------------------

    def _start_bus(self):
        # Wine programs need no session bus: the prefix takes its place. It
        # is made here, once the display is known (a wineserver started
        # without one never shows windows).
        self.prefix = os.path.join(self.root, "prefix")
        self.env.update({
            "WINEPREFIX": self.prefix,
            "WINEARCH": self.arch,
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",  # no .NET or browser engine downloads
            # German message boxes ("Ja"/"Nein") and umlauts in command
            # lines and typed keys.
            "LANG": GERMAN,
            "LC_ALL": GERMAN,
        })
        # On the virtual screen a German keyboard, read by Wine when its first
        # program starts, so that typed umlauts have keys of their own instead
        # of keys that xdotool remaps for a moment, which Wine does not
        # always notice in time. Some X servers ignore the change (Debian 12's
        # Xvfb does); the tests that type umlauts allow for that. (A user's
        # desktop keeps its own.)
        if not self.display:
            subprocess.run(["setxkbmap", "de"], env=self.env, check=True)
        # Wine's 32-bit DLLs load the mingw zlib, which Debian puts beside
        # the 64-bit ones only. A 64-bit prefix gets it once made; a 32-bit
        # prefix needs it in system32 before wineboot runs a 32-bit program.
        zlib, dlls = "/usr/i686-w64-mingw32/lib/zlib1.dll", "syswow64"
        if self.arch == "win32":
            dlls = "system32"
            os.makedirs(os.path.join(self.prefix, "drive_c", "windows", dlls))
            os.symlink(zlib, os.path.join(self.prefix, "drive_c", "windows", dlls, "zlib1.dll"))
        self.wine(["wine", "wineboot", "-i"], "making the Wine prefix")
        self.reg_add(r"HKCU\Software\Wine\WineDbg", "ShowCrashDialog", 0)
        self.reg_add(r"HKCU\Control Panel\Desktop", "LogPixels", self.dpi)
        if not self.managed:
            self.reg_add(r"HKCU\Software\Wine\X11 Driver", "Managed", "N")
        # Debian's Wine 8 looks for its own fonts in a folder that does not
        # exist; in the prefix's Fonts folder it finds them (Tahoma for the
        # message boxes, Marlett for the title bars' buttons).
        fonts = os.path.join(self.prefix, "drive_c", "windows", "Fonts")
        for font in glob.glob("/usr/share/wine/fonts/*.ttf"):
            shutil.copy(font, fonts)
        if self.emulated_32:
            if self.arch == "win64":
                os.symlink(zlib, os.path.join(self.prefix, "drive_c", "windows", dlls, "zlib1.dll"))
            # A crash of a 32-bit program would start Wine's debugger, which
            # waits for a person: without one the program just ends.
            views = [[]] if self.arch == "win32" else [["/reg:32"], ["/reg:64"]]
            for view in views:
                self.wine(["wine", "reg", "delete", AE_DEBUG, "/v", "Debugger", "/f", *view],
                          "removing the debugger")
        self.wine(["wineserver", "-w"], "the prefix's first server to end")
        self.wine([os.path.join(SCRIPTS, "wine-slim-prefix"), self.prefix], "linking the DLLs")
        # One server for the whole session, kept running between programs.
        self.wine(["wineserver", "-p"], "starting the wineserver")
        self.wine(["wine", "cmd", "/c", "exit 0"], "the first Wine program")

    def close(self):
        for p in reversed(self.programs):
            p.stop()
        if os.path.isdir(getattr(self, "prefix", "")):
            subprocess.run(["wineserver", "-k"], env=self.env, stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        super().close()

    def wine(self, argv, what):
        """Runs a Wine tool to its end; its standard output. The output goes
        through files: Wine's helper processes, which a program may start,
        inherit its descriptors and outlive it, so a pipe would stay open."""
        argv = [self.loader if argv[0] == "wine" else argv[0], *argv[1:]]
        with tempfile.TemporaryFile(dir=self.root) as out, \
                tempfile.TemporaryFile(dir=self.root) as err:
            status = subprocess.run(argv, env=self.env, stdin=subprocess.DEVNULL, stdout=out,
                                    stderr=err, timeout=PATIENCE * 2).returncode
            out.seek(0)
            err.seek(0)
            if status != 0:
                raise SessionError("%s failed (%s, exit status %d): %s" % (
                    what, " ".join(argv), status, err.read().decode(errors="replace").strip()))
            return out.read().decode("utf-8", errors="replace")

    # -- the registry -----------------------------------------------------

    def reg_add(self, key, name, value):
        kind, data = ("REG_DWORD", str(value)) if isinstance(value, int) else ("REG_SZ", value)
        self.wine(["wine", "reg", "add", key, "/v", name, "/t", kind, "/d", data, "/f"],
                  "writing " + key)

    def reg_delete(self, key):
        try:
            self.wine(["wine", "reg", "delete", key, "/f"], "deleting " + key)
        except SessionError:
            pass  # there was no such key

    def reg_values(self, key):
        """The text and DWORD values of a key as {name: text or number}; {}
        when it is missing.
        Read through `reg export`, whose UTF-16 file keeps every character."""
        exported = os.path.join(self.root, "export.reg")
        try:
            self.wine(["wine", "reg", "export", key, windows_path(exported), "/y"],
                      "exporting " + key)
        except SessionError:
            return {}
        with open(exported, encoding="utf-16") as f:
            lines = f.read().splitlines()
        os.remove(exported)
        values = {}
        for line in lines:
            if line.startswith('"') and '"="' in line:
                name, text = line[1:-1].split('"="', 1)
                values[name] = text.replace('\\"', '"').replace("\\\\", "\\")
            elif line.startswith('"') and '"=dword:' in line:
                name, number = line[1:].split('"=dword:', 1)
                values[name] = int(number, 16)
        return values

    # -- programs ---------------------------------------------------------

    def start_exe(self, relative, *arguments, name=None, build=None):
        """A program of the Windows build (or of `build`), started under Wine."""
        exe = os.path.join(build or self.build_dir, relative)
        return self.start([self.loader, exe, *arguments], name=name or os.path.basename(exe))

    def start_program(self):
        return self.start([self.loader, *self.program], name="spurlixlight.exe")

    def start_standin(self, table, *options):
        """The Windows stand-in ACT! with its call log, once it shows its main
        window (`.window`): it registers with COM before it opens it."""
        self.standin_log = os.path.join(self.root, "standin-%d.jsonl" % len(self.programs))
        standin = self.start_exe("standin/act-standin.exe", "--log",
                                 windows_path(self.standin_log), *options, windows_path(table),
                                 build=self.act_build)
        found = []

        def shown():
            found[:] = self.shown("^ACT! - ")
            return found

        self.wait_for(shown, "the stand-in ACT! on screen", watch=standin)
        standin.window = found[-1]
        return standin

    def stop_standin(self, standin):
        """Ends the stand-in as a user does, by closing its window: one that
        is killed stays registered with Wine's COM until the wineserver ends,
        and every later client would reach the dead process."""
        if standin.running():
            self.wine(["wine", "taskkill", "/im", "act-standin.exe"], "closing the stand-in")
            self.wait_exit(standin)

    def run_exe(self, relative, *arguments):
        """Runs a console program of the Windows build to its end; its output."""
        return self.wine(["wine", self.binary(relative), *arguments], relative)
