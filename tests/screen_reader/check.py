#!/usr/bin/python3
"""Does through AT-SPI alone what a blind technician does with VRN-PC and the simulated card.

Chooses the simulated card in the launcher, sets a current and a PWM in the VRN-B window,
sends, verifies, saves a commissioning record as a PDF and compares the parameter file of
those settings with the card, using only what a screen reader gets: the accessible tree, its
names, actions and text interfaces, and its events. Prints what it read at each step; exits 1
naming the step where something was missing.

    check.py --record /tmp/x/record.pdf

Runs against the VRN-PC already started on the same accessibility bus (scripts/screen-reader.sh
starts both).
"""

import argparse
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

LAUNCHER_TITLE = "VRN-PC rev01"
CARD_TITLE = "VRN-B rev01"
RECORD_TITLE = "Commissioning record - VRN-B"
FILE_DIALOG_TITLE = "Save the commissioning record"
# What the technician sets: every value of the VRN-B window, so that the card holds them all.
CURRENT = "1500"  # mA
OVER_SUPPLY = "200"  # msec
PWM = "(2) 200 Hz"
SERIAL = "SR-4711"
VERIFIED = "Card holds what this window sends"
COMPARE_TITLE = "Compare"
COMPARED = "Card holds what the file sends"
# The VRN-B window's parameter file of these settings: the slider positions of 1500 mA and
# 200 ms, then PWM 2.
PARAMETER_FILE = b'511\r\n79\r\n"00002"\r\n'

WAIT = 10.0  # seconds for anything the program does after a request


class StepFailed(Exception):
    pass


step_name = "start"


def step(name):
    global step_name
    step_name = name
    print(f"--- {name}", flush=True)


def fail(what):
    raise StepFailed(what)


def say(what, text):
    print(f"  {what}: {text!r}", flush=True)


def pump():
    """Hands the events that arrived to the listener, without blocking."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(probe, what, timeout=WAIT):
    """Returns probe()'s first true answer, taking events meanwhile; fails after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        pump()
        try:
            found = probe()
        except GLib.Error:
            found = None  # the object went away while it was read: ask again
        if found:
            return found
        if time.monotonic() > deadline:
            fail(f"no {what} within {timeout:.0f} s")
        time.sleep(0.05)


def children(node):
    kids = []
    for i in range(node.childCount):
        kid = node.getChildAtIndex(i)
        if kid is not None:
            kids.append(kid)
    return kids


def descendants(node):
    queue = children(node)
    while queue:
        kid = queue.pop(0)
        yield kid
        queue.extend(children(kid))


def role(node):
    return node.getRoleName()


def is_showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def find(root, wanted_role, name=None, description=None, test=None):
    for node in descendants(root):
        if role(node) != wanted_role:
            continue
        if name is not None and node.name != name:
            continue
        if description is not None and node.description != description:
            continue
        if test is not None and not test(node):
            continue
        return node
    return None


def need(root, wanted_role, what, **match):
    node = find(root, wanted_role, **match)
    if node is None:
        fail(f"no {wanted_role} {what} in '{root.name}'")
    return node


def do_action(node, *names):
    """Does the node's first action named one of names, as a screen reader's command does."""
    try:
        actions = node.queryAction()
    except NotImplementedError:
        fail(f"'{node.name}' has no actions")
    offered = [actions.getName(i) for i in range(actions.nActions)]
    for i, offered_name in enumerate(offered):
        if offered_name.lower() in (n.lower() for n in names):
            if not actions.doAction(i):
                fail(f"'{node.name}' refused its action {offered_name}")
            return
    fail(f"'{node.name}' offers {offered}, none of {list(names)}")


