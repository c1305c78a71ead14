Calls: arguments, reference parameters, built-in methods.

=== a call with more or fewer arguments than parameters stops the caller
function Two(a, b) { return a + b; }
event OnInitialize() { ::Trace(Two(1, 2)); Two(1, 2, 3); ::Trace("never"); }
--- output
3
Runtime Error : Invalid number of arguments Two

=== a parameter declared with "&" is bound to the caller's variable; the others get copies
function Inc(&v) { v = v + 1; }
function Twice(&v) { Inc(v); Inc(v); }
function Keep(v) { v = 99; }
var total = 10;
event OnInitialize() {
  var n = 1;
  Inc(n); Twice(n); Keep(n);
  Twice(total);
  Inc(5);
  ::Trace(n, total);
}
--- output
4
12

=== a parameter given a computed value is the call's own; changing or returning it touches nothing else
function Grow(v) { v = v * 2; v += 1; return v; }
function Other(v) { var w = v + 1; v = 0; return w; }
function Same(v) { return v; }
function Join(t) { t = t + "!"; return t; }
event OnInitialize() {
  var n = 3;
  ::Trace(Grow(n + 1), Grow(Grow(1)), Other(n * 2), Same(Same(n) + 1), n);
  ::Trace(Join("a" + "b"), Join(Join("c")), Grow(c(1, 2) + 0));
}
--- output
9
7
7
4
3
ab!
c!!
c(3,5)

=== reference parameters reach properties and elements, and write through at once
function Bang(&t) { t = t & "!"; ::Trace(Text); }
function Inc(&v) { v++; }
event OnInitialize() {
  Text = "a";
  Bang(Text);
  var list = c(1, 2, 3);
  Inc(list[1]);
  Inc(list[c(0, 2)]);
  ::Trace(list);
}
--- output
a!
c(2,3,4)

=== the common functions work element by element
event OnInitialize() {
  ::Trace(CStr(12.5) & "x", CNum("42") + 1, StrLen("hello"), StrLen(c("ab", "c")));
  ::Trace(IsEmpty(#N/A#), IsEmpty(c(1, #N/A#)), ::Math.Abs(c(-1, 2, -3)));
  ::Trace(Math.Abs(-4));
}
--- output
12.5x
43
5
c(2,1)
T
c(F,T)
c(1,2,3)
Runtime Error : Unable to Resolve Identifier Math.Abs

=== a built-in method that fails stops the function with its name
event OnInitialize() { ::Trace(::Math.Abs(-2)); ::Math.Abs(1, 2); ::Trace("never"); }
--- output
2
Runtime Error : Function execution stops for Abs

=== object methods: properties, children and timers by name
event OnInitialize() {
  ::Trace(SetProperty("Text", "set"), Text, GetProperty("Text"), SetProperty("NoSuch", 1));
  var second = parent.GetChildObj(1);
  var first = parent.GetChildObj("Button1");
  ::Trace(parent.GetChildObjCount(), second.Name, first.Name, parent.GetChildObj(7));
  ::Trace(SetTimer(1, 100), SetTimer(1, 100), KillTimer(1), KillTimer(1));
}
--- output
T
set
set
F
2
lblCalendar1
Button1
#NOTHING#
T
F
T
F

=== new makes an object of a registered class; an unknown class stops the function
event OnInitialize() {
  var label = new Label();
  label.Text = "made";
  ::Trace(label.Text, IsEmpty(label));
  delete label;
  ::Trace(label);
  var gone = new NoSuchClass();
}
--- output
made
F
#NOTHING#
Runtime Error : Cannot Create CNObject NoSuchClass
