"""A private desktop session for end-to-end runs: a virtual X server, a
private session bus, throw-away home and XDG folders, the stand-in ACT! and
the program itself, typed at with xdotool as a person would.

Used by the end-to-end tests and by the demo script. Needs Xvfb, dbus-daemon,
xdotool and ImageMagick's `import` (for screenshots).
"""

import json
import os
import shutil
import signal
import subprocess
import tempfile
import time


class Session:
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
        self.processes = []
        self._start_x()
        self._start_bus()

    # -- infrastructure -------------------------------------------------

    def _start_x(self):
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x800x24",
             "-nolisten", "tcp"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        number = b""
        with os.fdopen(read_fd, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    raise RuntimeError("Xvfb did not start")
                number += chunk
        self.processes.append(xvfb)
        self.env["DISPLAY"] = ":" + number.decode().strip()

    def _start_bus(self):
        bus = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--print-address=1"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=self.env)
        address = bus.stdout.readline().decode().strip()
        if not address:
            raise RuntimeError("dbus-daemon did not start")
        self.processes.append(bus)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address

    def close(self):
        for p in reversed(self.processes):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    p.kill()
        if not self.keep:
            shutil.rmtree(self.root, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    # -- programs ---------------------------------------------------------

    def binary(self, relative):
        return os.path.join(self.build_dir, relative)

    def start(self, argv, **kwargs):
        p = subprocess.Popen(argv, env=self.env, stdout=subprocess.PIPE,
                             stderr=subprocess.PIPE, **kwargs)
        self.processes.append(p)
        return p

    def start_standin(self, table, *options):
        self.standin_log = os.path.join(self.root, "standin.jsonl")
        p = self.start([self.binary("standin/act-standin"), table, "--log",
                        self.standin_log, *options])
        self.wait_for(lambda: self.bus_name_owned("ACTOLE.APPOBJECT") or p.poll() is not None,
                      "the stand-in ACT! on the bus")
        return p

    def start_program(self):
        return self.start([self.binary("startup/app/spurlixlight")])

    def bus_name_owned(self, name):
        r = subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
             "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:" + name],
            env=self.env, capture_output=True, text=True)
        return "boolean true" in r.stdout

    def standin_calls(self):
        if not os.path.exists(self.standin_log):
            return []
        with open(self.standin_log, encoding="utf-8") as f:
            return [json.loads(line) for line in f if line.strip()]

    # -- the desktop ------------------------------------------------------

    def xdotool(self, *args, check=True):
        r = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True)
        if check and r.returncode != 0:
            raise RuntimeError("xdotool %s: %s" % (" ".join(args), r.stderr.strip()))
        return r.stdout.strip()

    def find_window(self, title, timeout=15):
        found = []

        def look():
            out = self.xdotool("search", "--onlyvisible", "--name", title, check=False)
            found[:] = out.split()
            return bool(found)

        self.wait_for(look, "a window titled %r" % title, timeout)
        return found[-1]

    def window_gone(self, title):
        out = self.xdotool("search", "--onlyvisible", "--name", title, check=False)
        return not out.split()

    def focus(self, window):
        self.xdotool("windowfocus", "--sync", window)

    def type(self, text):
        self.xdotool("type", "--delay", "60", text)

    def key(self, *keys):
        self.xdotool("key", "--delay", "60", *keys)

    def screenshot(self, path, window="root"):
        subprocess.run(["import", "-window", window, path], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    @staticmethod
    def wait_for(condition, what, timeout=15):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if condition():
                return
            time.sleep(0.1)
        raise TimeoutError("timed out waiting for " + what)
