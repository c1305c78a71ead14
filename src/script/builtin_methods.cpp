#include "script/builtin_methods.h"

#include "objects/edit_box.h"
#include "objects/object.h"
#include "script/formats/blink_format_parser.h"
#include "script/formats/number_format_parser.h"
#include "script/math_object.h"

namespace {

const MethodEntry* FindIn(const CKVMethodTable& table, std::u16string_view name) {
  const int32_t number = table.Find(name);
  return number < 0 ? nullptr : &table.GetEntry(number);
}

const CKVMethodTable& NumberFormatTable() {
  static const CKVMethodTable s_table(NumberFormatParserMethods());
  return s_table;
}

const CKVMethodTable& BlinkFormatTable() {
  static const CKVMethodTable s_table(BlinkFormatParserMethods());
  return s_table;
}

}  // namespace

const MethodEntry* CKVBuiltIns::Find(const CNObject& target, std::u16string_view name) const {
  // Objects with tables of their own answer from them wherever they are (one made by "new" has
  // no parent, yet it is not the root).
  const std::u16string_view clid = target.GetClassId();
  const MethodEntry* found = nullptr;
  if (clid == CNPMath::kClassId) {
    found = FindIn(MathMethods(), name);
  } else if (clid == CNPNumberFormatParser::kClassId) {
    found = FindIn(NumberFormatTable(), name);
  } else if (clid == CNPBlinkFormatParser::kClassId) {
    found = FindIn(BlinkFormatTable(), name);
  } else if (dynamic_cast<const CNPEditBox*>(&target)) {
    found = FindIn(EditBoxMethods(), name);
  } else if (!target.GetParent()) {
    for (auto table = m_GlobalTables.rbegin(); !found && table != m_GlobalTables.rend(); ++table)
      found = FindIn(**table, name);
    if (!found) found = FindIn(RootMethods(), name);
    if (!found) found = FindIn(CommonMethods(), name);
    if (!found) found = FindIn(MathMethods(), name);
  }
  return found ? found : FindIn(ObjectMethods(), name);
}
