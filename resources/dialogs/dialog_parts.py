"""The pieces the dialog forms are built from: objects, button handlers, shared script text."""


TEXT_SIZE = 14  # label and button text, in pixels at scale 1
DISPLAY_SIZE = 20  # the value a keypad or the calendar shows

# ---- objects


def obj(clid, name, box, props=None, event=None):
    return {"clid": clid, "name": name, "box": box, "props": props or {}, "event": event}


def press(call):
    """A button handler: the left button's release runs call."""
    return "event OnMouseUp(button)\n{\n    if (button == 1) " + call + ";\n}"


def label(name, box, text="", big=False, align="LEFT", wrap=False, border=False):
    props = {"Text": text, "TextFont": DISPLAY_SIZE if big else TEXT_SIZE, "TextColor": "@TextColor",
             "TextAlignX": align}
    if wrap:
        props["TextWordBreak"] = "T"
    if border:
        props.update({"Border": "T", "Fill": "T", "FillColor": "@FillColor"})
    return obj("Label", name, box, props)


def button(name, box, text, call):
    props = {"Text": text, "TextFont": TEXT_SIZE, "TextColor": "@ButtonTextColor", "FillColor": "@ButtonColor"}
    return obj("Button", name, box, props, press(call))


def edit(name, box, password=False, event=None):
    props = {"TextFont": TEXT_SIZE, "TextColor": "@TextColor"}
    if password:
        props["TextType"] = "PASSWORD"
    return obj("EditBox", name, box, props, event)


def swatch(name, box, color):
    props = {"FillColor": color, "BorderColor": "@BorderColor"}
    return obj("Rectangle", name, box, props, press("parent.Pick(FillColor)"))


# ---- the scripts' shared pieces: each form keeps its own copy, as a dialog runs alone

ANSWER = """
// Hands the answer to the caller's function (a root function name or "Form.function", as
// ::CallMethod takes it); no callback, no call.
function Answer(answer)
{
    if (::IsValidStr(fvCallback)) ::CallMethod(fvCallback, answer);
}
"""


def paging(function, prefix, listVar, after=""):
    """Shows one page of listVar on the buttons prefix1..; buttons without an entry hide."""
    return f"""
function {function}()
{{
    var count = ::GetValueTotalElement({listVar});
    var pages = ::CInt((count + fvButtons - 1) / fvButtons);
    if (pages < 1) pages = 1;
    if (fvPage > pages - 1) fvPage = pages - 1;
    if (fvPage < 0) fvPage = 0;
    for (var i = 0; i < fvButtons; i++) {{
        var button = GetChildObj("{prefix}" & ::CStr(i + 1));
        var at = fvPage * fvButtons + i;
        if (at < count) {{
            button.Text = {listVar}[at];
            button.Visible = T;
        }} else {{
            button.Text = "";
            button.Visible = F;
        }}
    }}
    lblPage.Text = ::CStr(fvPage + 1) & " / " & ::CStr(pages);{after}
}}

function Page(step)
{{
    fvPage = fvPage + step;
    {function}();
}}
"""


def grid(prefix, left, top, columns, rows, width, height, gap):
    """The boxes of a grid of columns x rows cells, row by row, named prefix1...."""
    return [(f"{prefix}{r * columns + c + 1}", (left + c * (width + gap), top + r * (height + gap), width, height))
            for r in range(rows) for c in range(columns)]
