#pragma once

#include "screen/pobject.h"

// Which object of a form takes the operator's mouse input at a point.
//
// The topmost visible object whose hit test takes the point wins: children are searched last
// drawn first (reverse child order), and a group's children before the group itself, wherever
// they lie (a group does not clip them). So an object inside a group takes the input over the
// group, and the group takes it only where none of its children is, unless its children do not
// take input: an object whose "Enabled" or "EnabledInput" is false passes the input to the group
// (or form) holding it, as do all objects inside it. Where no object is, the form takes it.
// Hidden objects, and everything inside them, are passed over.

// The object that takes input at `at` (form coordinates); null when the form itself does not
// take input.
CNPObject* FindInputTarget(CNPObject& form, const CNPoint& at);

// Whether object takes input: its "Enabled" and "EnabledInput" (true when it has none).
bool TakesInput(const CNPObject& object);

// Whether object and every group around it up to form are visible; false when object is no
// longer in form.
bool IsShownWithin(const CNPObject& object, const CNPObject& form);

// Whether object and every group around it up to form are visible and take input: an object
// that stopped taking input (a bind disabled it while it held the mouse) gets no more events.
bool TakesInputWithin(const CNPObject& object, const CNPObject& form);
