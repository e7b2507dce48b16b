"""A private desktop session for end-to-end runs: a virtual X server, a
private session bus, throw-away home and XDG folders, optionally a window
manager (openbox), the stand-in ACT! and the program itself, typed at with
xdotool as a person would.

Used by the end-to-end tests and by the demo script. Needs Xvfb, dbus-daemon,
xdotool, xprop, openbox and ImageMagick's `import` (for screenshots).

Every wait is capped by PATIENCE (never a delay), wide enough for the first
start of a Qt program on a fresh, busy machine; after 5 s it says what it
waits for. A failed step raises SessionError with the windows shown and the
exit status and standard error of every program started.
"""

import json
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time

PATIENCE = 60  # seconds
SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


class SessionError(RuntimeError):
    pass


class Program:
    """A process of the session. Its output goes to files: never a full pipe,
    and readable at any time."""

    def __init__(self, session, name, argv, **kwargs):
        self.name = name
        files = os.path.join(session.root, "%d-%s" % (len(session.programs), name))
        self.stdout_path, self.stderr_path = files + ".stdout", files + ".stderr"
        with open(self.stdout_path, "wb") as out, open(self.stderr_path, "wb") as err:
            try:
                self.process = subprocess.Popen(argv, env=session.env, stdout=out, stderr=err,
                                                **kwargs)
            except OSError as e:
                raise SessionError("cannot start %s: %s" % (name, e)) from None

    def running(self):
        return self.process.poll() is None

    def report(self):
        """Its state and the end of its standard error."""
        status = self.process.poll()
        with open(self.stderr_path, encoding="utf-8", errors="replace") as f:
            lines = f.read().strip().splitlines()[-20:]
        return "%s %s; standard error:%s" % (
            self.name, "still running" if status is None else "exit status %d" % status,
            "".join("\n    " + line for line in lines) or " empty")

    def stop(self):
        if self.running():
            self.process.terminate()
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


