"""The built-in dialogs, in the order they are written."""

from dialog_parts import ANSWER, button, edit, grid, label, obj, paging, swatch
from keypad_dialogs import rc_num_key, rc_text_key

# ---- the dialogs


def rc_msg():
    script = """// Shows a message until the operator presses OK.

// message: the text shown; the runtime calls this when the form opens.
function SetInfo(message)
{
    lblMessage.Text = message;
}"""
    return ("RCMsg", "Message", 360, 170, script, [
        label("lblMessage", (16, 16, 328, 90), wrap=True),
        button("btnOK", (130, 118, 100, 36), "OK", "::CloseMsg()"),
    ])


def question(name, close, answers):
    width = 380 if len(answers) < 3 else 440
    script = f"""// Asks a question; the answer goes to the caller's function.
var fvCallback = "";

// message: the question; callback: the function that hears {", ".join(f'"{a}"' for a, _ in answers)}.
function SetInfo(message, callback)
{{
    lblMessage.Text = message;
    fvCallback = callback;
}}
{ANSWER}
function Press(answer)
{{
    Answer(answer);
    {close}();
}}"""
    step = 112
    first = (width - (len(answers) * step - 12)) // 2
    buttons = [button(f"btn{text.replace(' ', '')}", (first + i * step, 126, 100, 36), text, f'parent.Press("{answer}")')
               for i, (answer, text) in enumerate(answers)]
    return (name, "Question", width, 180, script, [label("lblMessage", (16, 16, width - 32, 96), wrap=True)] + buttons)


def rc_password():
    script = """// Asks for a password and tells the caller whether the right one was typed.
var fvPassword = "";
var fvCallback = "";

// message: what to type; password: the one that passes; callback: hears T when it was typed,
// F when the operator cancelled.
function SetInfo(message, password, callback)
{
    lblMessage.Text = message;
    fvPassword = "";
    if (::IsValidStr(password)) fvPassword = ::CStr(password);
    fvCallback = callback;
    edtPassword.Text = "";
    lblError.Text = "";
}
""" + ANSWER + """
function Finish(accepted)
{
    Answer(accepted);
    ::ClosePassword();
}

// A wrong password keeps the dialog open with an empty box.
function Enter()
{
    if (edtPassword.Text == fvPassword) {
        Finish(T);
        return;
    }
    lblError.Text = "Wrong password.";
    edtPassword.Text = "";
}"""
    return ("RCPassword", "Password", 380, 220, script, [
        label("lblMessage", (16, 16, 348, 44), wrap=True),
        edit("edtPassword", (16, 68, 348, 32), password=True),
        label("lblError", (16, 108, 348, 40), wrap=True),
        button("btnOK", (78, 162, 100, 36), "OK", "parent.Enter()"),
        button("btnCancel", (202, 162, 100, 36), "Cancel", "parent.Finish(F)"),
    ])


