Tag methods of objects and the root's alias functions against the memory, alias and (offline or
stopped) panel-server tags.

=== an alias reads and writes its target and follows a new one
--- tags offline
event OnInitialize() {
  ::Trace(::GetAliasTag("@A"), ::SetAliasTag("@A", "$D1"), ::GetAliasTag("@A"));
  ::Trace(WriteVal("@A", 7), GetVal("$D1"), GetVal("@A"));
  ::Trace(::SetAliasTag("@A", "$D2"), GetVal("@A"), WriteVal("@A", 8), GetVal("$D2"), GetVal("$D1"));
  ::Trace(::SetAliasTag("", "$D3"), ::GetAliasTag("@B"), GetVal("@B"));
  ::SetAliasTag("@A");
}
--- output

T
$D1
T
7
7
T
0
T
8
7
F


Runtime Error : Function execution stops for SetAliasTag

=== requests write and read lists of tags and report missing ones
--- tags offline
event OnInitialize() {
  ::SetAliasTag("@A", "$D2");
  ::Trace(WriteRequest(c("@A", "$D3", "$S1"), c(5, 6)), GetVal(c("$D2", "$D3", "$S1")));
  ::Trace(WriteRequest("$#list", c(1, 2)), GetVal("$#list"), WriteRequest(c("$D4", "$D10000"), 1), GetVal("$D4"));
  ::Trace(WriteRequest("Plant.Temp", 21), ReadVal(c("Plant.Temp", "@A"), 1), ReadVal("$D3", 0, "more"));
  ::Trace(ReadRequest(c("$D1", "Plant.Temp")), ReadRequest("$D10000"), ReadRequestRefresh("@A", 2));
  ::Trace(ReadRefresh(), WriteRefresh("$D1", 1), WriteRequestRefresh("$D1", 1), ::RefreshTag(), ::RefreshTag("$D1"), ::GetTagLastError());
  ReadVal("$D1");
}
--- output
T
c(5,6,"5")
T
c(1,2)
F
1
T
c(21,5)
6
T
F
T
T
T
T
T
T

Runtime Error : Function execution stops for ReadVal

=== reads and writes of a stopped server fail with its error text
--- tags stopped
event OnInitialize() {
  ::Trace(ReadRequest("Plant.Temp"), ::GetTagLastError());
  ::Trace(WriteRequest("Plant.Temp", 1), ::GetTagLastError());
}
--- output
F
Not connected.
F
Fail to write. Not connected.

=== without a tag server the tag methods stop the script
function Try(n) {
  if (n == 1) { GetVal("$D1"); }
  if (n == 2) { ReadRequest("$D1"); }
  if (n == 3) { ReadRefresh(); }
  if (n == 4) { ::GetAliasTag("@A"); }
  if (n == 5) { ::GetTagLastError(); }
  ::Trace(n);
}
event OnInitialize() {
  CallMethod("Try", 1); CallMethod("Try", 2); CallMethod("Try", 3); CallMethod("Try", 4); CallMethod("Try", 5);
}
--- output
Runtime Error : Function execution stops for GetVal
Runtime Error : Function execution stops for ReadRequest
Runtime Error : Function execution stops for ReadRefresh
Runtime Error : Function execution stops for GetAliasTag
Runtime Error : Function execution stops for GetTagLastError
