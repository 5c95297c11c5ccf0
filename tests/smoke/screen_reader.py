"""Plays the sample game's opening as a screen reader user would: the keyboard alone,
and only what AT-SPI tells about the game.

screen_reader.py <pid of hibi> <opening script, UTF-8>
Prints what it heard; exits 1 with the first thing that went wrong.
"""

import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

PID = int(sys.argv[1])
OPENING = sys.argv[2]
TITLE = "なつやすみ、とおかかん"

inserted = []  # (element name, text)
focused = []  # element names, in the order they took the focus


def on_event(event):
    try:
        name = event.source.get_name()
    except GLib.Error:
        return
    if event.type.startswith("object:text-changed:insert"):
        inserted.append((name, event.any_data))
    elif event.detail1 == 1:
        focused.append(name)




def fail(message):
    print("screen reader: FAIL: " + message)
    print("heard:", [text for _, text in inserted])
    print("focus:", focused)
    sys.exit(1)


def pump(seconds):
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def key(*names):
    for name in names:
        subprocess.run(["xdotool", "key", "--clearmodifiers", name], check=True)
        pump(0.3)


def game():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_process_id() == PID:
            return app
    return None


def walk(element, depth=0):
    yield element
    if depth > 12:
        return
    for i in range(element.get_child_count()):
        child = element.get_child_at_index(i)
        if child is not None:
            yield from walk(child, depth + 1)


def states(element):
    return element.get_state_set()


def is_showing(element):
    return states(element).contains(Atspi.StateType.SHOWING)


def focus():
    for element in walk(game()):
        if states(element).contains(Atspi.StateType.FOCUSED):
            return element
    return None


def wait_focus(predicate, seconds, what):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        now = focus()
        if now is not None and predicate(now):
            return now
        pump(0.2)
    fail(what)


def wait_event(done, seconds, what):
    end = time.monotonic() + seconds
    while not done():
        if time.monotonic() > end:
            fail(what)
        pump(0.1)


def named(prefix):
    return [e.get_name() for e in walk(game()) if e.get_name().startswith(prefix) and is_showing(e)]


def expected_lines(path):
    """The rows a reader hears: text lines, and a speaker's name where a speaker row
    begins; commands and empty lines are heard as nothing."""
    rows = []
    for line in open(path, encoding="utf-8").read().splitlines():
        if line.startswith("tugi"):
            break
        if line == "" or line.startswith(">") or line == "-":
            continue
        rows.append(line[1:].split("＿")[0] if line.startswith("-") else line)
    return rows


def hidden_showing():
    """Elements that say they show though they or a box around them are hidden."""
    wrong = []

    def visit(element, shown):
        here = is_showing(element)
        if here and not shown:
            wrong.append(element.get_name() or element.get_role_name())
        for i in range(element.get_child_count()):
            child = element.get_child_at_index(i)
            if child is not None:
                visit(child, here)

    visit(game(), True)
    return wrong


deadline = time.monotonic() + 30
while game() is None:
    if time.monotonic() > deadline:
        fail("the game never joined the accessibility bus")
    pump(0.2)
# Listening from here on: the game asks what is listened to as it joins the bus, and
# hears of every listener that comes later.
listener = Atspi.EventListener.new(on_event)
listener.register("object:text-changed:insert")
listener.register("object:state-changed:focused")

# The title: the focused element names the game and how to begin.
title = wait_focus(lambda e: TITLE in e.get_name(), 15, "no focused element names the game")
print("title:", title.get_name())
if "Ctrl+Enter" not in title.get_name():
    fail("the title does not tell how to begin: " + title.get_name())
if hidden_showing():
    fail("hidden but showing at the title: " + ", ".join(hidden_showing()))

# Begin with the keyboard and turn every page with Enter until a command has the focus.
key("ctrl+Return")
end = time.monotonic() + 120
while True:
    now = focus()
    if now is not None and now.get_role() == Atspi.Role.PUSH_BUTTON:
        break
    if time.monotonic() > end:
        fail("the opening never reached the command panel")
    key("Return")
heard = [text.rstrip("\n") for name, text in inserted if name == "メッセージ"]
want = expected_lines(OPENING)
print("lines heard:", len(heard), "of", len(want))
if heard != want:
    for i, (got, line) in enumerate(zip(heard, want)):
        if got != line:
            fail("line %d heard as %r, the script says %r" % (i + 1, got, line))
    fail("heard %d lines, the script has %d" % (len(heard), len(want)))
if "メッセージ" not in focused:
    fail("the message area never took the focus in the scene")

# The panel: status labels by meaning and value, nothing hidden showing.
for meaning in ("経過日数 ", "時間 ", "疲労度 "):
    if not named(meaning):
        fail("no status label named " + meaning)
print("status:", named("経過日数 ") + named("時間 ") + named("疲労度 "))
if hidden_showing():
    fail("hidden but showing at the panel: " + ", ".join(hidden_showing()))

# A command: the arrows to 休む, Enter; the morning passes.
for _ in range(8):
    if focus().get_name() == "休む":
        break
    key("Right")
if focus().get_name() != "休む":
    fail("the arrows never reached 休む")
inserted.clear()
key("Return")
pump(0.5)
if ("メッセージ", "たっぷりやすんだよ\n") not in inserted:
    fail("resting was not heard")
if not named("時間 朝"):
    fail("the time label does not say 朝 after resting")

# The menu: to メニュー, Enter, down to LOVE?, Enter: the readout is heard.
key("Right")
if focus().get_name() != "メニュー":
    fail("the arrow after 休む is not メニュー: " + focus().get_name())
inserted.clear()
key("Return")
pump(0.5)
key("Down", "Down", "Down")
if focused[-3:] != ["SAVE", "LOAD", "LOVE?"]:
    fail("the downs in the menu are not SAVE, LOAD, LOVE?")
key("Return")
pump(0.5)
readout = [text for _, text in inserted if text.startswith(("よわ", "とおみや", "こうき"))]
if len(readout) != 3:
    fail("the readout was not heard as three lines: %r" % inserted)

# The gallery: G opens the memory list with the focus, Enter picks, Escape closes.
key("g")
wait_event(lambda: "▼記憶" in focused, 5, "the memory list took no focus")
key("Down")
picked = focused[-1]
key("Return")
pump(0.5)
if hidden_showing() or any(e.get_role() == Atspi.Role.LIST_ITEM and is_showing(e)
                           for e in walk(game())):
    fail("the memory list still shows after a picture was picked")
pictures = [e.get_name() for e in walk(game())
            if e.get_role() == Atspi.Role.IMAGE and is_showing(e) and e.get_name()]
print("picked:", picked, "pictures:", pictures)
if picked not in pictures:
    fail("the picture picked, %s, is not named on screen" % picked)
print("screen reader: ok")
