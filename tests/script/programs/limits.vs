The limits of one run: statements, time, and the size of the values it makes.

=== the statement budget stops an endless loop and the next event still runs
--- limits statements=10000
--- calls OnInitialize OnHeartBeat
var rounds = 0;
function Spin() { while (T) rounds++; }
event OnInitialize() { Spin(); }
event OnHeartBeat() { ::Trace(rounds > 1000); }
--- output
Runtime Error : Function execution stops for Spin
T

=== the time limit stops a loop that calls nothing
--- limits time=20
event OnInitialize() { for (;;) { } }
--- output
Runtime Error : Function execution stops for OnInitialize

=== an array beyond the element limit is refused
--- limits elements=1000 text=1000
event OnInitialize() { var a = new Array[1001]; ::Trace("never"); }
--- output
Runtime Error : Unable to create array Array

=== the element limit counts every dimension
--- limits elements=1000 text=1000
event OnInitialize() { var a = new Array[100, 100]; ::Trace("never"); }
--- output
Runtime Error : Unable to create array Array

=== joined arrays are held to the element limit
--- limits elements=1000 text=1000
event OnInitialize() { var a = new Array[600]; a = c(a, a); ::Trace("never"); }
--- output
Runtime Error : Unable to create array c

=== slices are held to the element limit
--- limits elements=1000 text=1000
event OnInitialize() { var a = new Array[10, 10]; var b = a[0:40, 0:40]; ::Trace("never"); }
--- output
Runtime Error : Unable to create array []

=== a range reaching past the end is refused before its size is
--- limits elements=1000 text=1000
event OnInitialize() { var a = new Array[1000]; var b = a[0:1000]; ::Trace("never"); }
--- output
Runtime Error : Invalid Index value for colon operator 1000

=== a text growing with "+" stops at the text limit
--- limits elements=1000 text=1000
event OnInitialize() { var s = "0123456789"; while (T) s = s + s; ::Trace("never"); }
--- output
Runtime Error : Function execution stops for OnInitialize

=== a text growing with "&" stops at the text limit, also element by element
--- limits elements=1000 text=1000
event OnInitialize() { var s = c("0123456789", 1); while (T) s = s & s; ::Trace("never"); }
--- output
Runtime Error : Function execution stops for OnInitialize

=== a text growing with "&=" stops at the text limit
--- limits elements=1000 text=1000
event OnInitialize() { var s = ""; while (T) s &= "0123456789"; ::Trace("never"); }
--- output
Runtime Error : Function execution stops for OnInitialize
