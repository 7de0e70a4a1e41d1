#!/usr/bin/env python3
"""Drives a whole test drill of the program through the accessibility bus alone, as switch
access software does: elements are found by role and name, pressed through their action, and
every text is read over the bus. Each wait is on a text of the drill itself; every call must be
answered within the library's own reply timeout.

Usage: busdrill.py IDIOMS_CSV PUPIL_NAME ITEM_CAPTION
Exit status 0 when the drill was finished with every press taking effect exactly once."""

import csv
import sys
import time

import pyatspi
from gi.repository import Atspi, GLib

STEP_BOUND = 120  # seconds for the drill to reach the next state; generous for slow builds
POLL = 0.02  # seconds between two looks at the texts


class Failure(Exception):
    pass


def gone(error):
    """An element that went away with its screen: an answer, unlike a call without reply."""
    return "No such object" in str(error) or "UnknownObject" in str(error)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def elements_under(node, shown_only=True):
    """node and the elements under it; what a hidden element holds is hidden too."""
    found = [node]
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None and (not shown_only or showing(child)):
            found += elements_under(child, shown_only)
    return found


class Client:
    def __init__(self, by_meaning):
        self.by_meaning = by_meaning
        self.presses = 0

    def app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            app = desktop.getChildAtIndex(index)
            if app is not None and app.name == "yojidrill":
                # Every property is read over the bus, never from a cache of earlier events.
                Atspi.Accessible.set_cache_mask(app, Atspi.Cache.NONE)
                return app
        return None

    def elements(self):
        app = self.app()
        return [] if app is None else elements_under(app)

    def wait_for(self, what, find):
        """Looks at the texts until find() returns something; the drill sets the pace."""
        deadline = time.monotonic() + STEP_BOUND
        while True:
            try:
                found = find()
            except GLib.Error as error:
                if not gone(error):
                    raise
                found = None  # a screen was switched while it was read: look again
            if found:
                return found
            if time.monotonic() > deadline:
                raise Failure("waited in vain for " + what)
            time.sleep(POLL)

    def first(self, role, name):
        for node in self.elements():
            if node.getRole() == role and node.name == name:
                return node
        return None

    def press(self, node, name="Press"):
        action = node.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        if not action.doAction(names.index(name)):
            raise Failure("the press of " + node.name + " was refused")
        self.presses += 1

    def find_drill(self):
        """Finds the drill's elements once; later only their texts and states are read."""
        for node in self.elements():
            if node.description == "読み" and node.getRole() == pyatspi.ROLE_LABEL:
                area = node.parent
                children = [area.getChildAtIndex(i) for i in range(area.childCount)]
                labels = [c for c in children if c.getRole() == pyatspi.ROLE_LABEL]
                self.meaning, self.reading_line, self.slots = labels[0], node, labels[2:6]
                self.buttons = [n for n in elements_under(area, shown_only=False)
                                if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
                # The value under the caption 「残り」 bears its name, and its unit at the end.
                self.remaining_label = next((n for n in self.elements() if n.name == "残り" and
                                             n.description.endswith("問")), None)
                return self.remaining_label is not None
        return False

    def reading(self):
        return self.reading_line.name

    def slot_texts(self):
        return "".join(slot.name for slot in self.slots)

    def remaining(self):
        text = self.remaining_label.description
        return int(text[:-1]) if text.endswith("問") else None

    def button(self, name):
        """The shown, enabled button of this name (a tile is named after its character)."""
        for node in self.buttons:
            if node.name == name:
                state = node.getState()
                if state.contains(pyatspi.STATE_SHOWING) and state.contains(pyatspi.STATE_ENABLED):
                    return node
        return None

    def expect(self, what, actual, wanted):
        if actual != wanted:
            raise Failure("%s: read %r, expected %r" % (what, actual, wanted))

    def answer_question(self, left):
        meaning = self.wait_for("a question", lambda: self.meaning.name in self.by_meaning and
                                self.meaning.name)
        idiom, reading = self.by_meaning[meaning]
        self.expect("remaining before the answer", self.remaining(), left)
        for k in range(4):
            self.press(self.wait_for("kana tile " + reading[k], lambda: self.button(reading[k])))
            if k == 0:
                # The question's voice may still be playing: the press counts once it ends.
                self.wait_for("the first kana on the reading line",
                              lambda: self.reading() == reading[:1])
            elif k < 3:
                # No sound plays now: the line shows the press as soon as it is answered.
                self.expect("reading line", self.reading(), reading[:k + 1])
        for k in range(4):
            self.press(self.wait_for("kanji tile " + idiom[k], lambda: self.button(idiom[k])))
            self.expect("answer slots", self.slot_texts(), idiom[:k + 1])
        self.press(self.wait_for("O.K.", lambda: self.button("O.K.")))
        if left > 1:
            self.wait_for("the next question", lambda: self.remaining() == left - 1)

    def finished(self):
        return any(n.name.startswith("今の成績：") for n in self.elements())

    def choose_and_start(self, pupil, item):
        names = self.wait_for("the name list", lambda: self.first(pyatspi.ROLE_LIST, "名前の一覧"))
        table = names.queryTable()
        rows = [r for r in range(table.nRows) if pupil in (table.getAccessibleAt(r, 0).name or "")]
        if len(rows) != 1:
            raise Failure("the name list shows %s %d times" % (pupil, len(rows)))
        self.press(table.getAccessibleAt(rows[0], 0), "Toggle")
        self.press(self.wait_for("O.K.", lambda: self.first(pyatspi.ROLE_PUSH_BUTTON, "O.K.")))
        self.press(self.wait_for("the item's button", lambda: next(
            (n for n in self.elements() if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and
             n.name.startswith(item + " ")), None)))

    def run(self, pupil, item):
        self.wait_for("the program on the bus", self.app)
        self.choose_and_start(pupil, item)
        self.wait_for("the drill", self.find_drill)
        left = self.wait_for("the remaining count", self.remaining)
        questions = left
        while left > 0:
            self.answer_question(left)
            left -= 1
        self.wait_for("the result", self.finished)
        return questions


def main():
    idioms_csv, pupil, item = sys.argv[1:4]
    by_meaning = {}
    with open(idioms_csv, encoding="utf-8") as f:
        for row in csv.reader(line for line in f if not line.startswith("#")):
            if len(row) >= 4:
                by_meaning[row[3]] = (row[1], row[2])
    client = Client(by_meaning)
    try:
        questions = client.run(pupil, item)
    except Exception as error:  # a call without reply raises a GLib error
        print("busdrill: %s after %d presses" % (error, client.presses), file=sys.stderr)
        return 1
    print("busdrill: %d questions answered with %d presses" % (questions, client.presses))
    return 0


if __name__ == "__main__":
    sys.exit(main())