class Session:
    SCREEN = "1280x800x24"  # the virtual screen: width x height x depth

    def __init__(self, build_dir, keep=False):
        self.build_dir = build_dir
        self.keep = keep
        self.root = tempfile.mkdtemp(prefix="spurlix-e2e-")
        self.home = os.path.join(self.root, "home")
        os.makedirs(self.home)
        self.env = dict(os.environ)
        for name in ("DBUS_SESSION_BUS_ADDRESS", "XDG_CONFIG_HOME", "XDG_DATA_HOME",
                     "XDG_CACHE_HOME", "QT_QPA_PLATFORM", "WAYLAND_DISPLAY"):
            self.env.pop(name, None)
        self.env.update({
            "HOME": self.home,
            "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
            "XDG_DATA_HOME": os.path.join(self.home, ".local", "share"),
            "XDG_CACHE_HOME": os.path.join(self.home, ".cache"),
            "XDG_RUNTIME_DIR": self.root,
            "LANG": "C.UTF-8",
            "LC_ALL": "C.UTF-8",
            "QT_QPA_PLATFORM": "xcb",
            # Keep the tests away from any real browser or mail program.
            "BROWSER": "true",
        })
        self.programs = []
        try:
            self._start_x()
            self._start_bus()
        except BaseException:
            self.close()
            raise

    # -- infrastructure -------------------------------------------------

    def _start_x(self):
        read_fd, write_fd = os.pipe()
        try:
            xvfb = self.start(["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
                               self.SCREEN, "-nolisten", "tcp"], pass_fds=(write_fd,))
        finally:
            os.close(write_fd)
        with os.fdopen(read_fd, "rb") as pipe:  # the display number, once it takes clients
            ready = select.select([pipe], [], [], PATIENCE)[0]
            number = pipe.readline().strip() if ready else b""
        if not number:
            raise SessionError("the virtual X server did not start: " + xvfb.report())
        self.env["DISPLAY"] = ":" + number.decode()

    def _start_bus(self):
        bus = self.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"])
        address = []

        def printed():
            with open(bus.stdout_path, encoding="utf-8") as f:
                address[:] = [f.readline()]
            return address[0].endswith("\n")

        self.wait_for(printed, "the session bus", watch=bus)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address[0].strip()

    def start_window_manager(self):
        """Runs openbox on the virtual screen and waits until it manages it."""
        openbox = self.start(["openbox"])
        self.wait_for(lambda: "window id" in self.run(["xprop", "-root",
                                                       "_NET_SUPPORTING_WM_CHECK"]),
                      "the window manager", watch=openbox)
        return openbox

    def close(self):
        for p in reversed(self.programs):
            p.stop()
        if not self.keep:
            shutil.rmtree(self.root, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    # -- programs ---------------------------------------------------------

    def binary(self, relative):
        return os.path.join(self.build_dir, relative)

    def start(self, argv, name=None, **kwargs):
        program = Program(self, name or os.path.basename(argv[0]), argv, **kwargs)
        self.programs.append(program)
        return program

    def start_standin(self, table, *options):
        """The stand-in ACT!, once it serves on the bus and shows its main
        window (`.window`; None with --hidden)."""
        self.standin_log = os.path.join(self.root, "standin.jsonl")
        standin = self.start([self.binary("standin/act-standin"), table, "--log",
                              self.standin_log, *options])
        hidden, found = "--hidden" in options, []

        def ready():
            if not self.bus_name_owned("ACTOLE.APPOBJECT"):
                return False
            found[:] = self.xdotool("search", "--onlyvisible", "--pid", str(standin.process.pid),
                                    check=False).split()
            return hidden or found

        self.wait_for(ready, "the stand-in ACT! on the bus and on screen", watch=standin)
        standin.window = found[-1] if found else None
        return standin

    def start_program(self):
        return self.start([self.binary("startup/app/spurlixlight")])

    def watch_maps(self):
        """Notes the title of every window mapped from now on, also of one
        shown for a moment only; gives a function that returns those titles
        so far. The watcher is the Linux build's window-map-watch: this
        session's build's, else that of build/default (for a Windows build)."""
        for build in (self.build_dir, os.path.join(SOURCE, "build", "default")):
            path = os.path.join(build, "tests", "window-map-watch")
            if os.path.exists(path):
                break
        else:
            raise SessionError("no window-map-watch: build the Linux build's target of that name")
        watcher = self.start([path])

        def lines():
            with open(watcher.stdout_path, encoding="utf-8", errors="replace") as f:
                return f.read().splitlines()

        self.wait_for(lambda: lines()[:1] == ["ready"], "the window watcher", watch=watcher)
        return lambda: lines()[1:]

    def wait_exit(self, program, timeout=PATIENCE):
        """The program's exit status, once it has ended."""
        self.wait_for(lambda: not program.running(), program.name + " to end", timeout)
        return program.process.returncode

    def run(self, argv):
        """The standard output of a short helper run in the session."""
        return subprocess.run(argv, env=self.env, capture_output=True, text=True).stdout

    def bus_name_owned(self, name):
        return "boolean true" in self.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
             "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:" + name])

    def standin_calls(self):
        if not os.path.exists(self.standin_log):
            return []
        with open(self.standin_log, encoding="utf-8") as f:
            return [json.loads(line) for line in f if line.strip()]

    # -- the desktop ------------------------------------------------------

    def xdotool(self, *args, check=True):
        r = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True)
        if check and r.returncode != 0:
            raise SessionError("xdotool %s: %s\n%s" % (" ".join(args), r.stderr.strip(),
                                                       self.reports()))
        return r.stdout.strip()

    def shown(self, title):
        """The shown windows whose title matches the pattern."""
        return self.xdotool("search", "--onlyvisible", "--name", title, check=False).split()

    def find_window(self, title, program, timeout=PATIENCE):
        """The shown window whose title matches, once `program` shows it."""
        self.wait_for(lambda: self.shown(title), "a window titled %r" % title, timeout, program)
        return self.shown(title)[-1]

    def window_gone(self, title):
        return not self.shown(title)

    def focus(self, window):
        self.xdotool("windowfocus", "--sync", window)

    def type(self, text):
        self.xdotool("type", "--delay", "60", text)

    def key(self, *keys):
        self.xdotool("key", "--delay", "60", *keys)

    def screenshot(self, path, window="root"):
        r = subprocess.run(["import", "-window", window, path], env=self.env,
                           capture_output=True, text=True)
        if r.returncode != 0:
            raise SessionError("screenshot %s: %s" % (path, r.stderr.strip()))

    # -- waiting ----------------------------------------------------------

    def reports(self):
        """The windows shown and every program's state, for a failure message."""
        titles = [repr(self.xdotool("getwindowname", w, check=False)) for w in self.shown(".")]
        return "\n".join(["windows shown: " + (", ".join(titles) or "none")] +
                         [p.report() for p in self.programs])

    def wait_for(self, condition, what, timeout=PATIENCE, watch=None):
        """Polls until `condition` holds; fails after `timeout` seconds, or as
        soon as the program `watch` (the one to bring it about) has ended."""
        start, notice = time.monotonic(), 5
        while not condition():
            waited = time.monotonic() - start
            if watch is not None and not watch.running():
                raise SessionError("%s ended before %s (after %.0f s)\n%s" %
                                   (watch.name, what, waited, self.reports()))
            if waited >= timeout:
                raise SessionError("timed out after %d s waiting for %s\n%s" %
                                   (timeout, what, self.reports()))
            if waited >= notice:
                print("still waiting for %s (%.0f s, at most %d s)" % (what, waited, timeout),
                      file=sys.stderr, flush=True)
                notice += 10
            time.sleep(0.1)
