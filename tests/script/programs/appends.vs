Appending to a text held in a variable: "v = v & t", "v &= t" and their "|" and "+" forms join
in the variable's own storage. Whoever else holds the text keeps what it held.

=== every form of append reads as the join, also of a text with itself and in longer joins
event OnInitialize() {
  var s = "";
  for (var i = 0; i < 1000; i++) { s = s & "x"; s &= "y"; }
  ::Trace(StrLen(s), LeftStr(s, 4), RightStr(s, 3));
  var t = "a";
  t = t | "b"; t |= "c"; t = t + "d"; t += "e";
  t = t & t; t &= t;
  ::Trace(t);
  var u = "u";
  u = u & "x" & "y"; u = u & ("z" & u); u = u & u & "!";
  ::Trace(u);
}
--- output
2000
xyxy
yxy
abcdeabcdeabcdeabcde
uxyzuxyuxyzuxy!

=== appending never changes a copy, a top-level variable, a property, an array or an argument
var kept = "";
function Grow(v) { v &= "!"; v = v & "?"; return v; }
function GrowHere(&v) { v &= "!"; }
event OnInitialize() {
  var s = "ab";
  var copy = s;
  kept = s;
  Text = s;
  var list = c(s, s);
  list[1] = s;
  var grown = Grow(s);
  s &= "c";
  s = s & "d";
  ::Trace(copy, kept, Text, list, grown, s);
  GrowHere(s);
  kept &= "z";
  kept = kept & "y";
  Text &= "x";
  ::Trace(s, kept, copy, Text, list[0]);
}
--- output
ab
ab
ab
c("ab","ab")
ab!?
abcd
abcd!
abzy
ab
abx
ab

=== a join that is not of two single texts is not an append
event OnInitialize() {
  var n = 6;
  n = n & 3;
  var list = c("a", "b");
  list = list & "x";
  list &= c("1", "2");
  var mixed = "a";
  mixed = mixed + #N/A#;
  ::Trace(n, list, mixed);
}
--- output
2
c("ax1","bx2")
N/A
