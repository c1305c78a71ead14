Object methods: the tree, calls into scripts, properties, rectangles and object state.

=== the object itself, its parent and its rectangle in form coordinates
event OnInitialize() {
  Left = 10; Top = 20; Width = 30; Height = 40;
  var me = GetThisObj();
  var up = GetParentObj();
  var top = up.GetParentObj();
  ::Trace(me.Name, up.Name, top.Name, top.GetParentObj(), GetAbsoluteRect());
  ::Trace(HitTest(10, 20), HitTest(39, 59), HitTest(40, 20), HitTest(10, 60));
  ::Trace(Intersect(39, 59, 100, 100), Intersect(40, 0, 100, 100), Intersect(100, 100, 0, 0), Intersect(5, 5, 5, 100));
  var other = parent.lblCalendar1;
  other.Left = 35; other.Top = 0; other.Width = 10; other.Height = 21;
  ::Trace(Intersect(other));
  Intersect(1, 2);
}
--- output
Button1
Form1
Root
#NOTHING#
c(10,20,40,60)
T
T
F
F
T
F
T
F
T
Runtime Error : Function execution stops for Intersect

=== CallMethod runs a function of an object's script (a failing one gives nothing); CallEvent and CallCommonEvent fire handlers
function Twice(v) { return v * 2; }
function Deeper(n) { return CallMethod("Deeper", n + 1); }
event OnMouseDown(button) { ::Trace("down " & CStr(button)); }
event OnCommonEvent(name, value) { ::Trace(Name & " heard " & name & " " & CStr(value)); }
event OnInitialize() {
  parent.lblCalendar1.CallMethod("mSetValue", 5);
  ::Trace(CallMethod("Twice", 21), parent.lblCalendar1.CallMethod("mGetValue"), parent.lblCalendar1.Text);
  ::Trace(CallEvent("OnMouseDown", 3), CallEvent("OnMouseUp", 1));
  ::Trace(parent.CallCommonEvent("reload", 7), CallCommonEvent("self", 0));
  ::Trace(CallMethod("Deeper", 0), "after");
  CallMethod("Missing");
}
--- output
42
5
day 5
down 3
T
F
Button1 heard reload 7
Button1 heard self 0
1
1
Runtime Error : Function execution stops for Deeper
#NOTHING#
after
Runtime Error : Function execution stops for CallMethod

=== property names, copies of properties, and the object's bind and event texts
event OnInitialize() {
  var names = GetPropertyName();
  ::Trace(GetPropertyName(0), names[0], GetValueTotalElement(names) > 10, GetPropertyName(-1), GetPropertyName(100000));
  Text = "copied"; Width = 77;
  var other = parent.lblCalendar1;
  ::Trace(other.CopyProperty(this, c("Text", "Width", "NoSuch")), other.Text, other.Width);
  Left = 3;
  ::Trace(other.CopyProperty(this) > 5, other.Name, other.Left);
  ::Trace(SetBindScript("Text", "$D1"), SetBindScript("NoSuch", "x"), GetBindScript("Text"), GetBindScript());
  ::Trace(SetBindScript(""), GetBindScript());
  ::Trace(SetEventScript("function f() {}"), GetEventScript());
  CopyProperty(5);
}
--- output
Name
Name
T
#NOTHING#
#NOTHING#
2
copied
77
T
lblCalendar1
3
T
F
$D1
[Text]$D1
T

T
function f() {}
Runtime Error : Function execution stops for CopyProperty

