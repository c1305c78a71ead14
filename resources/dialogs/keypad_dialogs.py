"""The numeric keypad and the keyboard, for a caller's function or an edit box edited in place."""

from dialog_parts import button, grid, label

# Both keypads edit fvText through their own Change(text) and show it in lblValue; the edited
# object, when there is one, receives the text on Enter and must keep it (an edit box refuses a
# text its format does not pass).
KEYPAD_EDITING = """
function Show()
{
    lblValue.Text = fvText;
}

function Refuse(message)
{
    lblError.Text = message;
}

function Back()
{
    Change(::LeftStr(fvText, ::StrLen(fvText) - 1));
}

function Clear()
{
    Change("");
}

// Writes the text into the edited object; false when the object did not take it.
function WriteTarget()
{
    fvTarget.Text = fvText;
    if (fvTarget.Text == fvText) return T;
    Refuse("The value was not accepted.");
    return F;
}
"""


def rc_num_key():
    script = """// A numeric keypad: for a caller's function (SetInfo) or an edit box edited in place
// (SetInfoEdit). The number must lie within the limits given.
var fvText = "";
var fvFresh = T;
var fvMin = "";
var fvMax = "";
var fvCallback = "";
var fvTarget = #NOTHING#;

// value: the number shown first; min, max: the limits ("" or #NOTHING#: none); callback: hears
// the number.
function SetInfo(value, min, max, callback)
{
    fvTarget = #NOTHING#;
    fvMin = min;
    fvMax = max;
    fvCallback = callback;
    Start(value);
}

// target: the edit box being edited; its text is shown first and receives the number.
function SetInfoEdit(target)
{
    fvMin = "";
    fvMax = "";
    fvCallback = "";
    fvTarget = target;
    if (::IsObj(target)) Start(target.Text);
    else Start("");
}

function Start(value)
{
    fvText = "";
    if (IsNumberText(value)) fvText = ::CStr(value);
    fvFresh = T;
    lblError.Text = "";
    Show();
}

// An optional "-", digits and at most one ".", with at least one digit.
function IsNumberText(value)
{
    var body = ::TrimLeftStr(::CStr(value), "-");
    var digits = 0;
    var points = 0;
    for (var i = 0; i < ::StrLen(body); i++) {
        var ch = ::MidStr(body, i, 1);
        if (ch == ".") points++;
        else if (::FindStr("0123456789", ch) >= 0) digits++;
        else return F;
    }
    return digits > 0 && points <= 1;
}

// Any key edits the number shown from then on.
function Change(text)
{
    fvFresh = F;
    fvText = text;
    lblError.Text = "";
    Show();
}

// A digit or the point; the first one after opening replaces the number shown.
function Key(key)
{
    var text = fvText;
    if (fvFresh) text = "";
    if (key == ".") {
        if (::FindStr(text, ".") >= 0) return;
        if (text == "" || text == "-") text = text & "0";
    }
    if (::StrLen(text) < 24) Change(text & key);
}

function Sign()
{
    if (::LeftStr(fvText, 1) == "-") Change(::MidStr(fvText, 1));
    else Change("-" & fvText);
}
""" + KEYPAD_EDITING + """
function InRange(number)
{
    if (::IsValidStr(fvMin) && number < ::CNum(fvMin)) return F;
    if (::IsValidStr(fvMax) && number > ::CNum(fvMax)) return F;
    return T;
}

function RangeMessage()
{
    var head = fvText & " is not in the range." & ::Chr(10) & ::Chr(10);
    if (::IsValidStr(fvMin) && ::IsValidStr(fvMax))
        return head & "Please input between " & ::CStr(::CNum(fvMin)) & " and " & ::CStr(::CNum(fvMax)) & ".";
    if (::IsValidStr(fvMax)) return head & "Please input " & ::CStr(::CNum(fvMax)) & " or under.";
    return head & "Please input " & ::CStr(::CNum(fvMin)) & " or over.";
}

function Enter()
{
    if (!IsNumberText(fvText)) {
        Refuse("Please input some number.");
        return;
    }
    var number = ::CNum(fvText);
    if (!InRange(number)) {
        Refuse(RangeMessage());
        return;
    }
    if (::IsObj(fvTarget)) {
        if (!WriteTarget()) return;
    } else if (::IsValidStr(fvCallback)) {
        ::CallMethod(fvCallback, number);
    }
    ::CloseNumKey();
}"""
    keys = ["7", "8", "9", "4", "5", "6", "1", "2", "3", "0", ".", "+/-"]
    children = [
        label("lblValue", (16, 16, 248, 44), big=True, align="RIGHT", border=True),
        label("lblError", (16, 64, 248, 58), wrap=True),
    ]
    names = {".": "btnPoint", "+/-": "btnSign"}
    for (_, box), key in zip(grid("", 16, 128, 3, 4, 76, 44, 10), keys):
        call = "parent.Sign()" if key == "+/-" else "parent.Key(Text)"
        children.append(button(names.get(key, "btnKey" + key), box, key, call))
    children += [
        button("btnBack", (16, 344, 119, 40), "BS", "parent.Back()"),
        button("btnClear", (145, 344, 119, 40), "CLR", "parent.Clear()"),
        button("btnEnter", (16, 394, 119, 40), "Enter", "parent.Enter()"),
        button("btnCancel", (145, 394, 119, 40), "Cancel", "::CloseNumKey()"),
    ]
    return ("RCNumKey", "Numeric Keypad", 280, 450, script, children)


