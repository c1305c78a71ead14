Mathematical functions, as global functions and as methods of the Math object.

=== element-wise functions keep the shape and leave elements without value empty
event OnInitialize() {
  ::Trace(Abs(c(-1, 2, -3.5)), Ceil(c(1.2, -1.2)), Floor(c(1.8, -1.2, #N/A#)), Sqrt(16), ::Math.Sqrt(c(4, 9)));
  ::Trace(Log(Exp(2)), Log10(1000), Sin(0), Cos(0), Round(Atan(1) * 4, 4), Asin(1) * 2 == Acos(-1), Tan(0));
}
--- output
c(1,2,3.5)
c(2,-1)
c(1,-2,#N/A#)
4
c(2,3)
2
3
0
1
3.1416
T
0

=== Adjust rounds whole numbers to a step
event OnInitialize() { ::Trace(Adjust(c(16, 17, -18, 2.7, #N/A#), 5), Adjust(7.9, 1), Adjust(7, 0), ::Math.Adjust(-2, 4)); }
--- output
c(15,20,-20,5,#N/A#)
7
7
-4

=== statistics over every number of every argument
event OnInitialize() {
  ::Trace(Sum(1, c(2, 3), #N/A#), Ave(c(1, 2, 3, 4)), Max(c(3, 9), -1), Min(c(3, 9), -1), Ave(#N/A#), Sum(#NOTHING#));
  ::Trace(Round(StDev(c(2, 4, 4, 4, 5, 5, 7, 9)), 4), StDev(1), Summary(c(1, 2, 3)), AddingUp(c(1, 2, 3, 4), 1, 9));
  ::Trace(Correl(c(c(1, 2, 3), c(2, 4, 6))), Correl(c(c(1, 2), c(3, 3))), LineSt(c(c(0, 1, 2), c(1, 3, 5))));
}
--- output
6
2.5
9
-1
N/A
0
2.1381
N/A
c(3,6,2,1,3)
9
1
N/A
c(2,1)

=== powers, roots, rounding, transformations and the huge value
event OnInitialize() {
  ::Trace(Pow(c(2, 3), 2), Nthroots(c(27, -8, 16), c(3, 3, 4)), Round(c(2.5, -2.5, 1.25)), Round(1.25, 1), Round(1234, -2));
  ::Trace(::Math.LT(c(0, 50, 200), 0, 100, 4, 20, F), LinearTrans(200, 0, 100, 4, 20, T), ::Math.LT(1, 5, 5, 0, 1, F));
  ::Trace(::Math.PT(c(0, 50, 100), 0, 100, F), PowerFactorTrans(75, 0, 100, T), VALUEHUGE() > 1000000);
}
--- output
c(4,9)
c(3,-2,2)
c(3,-3,1)
1.3
1200
c(4,12,36)
20
N/A
c(0,1,0)
0.5
T

=== wrong argument counts stop the script
event OnInitialize() { ::Trace(Sum(1)); ::Trace(Sqrt(4, 9)); ::Trace("never"); }
--- output
1
Runtime Error : Function execution stops for Sqrt

=== the Math object's methods fail the same way
event OnInitialize() { ::Trace(VALUEHUGE() > 0); ::Math.Abs(); ::Trace("never"); }
--- output
T
Runtime Error : Function execution stops for Abs
