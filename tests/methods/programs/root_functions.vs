Global functions of the root: named maps, the last error, colours, formats, and what the view,
window and dialog functions answer when the host has no runtime.

=== named maps hold whole values by key and write a text form that reads back exactly
event OnInitialize() {
  ::Trace(::MAP("m"), ::MAPSET("m", "speed", 12.5), ::MAPSET("m", "names", c("pump", "valve ""B""")), ::MAPSET("m", "note", "a" & Chr(10) & "b"));
  ::Trace(::MAPGET("m", "speed"), ::MAPGET("m", "names"), ::MAPGET("m", "missing"), ::MAPGET("m", "missing", -1), ::MAPGET("none", "x", "d"));
  ::Trace(::MAPKEYS("m"), ReplaceStr(::MAPSTR("m"), Chr(10), "|"));
  ::Trace(::MAPSTRTO("copy", ::MAPSTR("m")), ::MAPSTR("copy") == ::MAPSTR("m"), ::MAPGET("copy", "note") == ("a" & Chr(10) & "b"), ::MAPGET("copy", "names"));
}
--- output
T
T
T
T
12.5
c("pump","valve \"B\"")
#NOTHING#
-1
d
c("names","note","speed")
"names"=c("pump","valve \"B\"")|"note"="a\nb"|"speed"=12.5
T
T
T
c("pump","valve \"B\"")

