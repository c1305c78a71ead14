Statements: branches, loops, switch, functions.

=== if, else if and else take the first true branch
function Grade(n) {
  if (n > 90) return "A";
  else if (n > 50) { return "B"; }
  else return "C";
}
event OnInitialize() { ::Trace(Grade(95), Grade(60), Grade(10)); }
--- output
A
B
C

=== a condition is true when any element is true; the empty value is false
event OnInitialize() {
  if (c(F, T)) ::Trace("any");
  if (#NOTHING#) ::Trace("never"); else ::Trace("empty is false");
  if ("F") ::Trace("never"); else ::Trace("text F is false");
}
--- output
any
empty is false
text F is false

=== for runs its step after each round; continue skips to it, break leaves the loop
event OnInitialize() {
  for (var i = 0; i < 10; i++) {
    if (i == 2) continue;
    if (i == 4) break;
    ::Trace(i);
  }
}
--- output
0
1
3

=== while tests before each round; a for without parts runs until break
event OnInitialize() {
  var n = 0;
  while (n < 3) n = n + 1;
  while (F) ::Trace("never");
  for (;;) { n = n * 2; if (n > 20) break; }
  ::Trace(n);
}
--- output
24

=== switch starts at the first equal case and falls through to the next break
function Kind(x) {
  var s = "";
  switch (x) {
    case 1: s = s & "1";
    case 2: s = s & "2"; break;
    case "three": s = s & "3";
    default: s = s & "d";
  }
  return s;
}
event OnInitialize() { ::Trace(Kind(1), Kind(2), Kind("three"), Kind(9)); }
--- output
12
2
3d
d

=== a switch without default runs nothing when no case is equal; continue passes through it
event OnInitialize() {
  for (var i = 0; i < 4; i++) {
    switch (i) {
      case 1: continue;
      case 3: ::Trace("three");
    }
    ::Trace(i);
  }
}
--- output
0
2
three
3

=== functions return values; one that ends without return gives the empty value
function Fib(n) { if (n < 2) return n; return Fib(n - 1) + Fib(n - 2); }
function Nothing() { }
function Early(x) { if (x) return; return "late"; }
event OnInitialize() { ::Trace(Fib(15), Nothing(), Early(T), Early(F)); }
--- output
610
#NOTHING#
#NOTHING#
late

=== a local lives for one call; a declaration without value empties it
function Count() { var n; n = n + 1; return n; }
event OnInitialize() { ::Trace(Count(), Count()); }
--- output
#NOTHING#
#NOTHING#

=== runaway recursion stops with an error naming the function
function Down(n) { return Down(n + 1); }
event OnInitialize() { ::Trace("start"); Down(0); ::Trace("never"); }
--- output
start
Runtime Error : Function execution stops for Down

=== an else belongs to the nearest if; a declaration of two names as a body is one block; ";" is empty
event OnInitialize() {
  if (T) if (F) ::Trace("never"); else ::Trace("inner else");
  if (F) if (T) ::Trace("never"); else ::Trace("never either");
  if (T) ; else ::Trace("never");
  if (F) var p = 1, q = 2;
  ::Trace(p, q);
}
--- output
inner else
#NOTHING#
#NOTHING#

=== break leaves the nearest switch or loop; continue goes on with the nearest loop
event OnInitialize() {
  for (var i = 0, j = 10; i < 10; i++) {
    if (i == 1) continue;
    switch (i) { case 2: break; }
    if (i == 3) break;
    ::Trace(i + j);
  }
  var n = 0;
  for (i = 0; ; ) { while (n < 3) { n++; continue; ::Trace("never"); } break; }
  ::Trace(n);
}
--- output
10
12
3

=== a default in the middle falls through; cases compare as "==" does, close numbers apart
function Kind(x) {
  var s = "";
  switch (x) {
    case 0.123456789: s = "a";
    case 0.123456788: s = s & "b"; break;
    default: s = "d";
    case "1": s = s & "t";
    case T: s = s & "T";
  }
  return s;
}
event OnInitialize() { ::Trace(Kind(0.123456789), Kind(0.123456788), Kind("1"), Kind(T), Kind(2)); }
--- output
ab
b
tT
ab
dtT