def rc_calendar():
    script = """// Picks a day by year, month and day.
var fvYear = 2000;
var fvMonth = 1;
var fvDay = 1;
var fvCallback = "";

// date: the day shown first (a time; anything else: today); callback: hears the chosen day as
// a time at 00:00.
function SetInfo(date, callback)
{
    fvCallback = callback;
    if (::IsTime(date)) SetDay(date);
    else SetDay(::GetClientTime());
}

function SetDay(time)
{
    fvYear = ::GetYear(time);
    fvMonth = ::GetMonth(time);
    fvDay = ::GetDay(time);
    Show();
}

function DaysInMonth(year, month)
{
    if (month == 2) {
        if ((::GetRemainder(year, 4) == 0 && ::GetRemainder(year, 100) != 0) || ::GetRemainder(year, 400) == 0)
            return 29;
        return 28;
    }
    if (month == 4 || month == 6 || month == 9 || month == 11) return 30;
    return 31;
}

// A day beyond the month's end becomes its last day.
function Show()
{
    var last = DaysInMonth(fvYear, fvMonth);
    if (fvDay > last) fvDay = last;
    lblDate.Text = ::StringFormat("%04d/%02d/%02d", fvYear, fvMonth, fvDay);
}

function StepYear(step)
{
    fvYear = fvYear + step;
    if (fvYear < 1601) fvYear = 1601;
    if (fvYear > 9999) fvYear = 9999;
    Show();
}

// Past December comes January of the next year, and the other way round.
function StepMonth(step)
{
    fvMonth = fvMonth + step;
    if (fvMonth < 1) {
        fvMonth = 12;
        StepYear(-1);
    } else if (fvMonth > 12) {
        fvMonth = 1;
        StepYear(1);
    } else {
        Show();
    }
}

// The day goes round within the month.
function StepDay(step)
{
    var last = DaysInMonth(fvYear, fvMonth);
    fvDay = fvDay + step;
    if (fvDay < 1) fvDay = last;
    if (fvDay > last) fvDay = 1;
    Show();
}
""" + ANSWER + """
function Enter()
{
    Answer(::CTime(fvYear, fvMonth, fvDay, 0, 0, 0));
    ::CloseCalendar();
}"""
    children = [label("lblDate", (16, 16, 268, 44), big=True, align="CENTER", border=True)]
    for r, (part, function) in enumerate((("Year", "StepYear"), ("Month", "StepMonth"), ("Day", "StepDay"))):
        top = 72 + r * 50
        children += [
            label(f"lbl{part}", (16, top, 100, 40), part),
            button(f"btn{part}Down", (124, top, 76, 40), "<", f"parent.{function}(-1)"),
            button(f"btn{part}Up", (208, top, 76, 40), ">", f"parent.{function}(1)"),
        ]
    children += [
        button("btnToday", (16, 230, 84, 40), "Today", "parent.SetDay(::GetClientTime())"),
        button("btnOK", (108, 230, 84, 40), "OK", "parent.Enter()"),
        button("btnCancel", (200, 230, 84, 40), "Cancel", "::CloseCalendar()"),
    ]
    return ("RCCalendar", "Calendar", 300, 286, script, children)


def rc_form_map():
    script = """// Offers forms by name; the one chosen opens.
var fvForms = #NOTHING#;
var fvPage = 0;
var fvButtons = 12;

// forms: the names of the forms offered, a list or one name.
function SetFormMap(forms)
{
    fvForms = ::MergeValue(forms);
    fvPage = 0;
    RefreshFormMap();
}

function ClearFormMap()
{
    fvForms = #NOTHING#;
    fvPage = 0;
    RefreshFormMap();
}
""" + paging("RefreshFormMap", "btnForm", "fvForms") + """
function Choose(name)
{
    if (name == "") return;
    ::OpenForm(name);
    ::CloseFormMap();
}"""
    children = [button(name, box, "", "parent.Choose(Text)")
                for name, box in grid("btnForm", 16, 16, 3, 4, 160, 44, 10)]
    children += [
        button("btnPrev", (16, 236, 80, 40), "<", "parent.Page(-1)"),
        label("lblPage", (104, 236, 100, 40), align="CENTER"),
        button("btnNext", (212, 236, 80, 40), ">", "parent.Page(1)"),
        button("btnClose", (420, 236, 96, 40), "Close", "::CloseFormMap()"),
    ]
    return ("RCFormMap", "Form Map", 532, 292, script, children)


def rc_color():
    script = """// Picks a colour from a palette.
var fvColor = "";
var fvCallback = "";

// color: the colour shown first ("#RRGGBB" or a colour number); callback: hears the chosen
// colour as "#RRGGBB".
function SetInfo(color, callback)
{
    fvCallback = callback;
    fvColor = "";
    if (::IsValidStr(color)) Pick(color);
    else Show();
}

// A colour number (red in the low byte) as "#RRGGBB"; texts stay as they are.
function ColorText(color)
{
    if (::IsNum(color)) return ::StringFormat("#%02X%02X%02X", ::GetRColor(color), ::GetGColor(color), ::GetBColor(color));
    return ::CStr(color);
}

function Pick(color)
{
    fvColor = ColorText(color);
    Show();
}

function Show()
{
    rctPreview.FillColor = fvColor;
    lblColor.Text = fvColor;
}
""" + ANSWER + """
function Enter()
{
    Answer(fvColor);
    ::CloseColor();
}"""
    palette = ["#000000", "#808080", "#C0C0C0", "#FFFFFF", "#800000", "#FF0000", "#808000", "#FFFF00",
               "#008000", "#00FF00", "#008080", "#00FFFF", "#000080", "#0000FF", "#800080", "#FF00FF"]
    children = [swatch(name, box, color) for (name, box), color in zip(grid("rctColor", 16, 16, 4, 4, 52, 40, 8), palette)]
    children += [
        obj("Rectangle", "rctPreview", (264, 16, 100, 64), {"BorderColor": "@BorderColor"}),
        label("lblColor", (264, 88, 100, 28), align="CENTER"),
        button("btnOK", (156, 212, 100, 36), "OK", "parent.Enter()"),
        button("btnCancel", (264, 212, 100, 36), "Cancel", "::CloseColor()"),
    ]
    return ("RCColor", "Color", 380, 264, script, children)


