Names: the idioms of project scripts, and the order in which names are looked up.
The world: root > Math, Form1 > Button1 (the program), lblCalendar1 (see exec_test_util.h).

=== an event run with fewer arguments than its handler's parameters is refused
var fvTarget = #NOTHING#;
event OnInitialize() { ::Trace(fvTarget); fvTarget = 5; }
event OnTimer(timerid, counter) { fvTarget = fvTarget + 1; ::Trace(fvTarget); }
--- calls OnInitialize OnTimer OnTimer
--- output
#NOTHING#
Runtime Error : Invalid number of arguments OnTimer
Runtime Error : Invalid number of arguments OnTimer

=== a top-level var keeps its value between events
var fvTarget = #NOTHING#;
event OnInitialize() { ::Trace(fvTarget); fvTarget = 5; }
event OnHeartBeat() { fvTarget = fvTarget + 1; ::Trace(fvTarget); }
--- calls OnInitialize OnHeartBeat OnHeartBeat
--- output
#NOTHING#
6
7

=== "::" names reach the root's global functions
event OnInitialize() { ::OpenMsg(::GetLoginLastError()); root.OpenMsg("again"); }
--- output
msg: no login
msg: again

=== a plain call that neither the script nor the owner answers goes to the root
event OnInitialize() { OpenMsg("plain"); Trace(GetChildObjCount(), root.GetChildObjCount()); }
--- output
msg: plain
0
2

=== parent reaches the form and the variables of its script
event OnInitialize() {
  if (parent.g_mustlogin == F) ::Trace("no login needed");
  parent.g_target = "boiler";
  ::Trace(parent.g_target, parent.Name, this.Name, Name);
}
--- output
no login needed
boiler
Form1
Button1
Button1

=== with makes ".Name" a member of its object, and looks up undeclared names there first
event OnInitialize() {
  Text = "mine";
  parent.lblCalendar1.Text = "theirs";
  with (parent) { ::Trace(.Name); }
  with (parent.lblCalendar1) { ::Trace(.Text, Text); }
  ::Trace(Text);
}
--- output
Form1
theirs
theirs
mine

=== a function of another object's script is called as a method of that object
event OnInitialize() {
  parent.lblCalendar1.mSetValue(3);
  ::Trace(parent.lblCalendar1.Text, parent.lblCalendar1.mGetValue(), parent.lblCalendar1.fvValue);
  parent.lblCalendar1.mSetValue();
}
--- output
day 3
3
3
Runtime Error : Invalid number of arguments mSetValue

=== plain names: locals and parameters, the script's variables, then the owner's properties
var x = "script";
var Name = "script name";
function Describe(Text) { var x = "local"; return x & " " & Text; }
event OnInitialize() { ::Trace(Describe("param"), x, Name, this.Name); }
--- output
local param
script
script name
Button1

=== an object value leads on to the object's members
event OnInitialize() {
  var form = parent;
  var me = this;
  ::Trace(form.Name, me.Name, form.lblCalendar1.Name, ::Form1.Button1.Name);
}
--- output
Form1
Button1
lblCalendar1
Button1

=== a name found nowhere stops the function; what it assigned before stays
var kept = 0;
event OnInitialize() { kept = 1; ::Trace(nothere); kept = 2; }
event OnHeartBeat() { ::Trace(kept); }
--- calls OnInitialize OnHeartBeat
--- output
Runtime Error : Unable to Resolve Identifier nothere
1

=== unknown members and methods name the whole name
event OnInitialize() { parent.nothing.Text = 1; }
event OnHeartBeat() { ::NoSuchGlobal(1); }
--- calls OnInitialize OnHeartBeat
--- output
Runtime Error : Unable to Resolve Identifier parent.nothing.Text
Runtime Error : Unable to Resolve Identifier root.NoSuchGlobal

=== elements of another object's script variables and properties are stored into
event OnInitialize() {
  parent.lblCalendar1.fvValue = c(1, 2);
  parent.lblCalendar1.fvValue[1] = 7;
  parent.lblCalendar1.Text = "x";
  parent.lblCalendar1.Text[0] = "y";
  ::Trace(parent.lblCalendar1.mGetValue(), parent.lblCalendar1.Text);
}
--- output
c(1,7)
y

=== with blocks nest; a member name outside any with reaches nothing
event OnInitialize() {
  with (parent) { with (lblCalendar1) { ::Trace(.Name); } ::Trace(.Name); }
  with (::Form1.lblCalendar1) { .Text = "via root"; }
  ::Trace(parent.lblCalendar1.Text);
  .Stray = 1;
}
--- output
lblCalendar1
Form1
via root
Runtime Error : Unable to Resolve Identifier .Stray

=== functions see the script's variables declared after them; "this." calls the script's functions
var total = 1;
function Add(&sum, n) { var k = n, m = 2; sum += k + total + later + m; }
function Twice(v) { return v * 2; }
var later = 100;
event OnInitialize() { var s = 0; Add(s, 10); ::Trace(s, this.Twice(s), Twice(1)); }
--- output
113
226
2
