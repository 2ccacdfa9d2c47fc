#!/usr/bin/python3
"""Finds the program's controls by what they are, through the accessibility
tree (AT-SPI), for the scripts that drive its windows under Xvfb.

    atspi.py where NAME [ROLE]   the centre of the shown control: "x y"
    atspi.py text NAME           the text it holds
    atspi.py rows NAME           how many rows a tree or list shows
    atspi.py wait NAME [SECONDS] until the control is shown (default 20 s)

NAME is the control's accessible name (a button's caption, a tree item's
text, the name a window gives an edit box); ROLE narrows it ("push button",
"tree item", "text"). A control that cannot be found ends the script with
status 1 and a message naming it.
"""
import sys
import time

import pyatspi

APPLICATION = "Vorkasta"


def shown(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def find(name, role=None):
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.name != APPLICATION:
            continue
        stack = [app]
        while stack:
            node = stack.pop()
            try:
                if node.name == name and (role is None or node.getRoleName() == role) and shown(node):
                    return node
                if node.getRole() != pyatspi.ROLE_APPLICATION and not shown(node):
                    continue
                stack.extend(reversed([c for c in node if c is not None]))
            except Exception:
                continue
    return None


def need(name, role=None):
    node = find(name, role)
    if node is None:
        sys.exit(f"atspi: no control named '{name}'" + (f" ({role})" if role else "") + " is shown")
    return node


def rows(node):
    try:
        return node.queryTable().nRows
    except NotImplementedError:
        return sum(1 for c in node if c is not None and c.getRoleName() in ("tree item", "list item"))


def main(args):
    command, name, *rest = args
    if command == "where":
        box = need(name, rest[0] if rest else None).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print(box.x + box.width // 2, box.y + box.height // 2)
    elif command == "text":
        text = need(name).queryText()
        print(text.getText(0, text.characterCount))
    elif command == "rows":
        print(rows(need(name)))
    elif command == "wait":
        deadline = time.monotonic() + float(rest[0] if rest else 20)
        while find(name) is None:
            if time.monotonic() > deadline:
                need(name)
            time.sleep(0.3)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
