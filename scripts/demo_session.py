"""The demo without a display: the program and the stand-in ACT! on a virtual
X server with a private session bus, typed at as a person would, with a
screenshot of each step under OUT_DIR.

Run: /usr/bin/python3 scripts/demo_session.py BUILD_DIR DATABASE_TABLE OUT_DIR
"""

import json
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "tests", "e2e"))
from harness import Session, SessionError  # noqa: E402

SEARCH_DIALOG = "^Spurlix light f.*r ACT!$"
INFO_DIALOG = "^Informationen .*ber das Programm$"
HISTORY = ["Meyer", "Müller", "Krüger", "Schäfer", "Bäckerei"]


def report(session, shots):
    """What ACT! was handed, and where the screenshots are."""
    lookups = [c for c in session.standin_calls() if c["call"] == "CreateLookup"]
    print()
    if lookups:
        ids = lookups[0]["ids"]
        # ACT!'s IDs hold blanks and quotes: shown as a JSON list.
        print("ACT! bekam %d Kontakte (Antwort %s), die ersten: %s" %
              (len(ids), lookups[0]["result"], json.dumps(ids[:5], ensure_ascii=False)))
    else:
        print("ACT! bekam keine Kontakte.")
    if shots:
        print("Bilder:")
        for shot in shots:
            print("  " + shot)

def seed_history(session):
    folder = os.path.join(session.env["XDG_CONFIG_HOME"], "Spurlix light")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "settings.ini"), "w", encoding="utf-8") as f:
        f.write("[Suchbegriffe]\n")
        for k in range(10):
            f.write("%d=%s\n" % (k, HISTORY[k] if k < len(HISTORY) else ""))


def run(build_dir, table, out_dir):
    with Session(build_dir) as s:
        s.start_window_manager()
        seed_history(s)
        s.start_standin(table)
        program = s.start_program()
        window = s.find_window(SEARCH_DIALOG, program)
        s.focus(window)
        time.sleep(0.5)

        s.type("Mü")  # completes to "Müller" from the history
        time.sleep(0.5)
        shots = [os.path.join(out_dir, "1-suchdialog-ergaenzt.png")]
        s.screenshot(shots[-1])

        s.key("Tab", "Tab", "Tab", "space")  # to the information button
        info = s.find_window(INFO_DIALOG, program)
        time.sleep(0.5)
        shots.append(os.path.join(out_dir, "2-informationen.png"))
        s.screenshot(shots[-1])
        s.focus(info)
        s.key("Return")  # OK
        s.wait_for(lambda: s.window_gone(INFO_DIALOG), "the information dialog to close")

        s.focus(window)
        s.key("shift+Tab", "shift+Tab", "shift+Tab")  # back to the term box
        s.key("End")
        # The search runs for a moment only: the next picture is its result.
        s.key("Return")
        # A large DEMO_ROWS searches longer than any window takes to show.
        if s.wait_exit(program, timeout=600) != 0:
            raise SessionError("SpurlixLight ended with an error\n" + s.reports())
        time.sleep(1)
        shots.append(os.path.join(out_dir, "3-act-zeigt-die-kontakte.png"))
        s.screenshot(shots[-1])

        report(s, shots)


def main():
    build_dir, table, out_dir = (os.path.abspath(a) for a in sys.argv[1:4])
    os.makedirs(out_dir, exist_ok=True)
    try:
        run(build_dir, table, out_dir)
    except SessionError as e:
        print("demo: %s" % e, file=sys.stderr)
        sys.exit(1)


if __name__ == "__main__":
    main()
