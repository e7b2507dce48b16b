"""End-to-end: the real program and the stand-in ACT! on a virtual X server
and a private session bus, typed at with xdotool as a person would.

Run: /usr/bin/python3 tests/e2e/e2e_test.py BUILD_DIR [TestCase.test_name ...]
"""

import os
import shutil
import sys
import unittest

import dbfread

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Session  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
FIXTURES = os.path.join(ROOT, "tests", "data", "sql")
BUILD_DIR = None

SEARCH_DIALOG = "^Spurlix light f.*r ACT!$"
MESSAGE_BOX = "^SpurlixLight$"
INFO_DIALOG = "^Informationen .*ber das Programm$"


def expected_ids(table, fragment):
    """The UNIQUE_IDs an independent reader finds for the fragment, in table order."""
    ids = []
    for record in dbfread.DBF(table, encoding="cp1252"):
        company = (record["COMPANY"] or "").lower()
        name = (record["NAME"] or "").lower()
        if fragment.lower() in company or fragment.lower() in name:
            ids.append(record["UNIQUE_ID"].rstrip())
    return ids


class Scenarios:
    """What a user does, the same on both platforms. A test case that mixes
    this in starts ACT! (start_standin), runs the program in self.session and
    reads the history where its platform keeps it (assert_no_history)."""

    def start_search_dialog(self):
        self.program = self.session.start_program()
        window = self.session.find_window(SEARCH_DIALOG, self.program)
        self.session.focus(window)
        return window

    def answer_message_box(self, key):
        box = self.session.find_window(MESSAGE_BOX, self.program)
        self.session.focus(box)
        self.session.key(key)

    def assert_ends(self):
        if self.session.wait_exit(self.program) != 0:
            self.fail("the program failed\n" + self.session.reports())

    def calls(self, name):
        return [c for c in self.session.standin_calls() if c["call"] == name]

    def assert_hits_handed_over(self, fragment):
        lookups = self.calls("CreateLookup")
        self.assertEqual(len(lookups), 1)
        self.assertEqual(lookups[0]["ids"], expected_ids(self.table, fragment))
        self.assertEqual(lookups[0]["result"], 0)
        self.assertEqual([c["call"] for c in self.session.standin_calls()],
                         ["Views", "Create", "GetOpenDBName", "LookupAll", "CreateLookup"])

    def assert_links_in(self, folder):
        with open(os.path.join(folder, "0100morede.web"), "rb") as f:
            line = f.read()
        self.assertTrue(line.startswith(b"[ACT! Add-ons (&deutsch)]http"), line)
        self.assertTrue(line.endswith(b"\r\n"))
        self.assertTrue(os.path.exists(os.path.join(folder, "0100morefe.web")))

    def test_no_hits_answered_no_ends_without_a_lookup(self):
        self.start_standin()
        self.start_search_dialog()
        self.session.type("xyzq")
        self.session.key("Return")
        self.answer_message_box("alt+n")
        self.assert_ends()
        self.assertEqual(self.calls("CreateLookup"), [])
        self.assert_no_history()

    def test_a_failing_start_never_shows_the_search_dialog(self):
        # The dialog is built while ACT! answers. ACT! refuses the first view
        # (Yes: try again), then the database it names cannot be opened (its
        # table is gone): both messages come, in this order, and the dialog
        # never shows, not even for a moment.
        self.start_standin("--refuse-views", "1")
        shutil.rmtree(self.database)
        mapped = self.session.watch_maps()
        self.program = self.session.start_program()
        self.answer_message_box("alt+j")
        self.session.wait_for(lambda: self.calls("GetOpenDBName"), "the database's name")
        self.answer_message_box("Return")  # "Konnte Ihre ACT!-Datenbank nicht öffnen !", OK
        self.assert_ends()
        self.assertEqual([c["call"] for c in self.session.standin_calls()],
                         ["Views", "Create", "Create", "GetOpenDBName"])
        self.assertNotIn("Spurlix light für ACT!", mapped())
        self.assertIn("SpurlixLight", mapped())  # the message boxes: the watcher saw them

    def test_view_refused_twice_then_accepted(self):
        # Escape in the search dialog then ends the program.
        self.start_standin("--refuse-views", "2")
        self.program = self.session.start_program()
        self.answer_message_box("alt+j")
        self.session.wait_for(lambda: len(self.calls("Create")) == 2, "the second Create")
        self.answer_message_box("alt+j")
        window = self.session.find_window(SEARCH_DIALOG, self.program)
        self.assertEqual(len(self.calls("Create")), 3)
        self.session.focus(window)
        self.session.key("Escape")
        self.assert_ends()
        self.assertEqual(self.calls("CreateLookup"), [])


