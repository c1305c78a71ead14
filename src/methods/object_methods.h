#pragma once

#include "screen/pobject.h"
#include "script/method_table.h"

// The object methods beyond the tag methods (tag_methods.h). Methods that need a screen object
// fail on any other object. A method described as taking no arguments ignores any it is given.

// The screen object a method is called on; null for any other object.
inline CNPObject* TargetScreenObject(const CMethodCall& call) {
  return dynamic_cast<CNPObject*>(&call.target);
}

// ---- object_tree_methods.cpp
// "GetParentObj"(): the parent as an object value; the empty value for the root.
bool GetParentObj(CMethodCall& call);
// "GetThisObj"(): the object itself as an object value.
bool GetThisObj(CMethodCall& call);
// "CallMethod"(name, arguments...): runs the function of the object's script and returns its
// result; fails when the script has no such function. A function that fails reports its own
// error and gives the empty value.
bool CallMethod(CMethodCall& call);
// "CallEvent"(name, arguments...): fires the object's event handler of that name (nothing while
// "EnabledEvent" is false); true when a handler ran.
bool CallEvent(CMethodCall& call);
// "CallCommonEvent"(name[, value]): fires "OnCommonEvent"(name, value) on the object and then on
// every object below it, parents before children; the number of handlers that ran. Objects
// that a handler removes meanwhile are skipped.
bool CallCommonEvent(CMethodCall& call);

// ---- object_child_methods.cpp
// An object these methods hand to a script while no tree holds it (a copy, a detached child) is
// kept by the script host for the object the method was called on, until that object's script
// is removed or a script deletes the variable that holds it. A child argument is the child as
// an object value, its name or its index. Objects these methods attach are not started: the
// tree's owner hears of them (OnChildAdded) as of any added child.
// "CopyObj"([new name]): a copy of the object, attached nowhere: the same class, name (or the
// new name), persisted property values, custom properties with their values, bind and event
// texts, and copies of all its children. The empty value when a class cannot be made.
bool CopyObj(CMethodCall& call);
// "AttachObj"(object[, index]): makes a loose object (no parent, not the root of a document)
// a child of this one, at the end or before child index; false, changing nothing, for any other
// object, for this object or one above it (no cycles), and when a child has its name already.
bool AttachObj(CMethodCall& call);
// "DetachObj"(child): takes the child out of the tree without stopping or destroying it and
// answers it as an object value; the empty value when there is no such child.
bool DetachObj(CMethodCall& call);
// "AddObj"(class id[, name]): a new object of the class as the last child, answered as an
// object value. Without a name (or with an empty one) it is named after the class with the
// next free number ("Label01"). The empty value for an unknown class or a name a child has.
bool AddObj(CMethodCall& call);
// "DelObj"(child): stops the child and every screen object below it ("OnTerminate" for those
// that run; timers, animations and binds go), then removes it from the tree; false when there
// is no such child.
bool DelObj(CMethodCall& call);

// ---- object_property_methods.cpp
// "GetPropertyName"([index]): the name of property index (the class's properties first, then
// the custom ones), the empty value out of range; without an argument, the list of all names.
bool GetPropertyName(CMethodCall& call);
// "CopyProperty"(source object[, names]): copies the named properties, or without names every
// persisted property of this object that the source has too (except "Name"), from the source;
// the number of properties that took the source's value. Fails when source is no live object.
bool CopyProperty(CMethodCall& call);
// "GetBindScript"([property]): the bind script of the property, or without an argument the
// object's whole bind text.
bool GetBindScript(CMethodCall& call);
// "GetEventScript"(): the object's event script text.
bool GetEventScript(CMethodCall& call);
// "SetEventScript"(text): replaces the event script text; the running script stays until the
// object's script is next loaded (its form opened again).
bool SetEventScript(CMethodCall& call);