def set_text(node, text):
    """Writes text into an editable text through its EditableText interface, reads it back."""
    try:
        editable = node.queryEditableText()
    except NotImplementedError:
        fail(f"'{node.name}' cannot be written through the EditableText interface")
    editable.setTextContents(text)
    wait_for(lambda: node.queryText().getText(0, -1) == text, f"'{text}' in '{node.name}'")
    say(f"'{node.name}' now holds", node.queryText().getText(0, -1))


def window(app, name, roles=("frame", "dialog", "alert")):
    for node in children(app):
        if node.name == name and role(node) in roles:
            return node
    return None


def status_parts(win, check_text=False):
    """The status line's parts: {part (the description): text (the name)}. With check_text,
    once the parts have settled, each part's text interface must hold its name."""
    line = need(win, "status bar", "'Status line'", name="Status line")
    parts = {}
    for node in descendants(line):
        if role(node) == "label" and node.description:
            parts[node.description] = node.name
            text = node.queryText().getText(0, -1) if check_text else node.name
            if text != node.name:
                fail(f"status part '{node.description}' is named {node.name!r} "
                     f"but its text is {text!r}")
    return parts


def find_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in children(desktop):
        if app.name == "VRN-PC" or window(app, LAUNCHER_TITLE):
            return app
    return None


def launcher_simulated_card():
    step("launcher: choose the simulated card")
    app = wait_for(find_app, "application VRN-PC on the accessibility bus")
    say("application", app.name)
    launcher = wait_for(lambda: window(app, LAUNCHER_TITLE), f"window '{LAUNCHER_TITLE}'")
    say("window", launcher.name)
    bar = need(launcher, "menu bar", "of the launcher")
    menu = need(bar, "menu item", "'Seriale'", name="Seriale")
    item = need(menu, "menu item", "'Simulated card'", name="Simulated card")
    do_action(item, "Press")
    link = wait_for(lambda: status_parts(launcher).get("Link") == "Simulated card"
                    and "Simulated card", "link text 'Simulated card' in the status line")
    say("status line, Link", link)
    return app, launcher


def card_window(app, launcher):
    step("card window: open VRN-B, set the current and the PWM")
    do_action(need(launcher, "push button", "'VRB'", name="VRB"), "Press")
    card = wait_for(lambda: window(app, CARD_TITLE), f"window '{CARD_TITLE}'")
    say("window", card.name)
    current = need(card, "text", "whose name has 'mA'", test=lambda n: "mA" in n.name)
    set_text(current, CURRENT)
    over_supply = need(card, "text", "whose name has 'msec'", test=lambda n: "msec" in n.name)
    set_text(over_supply, OVER_SUPPLY)
    option = need(card, "check box", f"'{PWM}'", test=lambda n: n.name.endswith(PWM))
    if not option.getState().contains(pyatspi.STATE_CHECKED):
        do_action(option, "Toggle")
    wait_for(lambda: option.getState().contains(pyatspi.STATE_CHECKED), f"'{option.name}' checked")
    checked = [n.name for n in descendants(card)
               if role(n) == "check box" and n.getState().contains(pyatspi.STATE_CHECKED)]
    say("checked", checked)
    return card, current


def send(card, current, events):
    step("send: Send Parameters, hear the status line")
    events.clear()
    do_action(need(card, "push button", "'Send Parameters'", name="Send Parameters"), "Press")
    wait_for(lambda: ("insert", "Last transfer") in ((k, p) for k, p, t in events
                                                     if t.startswith("Sent at ")),
             "'Sent at ...' heard from the status line's Last transfer")
    heard = [event for event in events if event[1] in ("Link", "Last transfer", "Card")]
    # What a screen reader gets to speak: each text put into a part.
    for kind, part, text in heard:
        if kind == "insert":
            say(f"heard {part}", text)
    names = sum(kind == "accessible-name" for kind, _, _ in heard)
    say("name changes heard", names)
    if not names:
        fail("no status-line part told of its new name")
    parts = status_parts(card, check_text=True)
    for part in ("Link", "Last transfer", "Card"):
        say(f"status line, {part}", parts.get(part))
    if parts.get("Link") != "Simulated card":
        fail(f"link part says {parts.get('Link')!r}, not 'Simulated card'")
    if not parts.get("Card"):
        fail("the card part says nothing")
    if parts["Card"].startswith("Not set"):
        fail("the entries written into the boxes were not taken")
    say(f"'{current.name}' after the Send", current.queryText().getText(0, -1))