=== maps start empty in a new project; keys and maps are removed and merged; a malformed text changes nothing
event OnInitialize() {
  ::Trace(::MAPKEYS("m"), ::MAPSTR("m"));
  ::MAPSET("a", "x", 1); ::MAPSET("a", "y", 2); ::MAPSET("b", "y", 20); ::MAPSET("b", "z", 30);
  ::Trace(::MAPMERGE("a", "b", F), ::MAPKEYS("a"), ::MAPGET("a", "y"), ::MAPMERGE("a", "b"), ::MAPGET("a", "y"), ::MAPMERGE("a", "none"));
  ::Trace(::MAPSTRTO("a", """k""=c(1,"), ::MAPSTRTO("a", "k=1"), ::MAPSTRTO("a", """k""=nonsense"), ::MAPKEYS("a"));
  ::Trace(::MAPDEL("a", "x"), ::MAPDEL("a", "x"), ::MAPDEL("b"), ::MAPDEL("b"), ::MAPKEYS("b"), ::MAPSTR("b"));
  ::MAP("a");
  ::Trace(::MAPKEYS("a"), ::MAPSTR("a") == "", ::MAPSTRTO("e", ""), ::MAPKEYS("e"));
  ::MAPGET("a");
}
--- output
#NOTHING#
#NOTHING#
T
c("x","y","z")
2
T
20
F
F
F
F
c("x","y","z")
T
F
T
F
#NOTHING#
#NOTHING#
#NOTHING#
T
T
#NOTHING#
Runtime Error : Function execution stops for MAPGET

=== the last error, the runtime's own answers, colour numbers and themes
event OnInitialize() {
  ::Trace(::GetLastError() == "", ::SetLastError("pump 3 failed"), ::GetLastError(), ::SetLastError(42), ::GetLastError() + 1, ::SetLastError(), ::GetLastError() == "");
  ::Trace(::Test(), ::Test(1, 2), ::GetBrowserType(), ::GetBrowserFileName() == "", ::TranslateRoot("Start"), ::GetCurrentPath() == GetCurrentFolder());
  ::Trace(::GetRGBColor("#FF8000"), ::GetRGBColor(255, 128, 0), ::GetRGBColor(511, -128, 0), ::GetRGBColor(33023), ::GetRGBColor("@TextColor"), ::GetRGBColor("orange"));
  ::Trace(::GetFontName("Arial"), ::GetFontName("@ChartFont"), ::GetVisualThemes(), ::GetVisualThemeAttr("@TextColor"), ::GetSystemResource("sys:logo"));
  ::Trace(::GetVisualThemeAttr("@TextColor", "BLACK"), ::GetFontName("Arial,-12,0,400,0,0,0,0,0"), ::GetVisualThemeAttr("@NoSuchName"), ::GetVisualThemesComment("NO_SUCH_THEME"));
  ::GetRGBColor(1, 2);
}
--- output
T
T
pump 3 failed
T
43
T
T
T
T
0
T
Start
T
33023
33023
33023
33023
0
#NOTHING#
Arial
#NOTHING#
c("GRAY_3D","GRAY2_3D","GRAY3_3D","GRAY","GRAY2","GRAY3","BLACK","BLACK2","BLACK3","WHITE","WHITE2","WHITE3","GREEN","ORANGE","BROWN")
#000000
#NOTHING#
#FFFFFF
Arial
#NOTHING#
#NOTHING#
Runtime Error : Function execution stops for GetRGBColor

=== a number format parser object for the script, the blink format names and the locale
event OnInitialize() {
  var p = ::GetNumberFormatParser("@NUMBER.2");
  ::Trace(IsObj(p), p.GetType(), p.GetBaseFormatName(), p.DecimalPlaces, IsObj(::GetNumberFormatParser()), ::GetNumberFormatParser("@NO_SUCH_FORMAT"));
  ::Trace(::GetBlinks(), StrLen(::GetLocale()) > 0);
  ::GetLocale(1);
}
--- output
T
number
@NUMBER
2
T
#NOTHING#
c("@FAST","@MEDIUM","@SLOW")
T
Runtime Error : Function execution stops for GetLocale

=== without a runtime the dialog functions answer F; a wrong number of arguments stops the script
function Try(n) {
  if (n == 1) { ::OpenYesNoMsg("Continue?"); }
  if (n == 2) { ::OpenModalPassword("a", "b"); }
  if (n == 3) { ::OpenNumKey(1, 2, 3); }
  if (n == 4) { ::OpenTextKeyEdit(); }
  if (n == 5) { ::OpenSearch("x"); }
  if (n == 6) { ::OpenFormMap(); }
  if (n == 7) { ::ShowDialog("d"); }
  if (n == 8) { ::SetDialogState("d", "sideways"); }
  if (n == 9) { ::GetDialogZOrder("d"); }
  if (n == 10) { ::OpenDialog("Detail", "", "", 0, 0, 100, 100, "center"); }
  return n;
}
event OnInitialize() {
  ::Trace(::OpenYesNoMsg("Continue?", "Title"), ::OpenModalNumKey(1, 0, 100, "Speed"), ::OpenNumKeyEdit(5), ::OpenCalendar(), ::OpenColor(1, 2, 3, 4, 5), ::CloseTextKey());
  ::Trace(::OpenDialog("Detail"), ::OpenModalDialog("Detail", "D1", "Title", 10, 20, 300, 200, "PARENT", "Desktop", "noframe", T, "FULL", "D1", "Reopen", "HIDE"), ::SetDialogState("d", "MAX", "hide"), ::CloseAllDialog());
  CallMethod("Try", 1); CallMethod("Try", 2); CallMethod("Try", 3); CallMethod("Try", 4); CallMethod("Try", 5);
  CallMethod("Try", 6); CallMethod("Try", 7); CallMethod("Try", 8); CallMethod("Try", 9); CallMethod("Try", 10);
}
--- output
F
F
F
F
F
F
F
F
F
F
Runtime Error : Function execution stops for OpenYesNoMsg
Runtime Error : Function execution stops for OpenModalPassword
Runtime Error : Function execution stops for OpenNumKey
Runtime Error : Function execution stops for OpenTextKeyEdit
Runtime Error : Function execution stops for OpenSearch
Runtime Error : Function execution stops for OpenFormMap
Runtime Error : Function execution stops for ShowDialog
Runtime Error : Function execution stops for SetDialogState
Runtime Error : Function execution stops for GetDialogZOrder
Runtime Error : Function execution stops for OpenDialog