=== timers, drag, mouse capture, animations, redraw and expressions
event OnAnimateStart(msg) { ::Trace("start " & msg); }
event OnAnimateDone(state, msg) { ::Trace(state & " " & msg); }
event OnInitialize() {
  SetTimer(1, 100); SetTimer(2, 100);
  ::Trace(KillAllTimer(), KillTimer(1), KillTimer(2));
  ::Trace(IsDrag(), StartDragX(), IsDrag(), StopDrag(), IsDrag(), StartDragY(), IsDrag(), StopDrag());
  ::Trace(SetMouseCapture(), ReleaseMouseCapture(), Redraw());
  ::Trace(Animate("Width", 90, 0, "linear", "grow"), Animate(c("Width", "Text"), c(1, 2), 100),
          Animate(c("Width", "Height"), c(1), 100), StopAnimate());
  ::Trace(AddExpression(1, "$D1 + 1"), GetExpressionValue(1), GetExpressionValue(2), DelExpression(1),
          DelExpression(1), DelAllExpression());
  Animate("Width", 1);
}
--- output
T
F
F
F
T
T
T
F
T
T
T
T
T
T
start grow
STOP grow
T
F
F
T
T
#NOTHING#
#NOTHING#
T
F
T
Runtime Error : Function execution stops for Animate

=== AddObj, CopyObj, AttachObj, DetachObj and DelObj keep names and counts right
event OnInitialize() {
  var made = parent.AddObj("Label", "Extra");
  ::Trace(made.Name, parent.GetChildObjCount());
  ::Trace(parent.AddObj("Label", "Extra"), parent.AddObj("NoSuchClass", "X"));
  var first = parent.AddObj("Label"); var second = parent.AddObj("Label", "");
  ::Trace(first.Name, second.Name);
  made.Text = "hello";
  var copy = made.CopyObj("Copy1");
  ::Trace(copy.Name, copy.Text, copy.GetParentObj(), parent.GetChildObjCount());
  ::Trace(parent.AttachObj(copy, 0), parent.AttachObj(copy), parent.GetChildObj(0) == copy);
  var twin = made.CopyObj();
  ::Trace(twin.Name, parent.AttachObj(twin));
  var out = parent.DetachObj("Extra");
  ::Trace(out.Name, out.GetParentObj(), parent.DetachObj("Extra"), parent.GetChildObjCount());
  ::Trace(parent.AttachObj(out, 99), parent.GetChildObj(parent.GetChildObjCount() - 1) == out);
  ::Trace(parent.DelObj(copy), parent.DelObj("Copy1"), parent.DelObj("Label01"), parent.DelObj(99));
  ::Trace(made.DelObj("Button1"), parent.GetChildObjCount());
  for (var i = 0; i < parent.GetChildObjCount(); i++) { var child = parent.GetChildObj(i); ::Trace(child.Name); }
}
--- output
Extra
3
#NOTHING#
#NOTHING#
Label01
Label02
Copy1
hello
#NOTHING#
5
T
F
T
Extra
F
Extra
#NOTHING#
#NOTHING#
5
T
T
T
F
T
F
F
4
Button1
lblCalendar1
Label02
Extra

=== AttachObj refuses cycles, members of the tree and document roots
event OnInitialize() {
  var top = parent.GetParentObj();
  var loose = top.DetachObj("Form1");
  ::Trace(top.GetChildObjCount(), loose.GetParentObj());
  ::Trace(AttachObj(loose), loose.AttachObj(loose), parent.lblCalendar1.AttachObj(loose));
  ::Trace(loose.AttachObj(top), AttachObj(parent.lblCalendar1), AttachObj(42));
  ::Trace(top.AttachObj(loose), loose.GetParentObj() == top, top.GetChildObjCount());
}
--- output
1
#NOTHING#
F
F
F
F
F
F
T
T
2

=== restacking moves an object within its parent only
event OnInitialize() {
  var me = GetThisObj();
  ::Trace(BringToFront(), parent.GetChildObj(1) == me, BringToFront(), parent.GetChildObj(1) == me);
  ::Trace(BringToBack(), parent.GetChildObj(0) == me);
  var top = parent.GetParentObj();
  ::Trace(top.BringToFront());
  BringToBack(1);
}
--- output
T
T
T
T
T
T
F
Runtime Error : Function execution stops for BringToBack
