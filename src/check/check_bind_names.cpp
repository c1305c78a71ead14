// The names a bind text uses: the properties it binds, the functions it calls, the tags it
// reads and writes.
#include <algorithm>
#include <string>

#include "binds/bind_factory.h"
#include "binds/bind_function_call.h"
#include "binds/bind_names.h"
#include "binds/bind_script_parser_impl.h"
#include "binds/bind_text.h"
#include "binds/object_binder.h"
#include "binds/tag_parser_tokenizer.h"
#include "check/check_names.h"
#include "check/check_suggest.h"
#include "objects/object.h"

namespace {

struct Located {
  int32_t line;
  int32_t column;
};

Located Locate(std::u16string_view script, uint32_t position) {
  uint32_t line = 0;
  uint32_t column = 0;
  CTagParserTokenizer::Locate(script, position, line, column);
  return {static_cast<int32_t>(line), static_cast<int32_t>(column)};
}

}  // namespace

void CNNameCheck::CheckBinds(const CNObject& object) {
  const std::vector<std::u16string_view> properties = GetBindSectionNames(object.GetBind());
  for (auto at = properties.begin(); at != properties.end(); ++at) {
    const std::u16string_view property = *at;
    if (std::find(properties.begin(), at, property) != at) continue;  // the first one counts
    if (object.FindPropertyIndex(property) < 0) {
      CNNearestName nearest(property);
      for (uint32_t i = 0; i < object.GetPropertyCount(); ++i) nearest.Offer(object.GetPropertyName(i));
      Add("unknown-bind-property", object, property, 0, 0,
          u"no property of " + std::u16string(object.GetClassId()) + u"; the bind is ignored" +
              nearest.Hint());
      continue;
    }
    const CNBindTextSections sections = SplitBindText(object.GetBindSection(property));
    for (const auto& [script, input] :
         {std::pair{&sections.input, true}, std::pair{&sections.output, false}}) {
      if (script->empty()) continue;
      const CRPtr<CNBindScriptParser> bind = MakeBindScriptParser(*script, input);
      if (!bind->Compile(*script)) {
        const CTagParserCompilerError& error = bind->GetError();
        Add("bind-syntax", object, property, static_cast<int32_t>(error.GetLine()),
            static_cast<int32_t>(error.GetColumn()), error.GetMessage());
        break;
      }
      const auto* compiled = dynamic_cast<const CNBindScriptParserImpl*>(bind.Get());
      if (!compiled) {  // a bind of one name
        std::vector<std::u16string> names;
        bind->GetNames(names);
        for (const std::u16string& name : names)
          if (!IsOwnPropertyName(name)) UseTag(name, object, property, 1, 0);
        continue;
      }
      const CBindProgram& program = compiled->GetProgram();
      for (const CBindFunction& function : program.functions) {
        if (FindBindFunction(function.name)) continue;
        const Located at = Locate(*script, function.position);
        Add("unknown-function", object, property, at.line, at.column, u"no function " + function.name);
      }
      for (const CBindName& name : program.names) {
        if (IsOwnPropertyName(name.name)) continue;
        const Located at = Locate(*script, name.position);
        UseTag(name.name, object, property, at.line, at.column);
      }
    }
  }
}
