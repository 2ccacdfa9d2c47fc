#!/usr/bin/python3
"""Finds the program's controls by what they are, through the accessibility
tree (AT-SPI), for the scripts that drive its windows under Xvfb.

    atspi.py [WHERE] where NAME [ROLE]    the centre of the shown control: "x y"
                                          (waiting up to 5 s for it to show)
    atspi.py [WHERE] box NAME [ROLE]      its place and size: "x y width height"
    atspi.py [WHERE] text NAME [ROLE]     the text it holds (a label's: its
                                          description, when it has a name)
    atspi.py [WHERE] rows NAME            how many rows a tree or list shows
    atspi.py [WHERE] column VIEW COLUMN   the texts of that column, a row a line
    atspi.py [WHERE] enter NAME TEXT      puts TEXT into the edit box NAME, as an
                                          input method commits it (key presses
                                          of kana through xdotool can be lost)
    atspi.py [WHERE] checked NAME         "yes" or "no": a check box's tick
    atspi.py [WHERE] wait NAME [ROLE] [SECONDS]
                                          until the control is shown (20 s)
    atspi.py [WHERE] reveal VIEW NAME     scrolls the tree or list VIEW with the
                                          mouse wheel until its row NAME shows,
                                          then prints the row's centre

NAME is the control's accessible name (a button's caption, a tree item's
text, the name a window gives an edit box); ROLE narrows it ("push button",
"table cell", "text"). WHERE narrows the search: "--window TITLE" to the
window of that title, "--in NAME" to what the shown control NAME holds (the
food tree's row, not the intake list's of the same text). A control that
cannot be found ends the script with status 1 and a message naming it.
"""
import subprocess
import sys
import time

import pyatspi

APPLICATION = "Vorkasta"
# How long "where" and "reveal" wait for what they look for to be shown.
WAIT = 5


def shown(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def children(node):
    return [c for c in node if c is not None]


def search(roots, name, role=None, hidden=False):
    """The first control named NAME below the roots, in the order of the
    tree; with hidden, also one that is scrolled out of sight."""
    stack = list(reversed(roots))
    while stack:
        node = stack.pop()
        try:
            if node.name == name and (role is None or node.getRoleName() == role) and (hidden or shown(node)):
                return node
            if node.getRole() != pyatspi.ROLE_APPLICATION and not hidden and not shown(node):
                continue
            stack.extend(reversed(children(node)))
        except Exception:
            continue
    return None


class Scope:
    """Where to look: the program, one of its windows, one control's inside."""

    def __init__(self, window=None, inside=None):
        self.window = window
        self.inside = inside

    def describe(self):
        inside = f" in '{self.inside}'" if self.inside else ""
        return inside + (f" {'of' if inside else 'in'} the window '{self.window}'" if self.window else "")

    def roots(self):
        apps = [a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == APPLICATION]
        if self.window is not None:
            apps = [w for a in apps for w in children(a) if w.name == self.window and shown(w)]
        if self.inside is not None:
            container = search(apps, self.inside)
            apps = [container] if container is not None else []
        return apps

    def find(self, name, role=None, hidden=False):
        return search(self.roots(), name, role, hidden)

    def need(self, name, role=None, seconds=0):
        deadline = time.monotonic() + seconds
        node = self.find(name, role)
        while node is None and time.monotonic() < deadline:
            time.sleep(0.1)
            node = self.find(name, role)
        if node is None:
            if self.inside and search(Scope(self.window).roots(), self.inside) is None:
                fail(f"no control named '{self.inside}' is shown" + Scope(self.window).describe())
            fail(f"no control named '{name}'" + (f" ({role})" if role else "") + " is shown" + self.describe())
        return node


def fail(message):
    sys.exit("atspi: " + message)


def extents(node):
    return node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)


def centre(node):
    box = extents(node)
    return box.x + box.width // 2, box.y + box.height // 2


def rows(node):
    try:
        return node.queryTable().nRows
    except NotImplementedError:
        return sum(1 for c in node if c is not None and c.getRoleName() in ("tree item", "list item"))


def text(node):
    try:
        shown_text = node.queryText()
        return shown_text.getText(0, shown_text.characterCount)
    except NotImplementedError:
        # A label that has a name of its own says its text as its description.
        return node.description or node.name


def column_of(scope, view_name, heading):
    """The table of the view and the number of its column of that heading."""
    table = scope.need(view_name).queryTable()
    for c in range(table.nColumns):
        header = table.getColumnHeader(c)
        if header is not None and header.name == heading:
            return table, c
    fail(f"'{view_name}'{scope.describe()} has no column headed '{heading}'")


def column(scope, view_name, heading):
    table, c = column_of(scope, view_name, heading)
    return [table.getAccessibleAt(r, c).name for r in range(table.nRows)]


def reveal(scope, view_name, name):
    view = scope.need(view_name, seconds=WAIT)
    inside = Scope(scope.window, view_name)
    for _ in range(60):
        row = inside.find(name, hidden=True)
        if row is None:
            fail(f"'{view_name}'{scope.describe()} has no row named '{name}'")
        box, sight = extents(row), extents(view)
        if shown(row) and box.y >= sight.y and box.y + box.height <= sight.y + sight.height:
            return row
        # Down when the row comes after the last one wholly shown, else up.
        cells = children(view)
        place = next((i for i, c in enumerate(cells) if c.name == name), len(cells))
        last_shown = max((i for i, c in enumerate(cells) if shown(c) and c.name != name), default=-1)
        x, y = centre(view)
        button = "5" if place > last_shown else "4"
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", button], check=True)
        time.sleep(0.15)
    fail(f"the row '{name}' of '{view_name}'{scope.describe()} does not come into sight")


def main(args):
    scope = Scope()
    while args and args[0] in ("--window", "--in"):
        option, value, *args = args
        if option == "--window":
            scope.window = value
        else:
            scope.inside = value
    if len(args) < 2:
        sys.exit(__doc__)
    command, name, *rest = args
    if command == "where":
        print(*centre(scope.need(name, rest[0] if rest else None, WAIT)))
    elif command == "box":
        box = extents(scope.need(name, rest[0] if rest else None))
        print(box.x, box.y, box.width, box.height)
    elif command == "text":
        print(text(scope.need(name, rest[0] if rest else None)))
    elif command == "rows":
        print(rows(scope.need(name)))
    elif command == "column" and len(rest) == 1:
        print(*column(scope, name, rest[0]), sep="\n")
    elif command == "enter" and len(rest) == 1:
        box = scope.need(name)
        box.queryEditableText().setTextContents(rest[0])
        if text(box) != rest[0]:
            fail(f"'{name}'{scope.describe()} holds '{text(box)}' after '{rest[0]}' was put in")
    elif command == "checked":
        print("yes" if scope.need(name).getState().contains(pyatspi.STATE_CHECKED) else "no")
    elif command == "wait":
        numbers = [a for a in rest if a.replace(".", "", 1).isdigit()]
        role = next((a for a in rest if a not in numbers), None)
        scope.need(name, role, float(numbers[0] if numbers else 20))
    elif command == "reveal" and rest:
        print(*centre(reveal(scope, name, rest[0])))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
