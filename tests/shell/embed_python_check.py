"""The control through the Python module, as a Python container uses it. Prints one line per
failure and "python checks passed" when all hold; run by embed_python_test.cpp."""

import os
import sys
import tempfile

sys.path.insert(0, os.environ["VELTRIX_EMBED_DIR"])
import veltrix_browser  # noqa: E402

SCRIPT = (
    "function Echo(x) { return x; }&#10;"
    "function Sum(p1, p2, p3, p4, p5, p6, p7, p8, p9, p10) { return p1+p2+p3+p4+p5+p6+p7+p8+p9+p10; }&#10;"
    "function Fire(a, b) { ::FirePanelEvent(&quot;Changed&quot;, a, b); }"
)
failures = []


def check(what, got, expected):
    if got != expected:
        failures.append("%s: got %r, expected %r" % (what, got, expected))


def write_project(folder, name):
    path = os.path.join(folder, name)
    with open(path, "w", encoding="utf-8") as out:
        out.write('<?xml version="1.0" encoding="UTF-8"?>\n<ROOT>\n<FORMROOT clid="Client" DefaultForm="Main" '
                  'Event="%s">\n<OBJ clid="Form" Name="Main" Width="200" Height="100"/>\n</FORMROOT>\n</ROOT>\n'
                  % SCRIPT)
    return path


with tempfile.TemporaryDirectory() as folder:
    project = write_project(folder, "p.xml")
    events = []
    with veltrix_browser.Control() as control:
        control.on_panel_event = lambda name, p1, p2: events.append((name, p1, p2))
        check("open", control.open_file(project), True)
        for value in [12.5, "caf\u00e9 \"q\"", True, [1, 2], ["a", "b"], None]:
            text = veltrix_browser.literal(value)
            check("echo " + text, control.call_panel_method("::Echo", text), text)
        for text in ["#2024/03/01 08:00:00#", "#N/A#"]:
            check("echo " + text, control.call_panel_method("::Echo", text), text)
        check("ten", control.call_panel_method("::Sum", *[str(i) for i in range(1, 11)]), "55")
        check("bad name", control.call_panel_method("Sum"), "#NOTHING#")
        check("bad name error", control.last_error(), "Fail to CallPanelMethod because method name is not valid.")
        check("bad literal", control.call_panel_method("::Echo", "c(1,"), "#NOTHING#")
        check("bad literal error", control.last_error(), "Invalid argument: not a value literal: c(1,")
        control.create_window()
        control.call_panel_method("::Fire", "1.5", '"two"')
        check("events", events, [("Changed", "1.5", '"two"')])
        check("pump", control.pump(20), True)
        control.file_name = project
        saved = control.save_properties()
    with veltrix_browser.Control() as other, veltrix_browser.Control() as third:
        check("load", other.load_properties(saved), True)
        check("loaded name", other.file_name, project)
        check("refused", third.load_properties(saved[:-1]), False)
    os.environ["XDG_CONFIG_HOME"] = os.path.join(folder, "config")
    check("register", veltrix_browser.register_server(), 0)
    check("unregister", veltrix_browser.unregister_server(), 0)
    blocked = os.path.join(folder, "blocked")
    open(blocked, "w").close()
    os.environ["XDG_CONFIG_HOME"] = blocked
    check("register blocked", veltrix_browser.register_server(), 0x80040200)

for failure in failures:
    print(failure, flush=True)
print("python checks passed" if not failures else "python checks failed", flush=True)