def rc_search():
    script = """// Finds texts among the caller's items; the one chosen goes to the caller's function.
var fvItems = #NOTHING#;
var fvHits = #NOTHING#;
var fvPage = 0;
var fvButtons = 8;
var fvCallback = "";

// items: the texts searched (a list); callback: hears the chosen text.
function SetInfo(items, callback)
{
    fvItems = ::MergeValue(items);
    fvCallback = callback;
    edtSearch.Text = "";
    Search("");
}

// Keeps the items that contain the text, without regard to case; an empty text keeps all.
function Search(text)
{
    var pattern = ::LowerStr(::CStr(text));
    fvHits = #NOTHING#;
    for (var i = 0; i < ::GetValueTotalElement(fvItems); i++) {
        if (::FindStr(::LowerStr(::CStr(fvItems[i])), pattern) >= 0) fvHits = ::MergeValue(fvHits, fvItems[i]);
    }
    fvPage = 0;
    ShowHits();
}
""" + paging("ShowHits", "btnHit", "fvHits",
             '\n    lblCount.Text = ::CStr(count) & " found";') + ANSWER + """
function Choose(text)
{
    if (text == "") return;
    Answer(text);
    ::CloseSearch();
}"""
    children = [
        edit("edtSearch", (16, 16, 300, 36), event="event OnTextChanged(&text)\n{\n    parent.Search(text);\n}"),
        button("btnSearch", (324, 16, 100, 36), "Search", "parent.Search(parent.edtSearch.Text)"),
        label("lblCount", (16, 58, 408, 24)),
    ]
    children += [button(name, box, "", "parent.Choose(Text)")
                 for name, box in grid("btnHit", 16, 88, 2, 4, 200, 40, 8)]
    children += [
        button("btnPrev", (16, 280, 80, 36), "<", "parent.Page(-1)"),
        label("lblPage", (104, 280, 100, 36), align="CENTER"),
        button("btnNext", (212, 280, 80, 36), ">", "parent.Page(1)"),
        button("btnCancel", (324, 280, 100, 36), "Cancel", "::CloseSearch()"),
    ]
    return ("RCSearch", "Search", 440, 332, script, children)


def rc_login():
    script = """// Logs in to the panel server with the user and password typed.

function TextOf(value)
{
    if (::IsValidStr(value)) return ::CStr(value);
    return "";
}

// node, port: the server, shown; user, password: filled in first.
function SetInfo(node, port, user, password)
{
    lblServer.Text = TextOf(node) & ":" & TextOf(port);
    edtUser.Text = TextOf(user);
    edtPassword.Text = TextOf(password);
    lblError.Text = "";
}

// A refused login keeps the dialog open and says why.
function Enter()
{
    if (::Login(edtUser.Text, edtPassword.Text)) {
        ::CloseLoginDialog();
        return;
    }
    lblError.Text = ::GetLoginLastError();
}"""
    return ("RCLogin", "Login", 380, 262, script, [
        label("lblServerTitle", (16, 16, 100, 28), "Server"),
        label("lblServer", (124, 16, 240, 28)),
        label("lblUser", (16, 56, 100, 32), "User"),
        edit("edtUser", (124, 56, 240, 32)),
        label("lblPassword", (16, 96, 100, 32), "Password"),
        edit("edtPassword", (124, 96, 240, 32), password=True),
        label("lblError", (16, 136, 348, 56), wrap=True),
        button("btnOK", (156, 206, 100, 36), "OK", "parent.Enter()"),
        button("btnCancel", (264, 206, 100, 36), "Cancel", "::CloseLoginDialog()"),
    ])


DIALOGS = [
    rc_msg(),
    question("RCYesNoMsg", "::CloseYesNoMsg", [("YES", "Yes"), ("NO", "No")]),
    question("RCYesNoCancelMsg", "::CloseYesNoCancelMsg", [("YES", "Yes"), ("NO", "No"), ("CANCEL", "Cancel")]),
    rc_password(),
    rc_num_key(),
    rc_text_key(),
    rc_calendar(),
    rc_form_map(),
    rc_color(),
    rc_search(),
    rc_login(),
]