// ---- object_state_methods.cpp
// Rectangles are in form coordinates (groups do not shift their children); a point is inside
// when left <= x < right and top <= y < bottom.
// "HitTest"(x, y): whether the point lies inside the object's rectangle.
bool HitTest(CMethodCall& call);
// "Intersect"(object) or "Intersect"(left, top, right, bottom): whether the object's rectangle
// and the other overlap with an area greater than 0.
bool Intersect(CMethodCall& call);
// "GetAbsoluteRect"(): c(left, top, right, bottom).
bool GetAbsoluteRect(CMethodCall& call);
// "KillAllTimer"(): removes every timer of the object.
bool KillAllTimer(CMethodCall& call);
// "StartDrag"(), "StartDragX"(), "StartDragY"(): mouse moves move the object (along one axis
// for X and Y) until "StopDrag"(); "IsDrag"() tells whether a drag runs.
bool StartDrag(CMethodCall& call);
bool StartDragX(CMethodCall& call);
bool StartDragY(CMethodCall& call);
bool StopDrag(CMethodCall& call);
bool IsDrag(CMethodCall& call);
// "SetMouseCapture"(), "ReleaseMouseCapture"(): while captured, leaving the object is ignored.
bool SetMouseCapture(CMethodCall& call);
bool ReleaseMouseCapture(CMethodCall& call);
// "Animate"(names, ends, duration[, easing[, message]]): animates the properties (animation.h)
// to their end values over duration milliseconds. One name takes the whole end value; with a
// list of names, property i takes element i of ends. The easing is a curve index or name (an
// unknown one uses "easeOutExpo"). False, starting nothing, when a property cannot be animated
// or names and ends do not pair up.
bool Animate(CMethodCall& call);
// "StopAnimate"(): stops every animation where it stands.
bool StopAnimate(CMethodCall& call);
// "Redraw"(): asks the view to repaint the object.
bool Redraw(CMethodCall& call);
// The next methods take exactly the arguments shown. Those that go to the runtime hand it
// (IKVRuntime::Request, by the method's name) the object as an object value first, then the
// script's arguments; what the runtime answers is the result.
// "SetFocus"(): gives the object the input focus. Without a runtime (or when it declines) the
// other objects of the tree that hold the focus lose it ("OnFocusOut"), then the object gains it
// ("StFocusIn" true, "OnFocusIn") unless it has it already; true.
bool SetFocus(CMethodCall& call);
// "LostFocus"(): takes the focus away; without a runtime, "StFocusIn" false and "OnFocusOut"
// when the object had it; true.
bool LostFocus(CMethodCall& call);
// "BringToFront"(), "BringToBack"(): moves the object to the end (painted last, on top) or the
// start of its parent's children and asks for a repaint; false for an object without parent.
bool BringToFront(CMethodCall& call);
bool BringToBack(CMethodCall& call);
// "ShowToolTip"(text[, milliseconds]): shows the text as the object's tooltip, for that long
// or the runtime's usual time; F without a runtime.
bool ShowToolTip(CMethodCall& call);

// ---- object_bind_methods.cpp
// "SetBindScript"([property,] text): replaces the property's bind script (an empty text removes
// it; false when the object has no such property), or the whole bind text. A running object's
// binds follow the new text at once (a script that does not compile leaves the property
// unbound); others get it when their form opens.
bool SetBindScript(CMethodCall& call);
// "AddTag"(names...): attaches the tags (each argument a name or a list of names) to the
// object, so that their changes reach its "OnTagValueChanged"; true when every name gave a tag.
bool AddTag(CMethodCall& call);
// "DelTag"(names...): detaches them again; true when every name was attached.
bool DelTag(CMethodCall& call);
// "ClearAllTag"(): detaches every attached tag.
bool ClearAllTag(CMethodCall& call);
// A tag property is a custom property of a tag type ("tag_in", "tag_out", "tag_inout") whose
// value is a tag name.
// "GetTagProperty"(property): the value of the tag the property names; the empty value when it
//   is no tag property or names no tag.
bool GetTagProperty(CMethodCall& call);
// "SetTagProperty"(property, value): writes the value to the tag the property names (not for
//   "tag_in" properties); true when the tag took it.
bool SetTagProperty(CMethodCall& call);
// "WriteProperty"(property, value): sets the property and writes it through its output bind at
//   once, even while "MaskOutputBindTillInput" holds the bind back; true when the bind wrote.
bool WriteProperty(CMethodCall& call);
// "ReadProperty"(property): evaluates the property's input bind at once and answers the
//   property's value (its current value when it has no input bind).
bool ReadProperty(CMethodCall& call);

// ---- object_expression_methods.cpp (expressions are texts of the bind-script language)
// "AddExpression"(id, text): adds or replaces the expression with that id (a count).
bool AddExpression(CMethodCall& call);
// "GetExpressionValue"(id): its current value; the empty value when there is no expression with
// that id or it cannot be evaluated.
bool GetExpressionValue(CMethodCall& call);
// "DelExpression"(id): false when there is no expression with that id.
bool DelExpression(CMethodCall& call);
// "DelAllExpression"(): removes every expression.
bool DelAllExpression(CMethodCall& call);