def verify(app, card):
    step("verify: Verify, read the result, OK")
    line = need(card, "status bar", "'Status line'", name="Status line")
    do_action(need(line, "push button", "'Verify'", name="Verify"), "Press")
    box = wait_for(lambda: window(app, CARD_TITLE, ("alert", "dialog")),
                   f"message box '{CARD_TITLE}'")
    say(f"{role(box)}", box.name)
    texts = [n.name for n in descendants(box) if role(n) == "label" and n.name]
    for text in texts:
        say("message", text)
    if VERIFIED not in texts:
        fail(f"the message box does not say '{VERIFIED}'")
    do_action(need(box, "push button", "'OK'", name="OK"), "Press")
    wait_for(lambda: not window(app, CARD_TITLE, ("alert", "dialog")), "message box closed")
    say("status line, Last transfer", status_parts(card).get("Last transfer"))


def record(app, card, pdf):
    step("record: More, Commissioning record..., Save as PDF")
    line = need(card, "status bar", "'Status line'", name="Status line")
    more = need(line, "push button", "'More'", name="More")
    do_action(more, "ShowMenu", "Press")
    menu = need(more, "popup menu", "below 'More'")
    wait_for(lambda: is_showing(menu), "'More' menu open")
    item = need(menu, "menu item", "'Commissioning record...'", name="Commissioning record...")
    do_action(item, "Press")
    dialog = wait_for(lambda: window(app, RECORD_TITLE), f"window '{RECORD_TITLE}'")
    say("window", dialog.name)
    wait_for(lambda: not is_showing(menu), "'More' menu closed after its item")
    set_text(need(dialog, "text", "'Card serial number'", name="Card serial number"), SERIAL)
    last_verify = need(dialog, "label", "'Last Verify'", description="Last Verify").name
    say("Last Verify", last_verify)
    if VERIFIED not in last_verify:
        fail(f"'Last Verify' does not tell '{VERIFIED}'")
    do_action(need(dialog, "push button", "'Save as PDF'", name="Save as PDF"), "Press")
    chooser = wait_for(lambda: window(app, FILE_DIALOG_TITLE), f"file dialog '{FILE_DIALOG_TITLE}'")
    say(role(chooser), chooser.name)
    name_box = need(chooser, "text", "for the file name",
                    test=lambda n: n.name.startswith("File name"))
    set_text(name_box, pdf)
    do_action(need(chooser, "push button", "'Save'", name="Save"), "Press")
    wait_for(lambda: not window(app, FILE_DIALOG_TITLE), "file dialog closed after Save")
    saved = wait_for(lambda: need(dialog, "label", "'Saved record'",
                                  description="Saved record").name, "text of 'Saved record'")
    say("Saved record", saved)
    if pdf not in saved:
        fail(f"'Saved record' does not name {pdf}")
    with open(pdf, "rb") as made:
        if made.read(5) != b"%PDF-":
            fail(f"{pdf} is not a PDF")
    say("file", f"{pdf}, {os.path.getsize(pdf)} bytes")
    # What was set through the screen reader is in the record.
    try:
        text = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True,
                              text=True, timeout=WAIT, check=True).stdout
    except (OSError, subprocess.SubprocessError) as error:
        fail(f"pdftotext cannot read the record: {error}")
    for wanted in (SERIAL, f"{CURRENT} mA", f"{OVER_SUPPLY} ms", PWM, VERIFIED):
        if wanted not in text:
            fail(f"the record does not hold '{wanted}'")
    say("record holds", [SERIAL, f"{CURRENT} mA", f"{OVER_SUPPLY} ms", PWM, VERIFIED])


