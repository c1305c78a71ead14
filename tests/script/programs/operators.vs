Operators: binding levels, grouping, element-wise arrays, the value type's rules.

=== "^" binds tighter than "*" and than unary minus; one level groups from the left
event OnInitialize() {
  ::Trace(2 ^ 3 * 4, -2 ^ 2, 2 ^ 3 ^ 2, 7 - 2 * 3 ^ 2 / 3);
  ::Trace(1 - 2 - 3, 8 / 4 * 2, 1 + 2 * 3, (1 + 2) * 3, 2 ^ -1);
}
--- output
32
-4
64
1
-4
4
7
9
0.5

=== comparisons bind looser than arithmetic, logic looser than comparisons
event OnInitialize() {
  ::Trace(2 + 3 == 5, 1 < 2 == T, T && F || T, 1 && 0, 1 <> 2, "abc" < "abd");
}
--- output
T
T
T
F
T
T

=== arrays combine element by element, the right operand repeated over the left
event OnInitialize() {
  ::Trace(c(1, 2, 3) + c(10, 20), c(1, 2, 3) ^ 2, c(4, 9) ^ 0.5, c(1, 2) * 3 == c(3, 5));
  ::Trace(-c(1, -2), !c(T, F, 0), c(c(1, 2), c(3, 4)) * 10);
  ::Trace(2 ^ c(1, 2, 3));
}
--- output
c(11,22,13)
c(1,4,9)
c(2,3)
c(T,F)
c(-1,2)
c(F,T,T)
c(c(10,20),c(30,40))
2

=== texts join with "+", "&" and "|"; numbers and masks with "&" and "|" as bits
event OnInitialize() {
  ::Trace("a" + "b", "a" & "b", "a" | "b", 5 & 3, 5 | 3, "x" + 1, +"5" + 1);
}
--- output
ab
ab
ab
1
7
1
6

=== division by zero, the empty value and values without value
event OnInitialize() {
  ::Trace(5 / 0, #NOTHING# + 1, #NOTHING# == #NOTHING#, #N/A# == #N/A#, #N/A# > 1, "10" == 10);
}
--- output
N/A
#NOTHING#
T
T
N/A
T

=== compound assignments store the result in their left operand
event OnInitialize() {
  var x = 5;
  x += 2; ::Trace(x);
  x -= 1; ::Trace(x);
  x *= 3; ::Trace(x);
  x /= 4; ::Trace(x);
  var s = "a";
  s |= "b"; s &= "c"; ::Trace(s);
  var bits = 12;
  bits &= 10; ::Trace(bits);
}
--- output
7
6
18
4.5
abc
8

=== "++" and "--" change the variable; before it they yield the new value, after it the old one
event OnInitialize() {
  var i = 5;
  var a = i++;
  var b = ++i;
  var d = i--;
  var e = --i;
  ::Trace(a, b, d, e, i);
  var list = c(1, "x", 2);
  list++;
  ::Trace(list);
}
--- output
5
7
7
5
5
c(2,"x",3)

=== an assignment to something that is no place stops the function
event OnInitialize() {
  var x = 1;
  ::Trace("before");
  (x + 1) = 3;
  ::Trace("never");
}
--- output
before
Runtime Error : Assigment operation on a constant 2

=== an element of a value that is no place cannot be assigned either
function Pair() { return c(1, 2); }
event OnInitialize() { Pair()[0] = 5; }
--- output
Runtime Error : Assigment operation on a constant 1

=== statements on plain numbers give what the same statements on any other value give
var top = 1;
function Bump(&p) { p += 1; p = p * 2; p++; }
event OnInitialize() {
  var a = 6; var b = 0; var s = "x"; var r;
  r = a / b; ::Trace(r);
  r = a == 6; ::Trace(r);
  s += "y"; s++; ::Trace(s);
  top += a; top--; ::Trace(top);
  r = a - c(1, 2); ::Trace(r);
  Text = 1; Bump(Text); ::Trace(Text);
  if (a >= 6) ::Trace("ge");
  if (s < 2) ::Trace("never");
}
--- output
N/A
T
xy
6
5
5
ge

=== two plain numbers inside a larger expression give what any other operands give
var top = 4;
function Same(v) { return v; }
function Below(&p) { return p - 1 < 2; }
event OnInitialize() {
  var a = 6; var b = 0; var s = "x"; var t = T;
  ::Trace(a / b + 1, Same(a) / b + 1);
  ::Trace((a < 7) + 1, (Same(a) < 7) + 1);
  ::Trace(s + a + 1, Same(s) + a + 1);
  ::Trace(t + 1 + a, Same(t) + 1 + a);
  ::Trace(top * a - 1, Same(top) * a - 1);
  Text = 2; ::Trace(Below(Text), Below(top));
}
--- output
N/A
N/A
2
2
7
7
8
8
23
23
T
F
