#!/usr/bin/env python3
"""What a screen reader meets of the band lists over the AT-SPI bus: a probe for MainScreenReaderTest.

  AtSpiProbe.py lists PID           one JSON line per combo box: name, states, text, actions
  AtSpiProbe.py act PID NAME ACTION  runs the action of the combo box named NAME
  AtSpiProbe.py listen PID SECONDS   prints "ready", then one JSON line per event of a combo box
                                     until SECONDS have passed without one
"""
import json
import sys

import pyatspi
from gi.repository import GLib

EVENTS = [
    "object:state-changed:expanded",
    "object:state-changed:collapsed",
    "object:property-change:accessible-name",
    "object:property-change:accessible-value",
    "object:selection-changed",
    "object:text-changed",
    "object:state-changed:showing",
    "object:state-changed:focused",
]


def application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    sys.exit("no application with process id %d on the accessibility bus" % pid)


def combo_boxes(node):
    for child in node:
        if child is None:
            continue
        if child.getRole() == pyatspi.ROLE_COMBO_BOX:
            yield child
        else:
            yield from combo_boxes(child)


def text_of(box):
    text = box.queryText()
    return text.getText(0, text.characterCount)


def describe(box):
    action = box.queryAction()
    return {
        "name": box.name,
        "states": sorted(pyatspi.stateToString(s) for s in box.getState().getStates()),
        "text": text_of(box),
        "actions": [action.getName(i) for i in range(action.nActions)],
    }


def main():
    mode, pid = sys.argv[1], int(sys.argv[2])
    app = application(pid)
    if mode == "lists":
        for box in combo_boxes(app):
            print(json.dumps(describe(box)))
    elif mode == "act":
        name, action_name = sys.argv[3], sys.argv[4]
        box = next(b for b in combo_boxes(app) if b.name == name)
        action = box.queryAction()
        index = [action.getName(i) for i in range(action.nActions)].index(action_name)
        print(json.dumps(action.doAction(index)))
    elif mode == "listen":
        quiet_ms = int(float(sys.argv[3]) * 1000)
        timer = [None]

        def stop():
            pyatspi.Registry.stop()
            return False

        def restart_timer():
            if timer[0] is not None:
                GLib.source_remove(timer[0])
            timer[0] = GLib.timeout_add(quiet_ms, stop)

        def on_event(event):
            box = event.source
            while box is not None and box.getRole() != pyatspi.ROLE_COMBO_BOX:
                box = box.parent
            if box is None:
                return
            print(json.dumps({"type": event.type, "name": box.name,
                              "role": event.source.getRoleName(),
                              "detail": event.detail1, "text": text_of(box)}),
                  flush=True)
            restart_timer()

        pyatspi.Registry.registerEventListener(on_event, *EVENTS)
        GLib.idle_add(lambda: print("ready", flush=True) or False)
        restart_timer()
        pyatspi.Registry.start()
    else:
        sys.exit("unknown mode " + mode)


if __name__ == "__main__":
    main()