def compare(app, card, folder, events):
    step("compare: More, Compare with a file..., the file of these settings, read the result")
    # Written here rather than through File > Save, whose modal dialog holds up the answer to
    # the menu item's action until it closes.
    path = os.path.join(folder, "pump.par")
    with open(path, "wb") as file:
        file.write(PARAMETER_FILE)
    line = need(card, "status bar", "'Status line'", name="Status line")
    more = need(line, "push button", "'More'", name="More")
    do_action(more, "ShowMenu", "Press")
    menu = need(more, "popup menu", "below 'More'")
    wait_for(lambda: is_showing(menu), "'More' menu open")
    do_action(need(menu, "menu item", "'Compare with a file...'", name="Compare with a file..."),
              "Press")
    dialog = wait_for(lambda: window(app, COMPARE_TITLE), f"window '{COMPARE_TITLE}'")
    say("window", dialog.name)
    # A combo box is named by what it shows; what it is for is its description.
    model = need(dialog, "combo box", "'Card model'", description="Card model").name
    say("Card model", model)
    if model != "VRN-B":
        fail(f"the VRN-B window's More menu chose {model!r}, not 'VRN-B'")
    set_text(need(dialog, "text", "'File A'", name="File A"), path)
    events.clear()
    do_action(need(dialog, "push button", "'Compare'", name="Compare"), "Press")
    result = wait_for(lambda: (lambda r: r if r.name and not r.name.startswith("Reading")
                               else None)(need(dialog, "label", "'Result'",
                                               description="Result")), "the comparison's result")
    say("Result", result.name)
    if result.name != COMPARED:
        fail(f"the result says {result.name!r}, not '{COMPARED}'")
    wait_for(lambda: ("accessible-name", "Result", COMPARED) in events, "the result heard")
    table = need(dialog, "table", "'Values compared'", name="Values compared").queryTable()
    columns = [table.getColumnHeader(c).name for c in range(table.nColumns)]
    say("columns", columns)
    for r in range(table.nRows):
        cells = [table.getAccessibleAt(r, c).name for c in range(table.nColumns)]
        say(f"row {r + 1}", cells)
        if cells[-1] != "same":
            fail(f"row {r + 1} is not the same on the card: {cells}")
    if table.nRows != 3:
        fail(f"the table has {table.nRows} rows, not the 3 values of VRN-B")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--record", required=True, help="where to save the record's PDF")
    pdf = os.path.abspath(parser.parse_args().record)
    if os.path.exists(pdf):
        sys.exit(f"{pdf} exists already: the check saves a new record there")

    # A request to the program fails after 5 s rather than waiting for ever, from its start on.
    pyatspi.setTimeout(5000, -1)
    events = []

    def heard(event):
        # A text change tells the text put in or taken out; a name change (Qt sends the object
        # itself as its data) is read from its source, as a screen reader does.
        kind = event.type.split(":")[-1]
        try:
            text = event.any_data if isinstance(event.any_data, str) else event.source.name
            events.append((kind, event.source.description, text))
        except GLib.Error:
            pass  # its source is gone already

    pyatspi.Registry.registerEventListener(
        heard, "object:property-change:accessible-name", "object:text-changed")
    try:
        app, launcher = launcher_simulated_card()
        card, current = card_window(app, launcher)
        send(card, current, events)
        verify(app, card)
        record(app, card, pdf)
        compare(app, card, os.path.dirname(pdf), events)
    except StepFailed as failure:
        print(f"screen reader check FAILED at '{step_name}': {failure}", file=sys.stderr)
        return 1
    except GLib.Error as error:
        print(f"screen reader check FAILED at '{step_name}': AT-SPI: {error.message}",
              file=sys.stderr)
        return 1
    print("screen reader check: every step passed", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
