// The methods of edit boxes; other names go on to the object methods.
#include <array>

#include "editing/edit_box.h"
#include "methods/builtin_methods.h"
#include "methods/method_args.h"

namespace {

CNPEditBox* TargetEditBox(const CMethodCall& call) {
  return dynamic_cast<CNPEditBox*>(&call.target);
}

// "SetSel"(start, end): selects the range in the open editor, or keeps it for the next one.
bool SetSel(CMethodCall& call) {
  CNPEditBox* box = TargetEditBox(call);
  if (!box || call.Count() != 2) return false;
  box->SetSel(ArgInt32(call.Arg(0)), ArgInt32(call.Arg(1)));
  call.result.SetBool(true);
  return true;
}

// "MoveCursor"(direction[, count]): "left" or "right" by count characters (0, the default: to
// the start or the end); false without an open editor.
bool MoveCursor(CMethodCall& call) {
  CNPEditBox* box = TargetEditBox(call);
  if (!box || !ArgCountIn(call, 1, 2)) return false;
  const int32_t count = call.Count() > 1 ? ArgInt32(call.Arg(1)) : 0;
  call.result.SetBool(box->MoveCursor(ArgText(call.Arg(0)), count));
  return true;
}

// "Enter"(any): commits the open editor as the Enter key does; false when refused or closed.
// The argument is required and not read.
bool Enter(CMethodCall& call) {
  CNPEditBox* box = TargetEditBox(call);
  if (!box || call.Count() != 1) return false;
  call.result.SetBool(box->Enter());
  return true;
}

// "LoadTextFile"(path), "SaveTextFile"(path).
bool LoadTextFile(CMethodCall& call) {
  CNPEditBox* box = TargetEditBox(call);
  if (!box || call.Count() != 1) return false;
  call.result.SetBool(box->LoadTextFile(ArgText(call.Arg(0))));
  return true;
}

bool SaveTextFile(CMethodCall& call) {
  CNPEditBox* box = TargetEditBox(call);
  if (!box || call.Count() != 1) return false;
  call.result.SetBool(box->SaveTextFile(ArgText(call.Arg(0))));
  return true;
}

constexpr std::array kEditBoxMethods = {
    MethodEntry{u"SetSel", "Selects a range of the text being edited", &SetSel},
    MethodEntry{u"MoveCursor", "Moves the caret of the open editor left or right", &MoveCursor},
    MethodEntry{u"Enter", "Commits the open editor as the Enter key does", &Enter},
    MethodEntry{u"LoadTextFile", "Loads the box's text from a file", &LoadTextFile},
    MethodEntry{u"SaveTextFile", "Saves the box's text to a file", &SaveTextFile},
};

}  // namespace

const CKVMethodTable& EditBoxMethods() {
  static const CKVMethodTable s_table(kEditBoxMethods);
  return s_table;
}
