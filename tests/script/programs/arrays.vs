Arrays: c(...), new, indexing, ranges and writing through indexes.

=== c(...) adds a dimension to items of one shape
event OnInitialize() {
  ::Trace(c(1, 2, 3), c(c(1, 2), c(3, 4)), c(), c(c(), c()), c("a", "b"), c(5));
  var bad = c(c(1, 2), 3);
}
--- output
c(1,2,3)
c(c(1,2),c(3,4))
#NOTHING#
#NOTHING#
c("a","b")
5
Runtime Error : Unable to create array c

=== new with sizes makes an array of elements without value
event OnInitialize() {
  ::Trace(new Array[3], new Array[2, 2], new Array[0]);
  var bad = new Array[-1];
}
--- output
c(#N/A#,#N/A#,#N/A#)
c(c(#N/A#,#N/A#),c(#N/A#,#N/A#))
#NOTHING#
Runtime Error : Unable to create array Array

=== indexes count from 0, a list of positions selects several, a bool list is a mask
event OnInitialize() {
  var a = c(10, 20, 30);
  var m = c(c(1, 2), c(3, 4));
  ::Trace(a[1], a[c(0, 2)], a[c(T, F, T)], a[5], m[1, 0], m[1], m[c(0, 1), 1]);
}
--- output
20
c(10,30)
c(10,30)
N/A
3
c(3,4)
c(2,4)
=== ":" selects a range of positions, counting down when the end is below the start
event OnInitialize() {
  var r = c(10, 20, 30, 40, 50);
  ::Trace(r[1:3], r[3:1], r[2:2]);
  ::Trace(r[0.5:2]);
}
--- output
c(20,30,40)
c(40,30,20)
30
Runtime Error : Invalid Index value for colon operator 0.5

=== writing through an index changes the variable; a short value repeats over the positions
event OnInitialize() {
  var a = c(1, 2, 3, 4);
  a[1] = 20;
  a[2:3] = 0;
  ::Trace(a);
  a[0] += 5;
  a[9] = 1;
  ::Trace(a);
  var m = c(c(1, 2), c(3, 4));
  m[0, 1] = 9;
  m[1] = c(7, 8);
  ::Trace(m);
}
--- output
c(1,20,0,0)
c(6,20,0,0)
c(c(1,9),c(7,8))

=== "^" is element-wise and keeps values without value
event OnInitialize() { ::Trace(c(2, #N/A#, 3) ^ 2, #NOTHING# ^ 2); }
--- output
c(4,#N/A#,9)
#NOTHING#
