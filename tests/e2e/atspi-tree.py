#!/usr/bin/python3
"""Prints what a screen reader sees of the program, read through the accessibility bus (AT-SPI):
one line per object of its windows, depth first, "ROLE<TAB>NAME<TAB>DESCRIPTION<TAB>ACTIONS<TAB>
STATES<TAB>RELATIONS<TAB>TEXT", for the objects showing on screen (with --all, for all, a hidden
one with the state "hidden"). STATES are those of selection and focus, RELATIONS "label-for:NAME"
or "labelled-by:NAME", TEXT "-" for an object without the Text interface; "\\n" for a line break.

  atspi-tree.py [--all] APPLICATION-NAME
  atspi-tree.py --press NAME APPLICATION-NAME    the first action of the showing object so named
"""
import sys

import pyatspi

STATES = {"selected": pyatspi.STATE_SELECTED, "selectable": pyatspi.STATE_SELECTABLE,
          "focusable": pyatspi.STATE_FOCUSABLE, "focused": pyatspi.STATE_FOCUSED}
RELATIONS = {pyatspi.RELATION_LABEL_FOR: "label-for", pyatspi.RELATION_LABELLED_BY: "labelled-by"}


def line(node, showing):
    states = [name for name, s in STATES.items() if node.getState().contains(s)] + ([] if showing else ["hidden"])
    action = node.queryAction()
    relations = [f"{RELATIONS[r.getRelationType()]}:{r.getTarget(0).name}"
                 for r in node.getRelationSet() if r.getRelationType() in RELATIONS]
    try:
        text = node.queryText().getText(0, -1)
    except NotImplementedError:
        text = "-"
    fields = (node.getRoleName(), node.name, node.description, ",".join(map(action.getName, range(action.nActions))),
              ",".join(states), ",".join(relations), text)
    return "\t".join(field.replace("\n", "\\n") for field in fields)


def walk(node, out, everything, depth=0):
    if depth > 30:  # the windows are shallow; a cycle would be a fault of the bridge
        raise RuntimeError("accessibility tree too deep")
    for child in node:
        if child is None:
            continue
        showing = child.getState().contains(pyatspi.STATE_SHOWING)
        if showing or everything:
            out.append((child, line(child, showing)))
        walk(child, out, everything, depth + 1)


def main(argv):
    press = argv[2] if len(argv) == 4 and argv[1] == "--press" else None
    everything = len(argv) == 3 and argv[1] == "--all"
    if len(argv) != 2 and not press and not everything:
        sys.exit(__doc__)
    objects = []
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == argv[-1]:
            walk(app, objects, everything)
    if not objects:
        sys.exit(f"no application {argv[-1]!r} on the accessibility bus")
    if press is None:
        print("\n".join(text for _, text in objects))
    elif not any(node.queryAction().doAction(0) for node, _ in objects if node.name == press):
        sys.exit(f"nothing showing named {press!r} took its action")


if __name__ == "__main__":
    main(sys.argv)
