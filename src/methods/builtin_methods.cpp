#include "methods/builtin_methods.h"

#include <mutex>

#include "editing/edit_box.h"
#include "formats/blink_format_parser.h"
#include "formats/number_format_parser.h"
#include "methods/math_object.h"
#include "methods/root_data.h"
#include "objects/object.h"

namespace {

template <class T>
bool HasClassId(const CNObject& target) {
  return target.GetClassId() == T::kClassId;
}

bool IsEditBox(const CNObject& target) { return dynamic_cast<const CNPEditBox*>(&target) != nullptr; }

}  // namespace

void RegisterBuiltInMethods() {
  static std::once_flag s_registered;
  std::call_once(s_registered, [] {
    SetMethodErrorSink(&SetRootLastError);  // a refused call's text, for "GetLastError"
    CKVBuiltIns::RegisterStandardTables({&RootMethods(), &CommonMethods(), &MathMethods(), &ObjectMethods()});
    static const CKVMethodTable s_numberFormat(NumberFormatParserMethods());
    static const CKVMethodTable s_blinkFormat(BlinkFormatParserMethods());
    CKVBuiltIns::RegisterClassTable(HasClassId<CNPMath>, MathMethods());
    CKVBuiltIns::RegisterClassTable(HasClassId<CNPNumberFormatParser>, s_numberFormat);
    CKVBuiltIns::RegisterClassTable(HasClassId<CNPBlinkFormatParser>, s_blinkFormat);
    CKVBuiltIns::RegisterClassTable(IsEditBox, EditBoxMethods());
  });
}
