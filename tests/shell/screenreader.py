#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# What a screen reader finds in the running program, through AT-SPI as Orca reads it.
#
#   screenreader.py unnamed             lists every shown control without a name, one a
#                                       line as "role at path"; fails when there is one
#   screenreader.py has ROLE NAME       fails unless a shown object has this role and name
#   screenreader.py press ROLE NAME     does the first action (press, click) of the shown
#                                       object with this role and name
#
# The program is the application named Quillery on the session's accessibility bus.
import sys
import time

import pyatspi

# What a user operates, and so must hear named, even where it takes no keyboard focus
# (toolbar buttons do not).
CONTROLS = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_SLIDER,
    pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE,
    pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_MENU_ITEM,
    pyatspi.ROLE_CHECK_MENU_ITEM, pyatspi.ROLE_RADIO_MENU_ITEM, pyatspi.ROLE_LIST_ITEM,
    pyatspi.ROLE_TABLE_CELL,
}


def program():
    # The program registers with the bus a moment after its window shows.
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == 'Quillery':
                return app
        time.sleep(0.1)
    sys.exit('the program is not on the accessibility bus')


def shown(root):
    """Every object shown below root, with its path from root."""
    stack = [(root, root.getRoleName())]
    while stack:
        node, path = stack.pop()
        yield node, path
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is None:
                continue
            states = child.getState()
            if not states.contains(pyatspi.STATE_SHOWING):
                continue
            label = child.name.replace('\n', ' ')[:40]
            stack.append((child, f"{path} > {child.getRoleName()} '{label}' [{i}]"))


def is_control(node):
    states = node.getState()
    return node.getRole() in CONTROLS or states.contains(pyatspi.STATE_FOCUSABLE)


def find(role, name):
    # Keys sent a moment ago may still be on their way.
    for _ in range(50):
        for node, _ in shown(program()):
            if node.getRoleName() == role and node.name == name:
                return node
        time.sleep(0.1)
    return None


def main(args):
    if args[:1] == ['unnamed'] and len(args) == 1:
        offenders = [f'{node.getRoleName()} at {path}' for node, path in shown(program())
                     if is_control(node) and not node.name.strip()]
        print('\n'.join(offenders))
        return 1 if offenders else 0
    if args[:1] in (['has'], ['press']) and len(args) == 3:
        node = find(args[1], args[2])
        if node is None:
            print(f"no shown {args[1]} named '{args[2]}'")
            return 1
        if args[0] == 'press':
            action = node.queryAction()
            if action.nActions == 0 or not action.doAction(0):
                print(f"{args[1]} '{args[2]}' did not act")
                return 1
        return 0
    print('usage: screenreader.py unnamed | has ROLE NAME | press ROLE NAME')
    return 2


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
