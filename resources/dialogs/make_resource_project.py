#!/usr/bin/env python3
"""Writes resource_project.xml, the runtime's built-in dialogs, next to this file.

The dialogs exist twice, in the folder "Resource" and, larger for touch screens, in
"Resource_tablet"; both are written from the one description in dialogs.py, so that their
logic cannot drift apart.
Run it after changing a dialog:  python3 resources/dialogs/make_resource_project.py
The README's "Built-in dialogs" section describes what each dialog's methods take.
"""

import pathlib
import sys

sys.dont_write_bytecode = True  # nothing left behind in the source folder

from dialogs import DIALOGS  # noqa: E402

FOLDERS = (("Resource", 1.0), ("Resource_tablet", 1.5))
FONT_FACE = "Sans"

# ---- writing


def escape(text):
    text = text.replace("&", "&amp;").replace('"', "&quot;").replace("<", "&lt;").replace(">", "&gt;")
    return text.replace("'", "&#39;").replace("\n", "\r\n")


def font(size, scale):
    return f"{FONT_FACE},-{round(size * scale)},0,400,0,0,0,0,0"


def element(clid, name, attributes, event, inner=""):
    text = f'<OBJ clid="{clid}" Name="{name}"'
    text += "".join(f' {key}="{escape(str(value))}"' for key, value in attributes.items() if value != "")
    if event:
        text += f' Event="{escape(event)}"'
    return text + ">\r\n" + inner + "</OBJ>\r\n"


def child(o, scale):
    left, top, width, height = (round(v * scale) for v in o["box"])
    attributes = {"Left": left, "Top": top, "Width": width, "Height": height}
    for key, value in o["props"].items():
        if key == "TextFont":  # given as the text's size at scale 1
            value = font(value, scale)
        attributes[key] = value
    return element(o["clid"], o["name"], attributes, o["event"])


def form(dialog, scale):
    name, title, width, height, script, children = dialog
    attributes = {"Title": title, "Width": round(width * scale), "Height": round(height * scale),
                  "FillColor": "@FormColor"}
    return element("Form", name, attributes, script, "".join(child(o, scale) for o in children))


def document():
    folders = "".join(element("Folder", folder, {}, None, "".join(form(d, scale) for d in DIALOGS))
                      for folder, scale in FOLDERS)
    return ('\ufeff<?xml version="1.0" encoding="UTF-8"?>\r\n'
            '<!-- Written by make_resource_project.py: change that, not this file. -->\r\n<ROOT>\r\n'
            '<FORMROOT clid="Client" Name="Resource" Title="Built-in dialogs" DefaultForm="RCMsg" '
            'FileSaveWithoutDefault="T">\r\n' + folders + "</FORMROOT>\r\n</ROOT>\r\n")


if __name__ == "__main__":
    out = pathlib.Path(__file__).with_name("resource_project.xml")
    out.write_bytes(document().encode("utf-8"))
