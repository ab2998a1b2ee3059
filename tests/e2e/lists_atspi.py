"""Reads the configuration window's drop-down lists over AT-SPI, as a screen reader does.

For every page: press its tab (the page tab's action), then for each combo box check that its
name is its label (not its value), that its text is the current entry, that it has children,
and that its entries are reachable in the list inside it with the current one, and only it,
selected. Exits 1 with what was wrong.
"""
import sys
import time

import pyatspi

APP_NAME = "WLAN Monitor"  # the application's name, as a D-Bus tray also shows it
PAGES = ["Link Info.", "Configuration", "Security", "SiteSurvey", "About"]
# Lists a page must show, by name, with the entries they must offer.
EXPECTED = {
    "BSS Type": {"Infrastructure"},
    "Key Length 1": {"64 bits", "128 bits"},
}


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for i in range(node.childCount):
        yield from walk(node.getChildAtIndex(i), depth + 1)


def find_app():
    found = []

    def listed():
        found[:] = [a for a in pyatspi.Registry.getDesktop(0) if a is not None and
                    a.name == APP_NAME]
        return bool(found)

    return found[0] if within(100, listed) else None


def text_of(node):
    try:
        t = node.queryText()
    except NotImplementedError:
        return None
    return t.getText(0, t.characterCount)


def entries(combo):
    """(names, selected names) of the items of the list inside the combo box."""
    names, selected = [], []
    for i in range(combo.childCount):
        for item in walk(combo.getChildAtIndex(i)):
            if item.getRole() in (pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TABLE_CELL):
                names.append(item.name)
                if item.getState().contains(pyatspi.STATE_SELECTED):
                    selected.append(item.name)
    return names, selected


def check_combo(combo, problems, seen):
    name, value = combo.name, text_of(combo)
    seen[name] = value
    where = f"list '{name}'"
    if value is None:
        problems.append(f"{where}: no text")
        return
    if name == value or not name:
        problems.append(f"{where}: named by its value '{value}'")
    if combo.childCount == 0:
        problems.append(f"{where}: no children")
    names, selected = entries(combo)
    if not names:
        problems.append(f"{where}: no entries")
    if value and selected != [value]:
        problems.append(f"{where}: selected {selected}, current '{value}'")
    missing = EXPECTED.get(name, set()) - set(names)
    if missing:
        problems.append(f"{where}: entries {sorted(missing)} missing from {names}")


def within(tenths, condition):
    for _ in range(tenths):
        if condition():
            return True
        time.sleep(0.1)
    return False


def press(app, tab_name):
    """Presses the page tab and waits until it is the selected one (its page shown)."""
    for node in walk(app):
        if node.getRole() == pyatspi.ROLE_PAGE_TAB and node.name == tab_name:
            action = node.queryAction()
            for i in range(action.nActions):
                if action.getName(i) == "Press":
                    action.doAction(i)
                    return within(50, lambda: node.getState().contains(pyatspi.STATE_SELECTED))
    return False


def main():
    app = find_app()
    if app is None:
        print("wlanmon is not on the accessibility bus")
        return 1
    problems, seen = [], {}
    for page in PAGES:
        if not press(app, page):
            problems.append(f"no page tab '{page}' that opens its page")
            continue
        for node in walk(app):
            if node.getRole() == pyatspi.ROLE_COMBO_BOX and node.getState().contains(
                    pyatspi.STATE_SHOWING):
                check_combo(node, problems, seen)
    for name in EXPECTED:
        if name not in seen:
            problems.append(f"no list named '{name}' (lists seen: {sorted(seen)})")
    for line in problems:
        print(line)
    print("lists read:", ", ".join(f"{n} = {v}" for n, v in sorted(seen.items())))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