def rc_text_key():
    script = """// A keyboard: for a caller's function (SetInfo) or an edit box edited in place
// (SetInfoEdit). The text may not pass the length given.
var fvText = "";
var fvMax = 0;
var fvUpper = F;
var fvCallback = "";
var fvTarget = #NOTHING#;

// text: shown first; maxLength: the most characters taken (0 or less: no limit); prompt: what
// to type; callback: hears the text.
function SetInfo(text, maxLength, prompt, callback)
{
    fvTarget = #NOTHING#;
    fvMax = 0;
    if (::IsValidStr(maxLength)) fvMax = ::CInt(maxLength);
    fvCallback = callback;
    lblPrompt.Text = prompt;
    Start(text);
}

// target: the edit box being edited; its text is shown first and receives the new one.
function SetInfoEdit(target)
{
    fvMax = 0;
    fvCallback = "";
    fvTarget = target;
    lblPrompt.Text = "";
    if (::IsObj(target)) Start(target.Text);
    else Start("");
}

function Start(text)
{
    fvText = "";
    if (::IsValidStr(text)) fvText = ::CStr(text);
    fvUpper = F;
    ShowCase();
    lblError.Text = "";
    Show();
}

function TooLong(length)
{
    return fvMax > 0 && length > fvMax;
}

function LengthMessage()
{
    return "Please input up to " & ::CStr(fvMax) & " characters.";
}

function Change(text)
{
    fvText = text;
    lblError.Text = "";
    Show();
}

function Key(key)
{
    if (TooLong(::StrLen(fvText) + ::StrLen(key))) Refuse(LengthMessage());
    else Change(fvText & key);
}

// The letter keys show and type the current case.
function ShowCase()
{
    var letters = "QWERTYUIOPASDFGHJKLZXCVBNM";
    for (var i = 0; i < ::StrLen(letters); i++) {
        var letter = ::MidStr(letters, i, 1);
        var key = GetChildObj("btnKey" & letter);
        if (fvUpper) key.Text = letter;
        else key.Text = ::LowerStr(letter);
    }
    if (fvUpper) btnShift.Text = "ABC";
    else btnShift.Text = "abc";
}

function Shift()
{
    fvUpper = !fvUpper;
    ShowCase();
}
""" + KEYPAD_EDITING + """
function Enter()
{
    if (TooLong(::StrLen(fvText))) {
        Refuse(LengthMessage());
        return;
    }
    if (::IsObj(fvTarget)) {
        if (!WriteTarget()) return;
    } else if (::IsValidStr(fvCallback)) {
        ::CallMethod(fvCallback, fvText);
    }
    ::CloseTextKey();
}"""
    children = [
        label("lblPrompt", (16, 12, 568, 24)),
        label("lblValue", (16, 40, 568, 40), big=True, border=True),
        label("lblError", (16, 84, 568, 24)),
    ]
    rows = ["1234567890", "QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM", "-_.,@/:#+*"]
    for r, row in enumerate(rows):
        indent = 16 + (10 - len(row)) * 28
        for c, key in enumerate(row):
            name = f"btnKey{key}" if key.isalnum() else f"btnSym{c + 1}"
            box = (indent + c * 56, 116 + r * 50, 52, 44)
            children.append(button(name, box, key.lower(), "parent.Key(Text)"))
    bottom = 116 + len(rows) * 50
    children += [
        button("btnShift", (16, bottom, 80, 44), "abc", "parent.Shift()"),
        button("btnSpace", (100, bottom, 232, 44), "Space", 'parent.Key(" ")'),
        button("btnBack", (336, bottom, 80, 44), "BS", "parent.Back()"),
        button("btnClear", (420, bottom, 80, 44), "CLR", "parent.Clear()"),
        button("btnEnter", (364, bottom + 50, 108, 40), "Enter", "parent.Enter()"),
        button("btnCancel", (476, bottom + 50, 108, 40), "Cancel", "::CloseTextKey()"),
    ]
    return ("RCTextKey", "Keyboard", 600, bottom + 104, script, children)
