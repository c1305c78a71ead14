#!/usr/bin/env python3
"""Opens a project in the control, calls one of its panel methods and prints its panel events.

    VELTRIX_BROWSER_LIBRARY=build/release/src/shell/library/libveltrixbrowser.so \
        python3 examples/embed/python_example.py examples/demo/demo.xml ::FirePanelEvent 2 '"Hello"' 12.5
"""

import sys

from veltrix_browser import Control


def main(argv):
    if len(argv) < 3:
        print("usage: python_example.py PROJECT METHOD [SECONDS] [ARGUMENT LITERAL...]", file=sys.stderr)
        return 2
    project, method = argv[1], argv[2]
    seconds = float(argv[3]) if len(argv) > 3 else 2.0
    with Control() as control:
        control.on_panel_event = lambda name, p1, p2: print("panel event", name, p1, p2, flush=True)
        control.run_mode = True
        control.create_window()  # in memory: no display needed
        if not control.open_file(project):
            print(control.last_error(), file=sys.stderr)
            return 1
        print(method, "->", control.call_panel_method(method, *argv[4:]), flush=True)
        for _ in range(int(seconds * 10)):
            if not control.pump(100):
                break
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