class EndToEnd(Scenarios, unittest.TestCase):
    def setUp(self):
        self.session = Session(BUILD_DIR)
        self.addCleanup(self.session.close)
        self.database = os.path.join(self.session.root, "db")
        shutil.copytree(FIXTURES, self.database)
        self.table = os.path.join(self.database, "KONTAKTE.dbf")
        self.netlinks = os.path.join(self.session.root, "netlinks")
        self.settings = os.path.join(self.session.env["XDG_CONFIG_HOME"], "Spurlix light",
                                     "settings.ini")

    def start_standin(self, *options):
        return self.session.start_standin(self.table, "--netlinks", self.netlinks, *options)

    def assert_no_history(self):
        self.assertFalse(os.path.exists(self.settings))

    def test_search_hands_the_hits_to_act_and_records_the_term(self):
        # Under a window manager, with ACT! minimised: it still counts as running.
        self.session.start_window_manager()
        self.session.xdotool("windowminimize", "--sync", self.start_standin().window)
        self.start_search_dialog()
        self.session.type("mü")
        self.session.key("Return")
        self.assert_ends()

        self.assert_hits_handed_over("mü")
        with open(self.settings, encoding="utf-8") as f:
            history = f.read()
        self.assertIn("[Suchbegriffe]", history)
        self.assertIn("0=mü\n", history)
        for k in range(1, 10):
            self.assertIn("%d=\n" % k, history)
        self.assert_links_in(self.netlinks)

    def test_no_hits_answered_yes_keeps_the_dialog_for_a_new_term(self):
        self.start_standin()
        window = self.start_search_dialog()
        self.session.type("xyzq")
        self.session.key("Return")
        self.answer_message_box("alt+j")
        self.session.wait_for(lambda: self.session.window_gone(MESSAGE_BOX), "the question to close")
        self.session.focus(window)
        self.session.key("ctrl+a")
        self.session.type("schulz")
        self.session.key("Return")
        self.assert_ends()
        self.assertEqual(self.calls("CreateLookup")[0]["ids"], ["X1"])

    def test_act_without_a_shown_window_shows_the_notice_and_ends(self):
        # ACT! serves on the bus, but its window is withdrawn (hidden): as on
        # Windows, it does not count as running, also under a window manager.
        self.session.start_window_manager()
        self.start_standin("--hidden")
        self.program = self.session.start_program()
        info = self.session.find_window(INFO_DIALOG, self.program)
        self.session.focus(info)
        self.session.key("Return")  # OK has the focus
        self.assert_ends()
        self.assertEqual(self.session.standin_calls(), [])  # the window check comes first
        self.assert_no_history()
        self.assert_links_in(self.netlinks)  # before the window check

    def test_act_leaving_during_the_search_ends_without_history(self):
        self.start_standin("--quit-on-lookup")
        self.start_search_dialog()
        self.session.type("mü")
        self.session.key("Return")
        self.answer_message_box("Return")  # "(CView2)": OK
        self.assert_ends()
        self.assert_no_history()


if __name__ == "__main__":
    BUILD_DIR = os.path.abspath(sys.argv[1])
    unittest.main(argv=[sys.argv[0], "-v"] + sys.argv[2:])
