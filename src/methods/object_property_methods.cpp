// The object methods over property names and the object's script texts.
#include <string>
#include <vector>

#include "methods/method_args.h"
#include "methods/object_methods.h"

namespace {

// The names "CopyProperty" copies without a list: this object's persisted properties but "Name".
std::vector<std::u16string> CopiedByDefault(const CNObject& object) {
  std::vector<std::u16string> names;
  for (uint32_t i = 0; i < object.GetPropertyCount(); ++i) {
    const PropertyInfo* info = object.GetPropertyInfo(i);
    const std::u16string_view name = object.GetPropertyName(i);
    if (info && info->persisted && name != u"Name") names.emplace_back(name);
  }
  return names;
}

}  // namespace

bool GetPropertyName(CMethodCall& call) {
  if (!ArgCountIn(call, 0, 1)) return false;
  const CNObject& object = call.target;
  const uint32_t count = object.GetPropertyCount();
  if (call.Count() == 1) {
    const int32_t index = ArgInt32(call.Arg(0));
    if (index >= 0 && static_cast<uint32_t>(index) < count)
      call.result.SetString(object.GetPropertyName(index));
    return true;
  }
  if (count == 0 || !call.result.SetDimensions(1, &count)) return true;
  for (uint32_t i = 0; i < count; ++i) call.result.SetStringAt(i, object.GetPropertyName(i));
  return true;
}

bool CopyProperty(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 2)) return false;
  const CNObject* source = ArgObject(call.Arg(0));
  if (!source) return false;
  const std::vector<std::u16string> names =
      call.Count() > 1 ? ArgNames(call.Arg(1)) : CopiedByDefault(call.target);
  uint32_t copied = 0;
  for (const std::u16string& name : names) {
    CNValue value;
    if (source->GetProperty(name, value) && call.target.SetProperty(name, value)) ++copied;
  }
  call.result.SetNumber(copied);
  return true;
}

bool GetBindScript(CMethodCall& call) {
  if (!ArgCountIn(call, 0, 1)) return false;
  call.result.SetString(call.Count() == 1 ? call.target.GetBindSection(ArgText(call.Arg(0)))
                                          : call.target.GetBind());
  return true;
}

bool GetEventScript(CMethodCall& call) {
  call.result.SetString(call.target.GetEvent());
  return true;
}

bool SetEventScript(CMethodCall& call) {
  if (call.Count() != 1) return false;
  call.target.SetEvent(ArgText(call.Arg(0)));
  call.result.SetBool(true);
  return true;
}
