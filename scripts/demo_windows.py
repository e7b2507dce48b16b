"""The Windows demo: spurlixlight.exe and the Windows stand-in ACT! under
Wine, on the demo database.

With --display the two programs start on the desktop at hand (in a prefix of
their own) and the user searches. Without it the session runs on a virtual X
server, typed at as a person would, and saves a picture of each dialog and
step under OUT_DIR; Wine draws the window frames itself there, so the
pictures show them as Windows does.

Run: /usr/bin/python3 scripts/demo_windows.py BUILD_DIR DATABASE_TABLE OUT_DIR
         [--display] [--dpi N]
"""

import argparse
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from demo_session import HISTORY, report  # noqa: E402
from harness import SessionError  # noqa: E402
from wine_harness import WineSession  # noqa: E402

SEARCH_DIALOG = "^Spurlix light f.*r ACT!$"
INFO_DIALOG = "^Informationen .*ber das Programm$"
PICTURE_DIALOG = "^Spurlix Screenshot$"
HISTORY_KEY = r"HKCU\Software\VB and VBA Program Settings\Spurlix light\Suchbegriffe"


def seed_history(session):
    for k in range(10):
        session.reg_add(HISTORY_KEY, str(k), HISTORY[k] if k < len(HISTORY) else "")


def typed_session(s, table, out_dir):
    seed_history(s)
    s.start_standin(table)
    program = s.start_program()
    # Wine draws the frames itself here and moves the keyboard focus to the
    # window it activates, as Windows does: no focusing from outside, which
    # would leave Wine's own idea of the active window behind.
    window = s.find_window(SEARCH_DIALOG, program)
    s.xdotool("mousemove", "--window", window, "150", "8", "click", "1")  # on the title bar
    time.sleep(0.5)
    shots = []

    def picture(name, window_id="root"):
        shots.append(os.path.join(out_dir, name))
        time.sleep(0.5)
        s.screenshot(shots[-1], window_id)

    s.type("Mü")
    s.key("shift")  # the key release completes "Mü" to "Müller" from the history
    picture("1-suchdialog-ergaenzt.png", window)

    s.key("Tab", "Tab", "Tab", "space")  # to the information button
    info = s.find_window(INFO_DIALOG, program)
    picture("2-informationen.png", info)
    s.key("alt+s")  # the full edition's picture
    shot = s.find_window(PICTURE_DIALOG, program)
    picture("3-vollversion.png", shot)
    s.key("alt+F4")
    s.wait_for(lambda: s.window_gone(PICTURE_DIALOG), "the picture dialog to close")
    s.key("alt+o")  # OK (the focus is still on the picture dialog's button)
    s.wait_for(lambda: s.window_gone(INFO_DIALOG), "the information dialog to close")

    s.key("shift+Tab", "shift+Tab", "shift+Tab")  # back to the term box
    s.key("End")
    s.key("Return")
    # The search takes a few hundredths of a second: the next picture shows
    # ACT! with the contacts, the program has ended. A large DEMO_ROWS
    # searches longer.
    if s.wait_exit(program, timeout=600) != 0:
        raise SessionError("SpurlixLight ended with an error\n" + s.reports())
    picture("4-act-zeigt-die-kontakte.png")
    report(s, shots)


def on_the_desktop(s, table):
    standin = s.start_standin(table)
    program = s.start_program()
    print("SpurlixLight startet; tippen Sie ein Wortfragment und drücken Sie Enter.")
    program.process.wait()  # as long as the user likes
    report(s, [])
    print("ACT! (der Stellvertreter) zeigt die gefundenen Kontakte; schließen Sie ihn, "
          "um die Demo zu beenden.")
    standin.process.wait()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build_dir")
    parser.add_argument("table")
    parser.add_argument("out_dir")
    parser.add_argument("--display", action="store_true")
    parser.add_argument("--dpi", type=int, default=96)
    args = parser.parse_args()
    out_dir = os.path.abspath(args.out_dir)
    os.makedirs(out_dir, exist_ok=True)
    # A high DPI needs a screen large enough for the picture dialog.
    screen = "2560x1600x24" if args.dpi > 120 else "1280x800x24"
    try:
        with WineSession(os.path.abspath(args.build_dir), dpi=args.dpi,
                         managed=args.display, screen=screen,
                         display=os.environ.get("DISPLAY") if args.display else None) as s:
            if args.display:
                on_the_desktop(s, os.path.abspath(args.table))
            else:
                typed_session(s, os.path.abspath(args.table), out_dir)
    except SessionError as e:
        print("demo-windows: %s" % e, file=sys.stderr)
        sys.exit(1)


if __name__ == "__main__":
    main()
