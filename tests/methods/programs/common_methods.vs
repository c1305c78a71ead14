Common functions: texts, conversions, values, tables and times.

=== texts element by element, with the limits of positions and counts
event OnInitialize() {
  ::Trace(LeftStr(c("abc", "de"), 2), LeftStr("abc", 9), LeftStr("abc", -1), RightStr("abcd", 2));
  ::Trace(MidStr("abcdef", 2), MidStr("abcdef", -3, 2), MidStr("abc", 7), MidStr("abcdef", 1, 99));
  ::Trace(FindStr("hello", "l"), FindStr("hello", "z"), StrLen(c("ab", #N/A#)));
  ::Trace(ReplaceStr("aaaa", "aa", "b"), ReplaceStr("abc", "", "x"), UpperStr("straße"), LowerStr("ÄB"));
  ::Trace(TrimLeftStr("  a "), TrimRightStr(" a  "), TrimLeftStr("xxa", "x"), TrimRightStr("ab", "abc"), TrimRightStr("abab", "ab"));
  ::Trace(InsertStr("abc", 1, "-"), RepeatInsertStr("abcdefg", 3, ","), ExtractStr("a[bc]d", "[", "]"));
  ::Trace(CombineStr(c("a", "b"), "-", c(1, 2)), DivideStr("abcde", 2), IsLike(c("abc", "xbc"), "a*c"));
  ::Trace(MBStrLen("a日本"), IsFullWidthChar("a日", 1), Chr(65), CStr(c(1.5, #N/A#)));
}
--- output
c("ab","de")
abc

cd
cdef
ab

bcdef
2
-1
c(2,3)
bb
abc
STRAßE
äb
a 
 a
xa
ab
ab
a-bc
abc,def,g
bc
c("a-1","b-2")
c("ab","cd","e")
c(T,F)
5
T
A
c("1.5","N/A")

=== CStrToArray cuts at the whole delimiter; trims and skips empty pieces on request
event OnInitialize() {
  ::Trace(CStrToArray("a,b,", ","), CStrToArray("a,b,", ",", F, T), CStrToArray("a<>b", "<>"));
  ::Trace(CStrToArray(" a | b ", "|", T), CStrToArray("", ",", F, T), CStrToArray("x"+Chr(10)+"y"));
  ::Trace(TokenizeStr("  a  b,c ", " ,"), CArrayToStr(c(1, "x", T), ";"));
}
--- output
c("a","b","")
c("a","b")
c("a","b")
c("a","b")
#NOTHING#
c("x","y")
c("a","b","c")
1;x;T

=== whole numbers, remainders and bases
event OnInitialize() {
  ::Trace(CInt(c(2.9, -2.9, 3000000000)), GetRemainder(-7, 3), GetRemainder(7, 0), GetRemainder(c(7, 8, 9), c(2, 5)));
  ::Trace(CNumToHex(255), CNumToHex(-1), CNumToHex(10, 4), CNumToBin(5, 8), CNumToOct(8));
  ::Trace(CHexToNum("0x1F"), CHexToNum("ff"), CBinToNum("101"), COctToNum("17"), CHexToNum("zz"));
  ::Trace(CNumToComma(c(1234567.5, -1000, 12)), CCommaToNum("1,234.5"), CBool(c("F", 2, "")), CNum("0x10"));
  ::Trace(CNumToExp(1234.5, 2), StringFormat("%d|%5.2f|%-3s|%X|%%", 42.9, 3.14159, "a", 255), Format(c(1, 2), "<%03d>"));
}
--- output
c(2,-2,0)
-1
N/A
c(1,3,1)
FF
FFFFFFFF
000A
00000101
10
31
255
5
15
N/A
c("1,234,567.5","-1,000","12")
1234.5
c(F,T,F)
16
1.23e+03
42| 3.14|a  |FF|%
c("<001>","<002>")

=== colours, selections and power-factor scales
event OnInitialize() {
  var color = RGB(1, 2, 3);
  ::Trace(color, GetRColor(color), GetGColor(color), GetBColor(color), GC(RGB(0, 0, 0), RGB(255, 100, 0), c(0, 0.5, 2)));
  ::Trace(SV(c(0, 1, 2, T), "a", "b"), SelectVal(1, c(1, 2), c(10, 20)));
  ::Trace(CLinearToPf(c(0.2, -0.2, 0)), CPfToLinear(CLinearToPf(-0.3)));
}
--- output
197121
1
2
3
c(0,12928,25855)
c("a","b",#N/A#,"b")
10
c(0.8,-0.8,1)
-0.3

=== shapes, kinds and qualities of whole values
event OnInitialize() {
  var table = c(c(1, 2, 3), c(4, 5, 6));
  ::Trace(GetValueElement(table, 0), GetValueElement(table, 1), GetValueElement(table, 2), GetValueElement(5, 0));
  ::Trace(GetValueDimension(#NOTHING#), GetValueDimention(table), GetValueTotalElement(table), IsDimension1(5), IsDimension2(table));
  ::Trace(GetValueType(c("a", 1)), GetValueType(#N/A#), GetValueType(#NOTHING#), GetQuality(1), IsQualityUncertain(1));
  ::Trace(IsValid(""), IsValidStr(""), IsValid(#NOTHING#), IsValid(#N/A#), IsValidStr("x"));
  ::Trace(IsEmpty(c(1, #N/A#)), IsNum(c(1, "1")), IsStr("1"), IsBool(T), IsTime(#2020/01/01 00:00:00#));
  ::Trace(GetQuality(CQuality(1, "good")), IsQualityBad(CQuality(1, 0)), GetQuality(CBACnetQuality(1, 4)), GetValueFormat(table));
}
--- output
2
3
0
1
0
2
6
1
1
string
uncertain
uncertain
UNCERTAIN
T
T
F
F
F
T
c(F,T)
c(T,F)
T
T
T
GOOD
T
UNCERTAIN
2x3

=== sets, merges and repeats
event OnInitialize() {
  ::Trace(IsExist(c(1, 2, 3), c(2)), IsExist(c(#N/A#, "2"), c(2, #N/A#)), IsExist(#NOTHING#, 1));
  ::Trace(MergeValue(1, c(2, 3)), MergeValue(), MergeValue(c(c(1, 2), c(3, 4)), "x"));
  ::Trace(RepeatValue(5, 3), RepeatValue(c(1, 2), 2), RepeatValue(5, 0), RepeatValue(7, 65537));
  ::Trace(GetUniqueValue(c(1, 2, 1, "1", 2)), SortValue(c(3, "b", 1, "a", T)), SortValue(c(1, 3, 2), T), Revar(c(c(1, 2), c(3, 4))));
  ::Trace(Nums(1, 3), Nums(5, 1, -2), Nums(3, 1), IntStrs(8, 10, 2), RET(c(1, 2)));
}
--- output
c(F,T,F)
c(T,F)
#NOTHING#
c(1,2,3)
#NOTHING#
c(1,2,3,4,"x")
c(5,5,5)
c(c(1,2),c(1,2))
#NOTHING#
7
c(1,2,"1")
c(T,1,3,"a","b")
c(3,2,1)
c(c(3,4),c(1,2))
c(1,2,3)
c(5,3,1)
c(3,2,1)
c("08","09","10")
c(1,2)

=== tables gain, lose, swap and sort rows
event OnInitialize() {
  var t = c(c(1, "b"), c(2, "a"));
  ::Trace(AddTableRow(t, c(3, "c")), VarAddRows(#NOTHING#, c(1, 2)), CombineRows(t, t));
  ::Trace(InsertTableRow(t, 1, c(9, "z")), DelTableRow(t, 0), DelTableRow(t, 0, 5), ExchangeTableColRow(t));
  ::Trace(SortTable(t, 1), SortTable(t, 0, T), SortTable(t, 7));
}
--- output
c(c(1,"b"),c(2,"a"),c(3,"c"))
c(c(1,2))
c(c(1,"b"),c(2,"a"),c(1,"b"),c(2,"a"))
c(c(1,"b"),c(9,"z"),c(2,"a"))
c(c(2,"a"))
#NOTHING#
c(c(1,2),c("b","a"))
c(c(2,"a"),c(1,"b"))
c(c(2,"a"),c(1,"b"))
c(c(1,"b"),c(2,"a"))

=== literals and Base64 round trips
event OnInitialize() {
  ::Trace(CScript(c("a", 1)), CValue(CScript(c(1, "x"))), CValue("c(1,"), CStrToBase64("Man"), CStrToBase64("ab"));
  ::Trace(CBase64ToStr("TWFu"), CBase64ToStr(CStrToBase64("日本")), CBase64ToStr("!!"));
}
--- output
c("a",1)
c(1,"x")
#NOTHING#
TWFu
YWI=
Man
日本
N/A

=== times: parts, relative times, spans and the calendar constructor
event OnInitialize() {
  var t = CTime(2024, 3, 10, 13, 45, 30, 250);
  ::Trace(t, GetYear(t), GetMonth(t), GetDay(t), GetHour(t), GetMinute(t), GetSecond(t), GetMilliseconds(t));
  ::Trace(GetDayOfWeek(t), GetDayOfYear(t), GetDayOfWeek(c(t, 5)), GetYear(t, "No/Such_Zone"), GetYear(c(t, 1), ""));
  ::Trace(GetRelativeTime(t, "day-1d"), GetRelativeTime(c(t, t), "month+1mo"), GetRelativeTime(t, "bad"));
  ::Trace(CTime("2024/01/02 03:04:05"), CNum(CTime(c("junk", #N/A#))), CTime(2024, 2, 30, 0, 0, 0));
  ::Trace(CTimeSpanStr(c(3725, -90000, 59.9)), IsCurrentTime(c(GetCurrentTime(), t)));
  ::Trace(CTime(1, 2), "never");
}
--- output
#2024/03/10 13:45:30.250#
2024
3
10
13
45
30
250
1
70
c(1,#N/A#)
N/A
c(2024,#N/A#)
#2024/03/09 00:00:00#
c(#2024/04/01 00:00:00#,#2024/04/01 00:00:00#)
N/A
#2024/01/02 03:04:05#
c(0,0)
N/A
c("01:02:05","-25:00:00","00:00:59")
c(T,F)
Runtime Error : Function execution stops for CTime

=== a wrong number of arguments stops the script with the method's name
event OnInitialize() { ::Trace(LeftStr("abc")); }
--- output
Runtime Error : Function execution stops for LeftStr

=== named formats turn numbers and times into texts and back
event OnInitialize() {
  ::Trace(NS(1234.5), CNumStr(1234.5, "@NUMBER", 2), LN("1,234.5", "@NUMBER"), CLocaleToNum("abc", "@NUMBER"));
  ::Trace(TS(#2024/03/10 13:45:30#, "@DATETIME"), LT(TS(#2024/03/10 13:45:30#, "@DATETIME"), "@DATETIME"));
}
--- output
1234.5
1234.50
1234.5
N/A
2024/03/10 13:45:30
#2024/03/10 13:45:30#
