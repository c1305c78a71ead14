#include "check/project_capabilities.h"

#include "binds/bind_factory.h"
#include "binds/bind_script_parser_impl.h"
#include "binds/bind_text.h"
#include "binds/object_binder.h"
#include "binds/tag_parser_tokenizer.h"
#include "methods/builtin_methods.h"
#include "objects/object_tree.h"
#include "script/builtin_tables.h"
#include "script/tokenizer.h"
#include "support/utf16_text.h"

namespace {

// The functions whose target only shows when the script runs.
constexpr std::u16string_view kDynamicCalls[] = {u"CallMethod"};

// The family of the built-in function name in any table a script reaches; kNone when none.
CapabilityFamily FamilyOf(std::u16string_view name) {
  const CKVStandardTables& tables = CKVBuiltIns::GetStandardTables();
  for (const CKVMethodTable* table : {tables.root, tables.common, tables.math, tables.object}) {
    const MethodEntry* entry = FindMethodEntry(table, name);
    if (entry && entry->family != CapabilityFamily::kNone) return entry->family;
  }
  return CapabilityFamily::kNone;
}

// The names from below the root down to object.
std::u16string ObjectPath(const CNObject& object) {
  std::u16string path;
  for (const CNObject* at = &object; at && at->GetParent(); at = at->GetParent())
    path = path.empty() ? at->GetName() : at->GetName() + u"." + path;
  return path.empty() ? u"root" : path;
}

// The last part of a called name: "::SaveTextFile", "this.DeleteFile", ".Save" -> the function.
std::u16string_view CalledFunction(std::u16string_view name) {
  const size_t cut = name.find_last_of(u".:");
  return cut == std::u16string_view::npos ? name : name.substr(cut + 1);
}

// Keeps a call of function when a policy may refuse it or its target shows only at run time.
void RecordCall(std::u16string_view function, const CNObject& object, const std::u16string& context, uint32_t line,
                std::vector<CNCapabilityCall>& calls) {
  CapabilityFamily family = FamilyOf(function);
  bool dynamic = false;
  for (std::u16string_view name : kDynamicCalls) dynamic = dynamic || function == name;
  if (!dynamic && family == CapabilityFamily::kNone) return;
  if (dynamic) family = CapabilityFamily::kNone;
  calls.push_back({family, std::u16string(function), ObjectPath(object), context, line});
}

// The functions bind scripts call, as their compiler lists them; a bind that does not compile
// calls nothing.
void ScanBinds(const CNObject& object, std::vector<CNCapabilityCall>& calls) {
  for (const CNBindSection& section : GetBindSections(object)) {
    const std::u16string context = u"bind " + section.property;
    const CNBindTextSections sections = SplitBindText(section.text);
    for (const auto& [script, input] : {std::pair{&sections.input, true}, std::pair{&sections.output, false}}) {
      if (script->empty()) continue;
      const CRPtr<CNBindScriptParser> bind = MakeBindScriptParser(*script, input);
      const auto* compiled = dynamic_cast<const CNBindScriptParserImpl*>(bind.Get());
      if (!bind->Compile(*script) || !compiled) continue;
      for (const CBindFunction& function : compiled->GetProgram().functions) {
        uint32_t line = 0;
        uint32_t column = 0;
        CTagParserTokenizer::Locate(*script, function.position, line, column);
        RecordCall(CalledFunction(function.name), object, context, line, calls);
      }
    }
  }
}

void ScanScript(const CNObject& object, std::u16string_view script, std::vector<CNCapabilityCall>& calls) {
  CKVTokenizer tokenizer(script);
  CToken token;
  CToken previous;
  std::u16string pendingContext;  // "event NAME" once its name is read, until its body opens
  std::u16string context;
  uint32_t depth = 0;
  for (tokenizer.Next(token); token.kind != TK_END && token.kind != TK_ERROR; tokenizer.Next(token)) {
    if (previous.kind == TK_KEYWORD && (previous.text == u"event" || previous.text == u"function") &&
        token.kind == TK_NAME && depth == 0)
      pendingContext = previous.text + u" " + token.text;
    if (token.kind == TK_OPEN_BRACE && depth++ == 0) context = std::exchange(pendingContext, {});
    if (token.kind == TK_CLOSE_BRACE && depth > 0 && --depth == 0) context.clear();
    if (token.kind == TK_OPEN_PAREN && (previous.kind == TK_NAME || previous.kind == TK_MEMBER)) {
      RecordCall(CalledFunction(previous.text), object, context, tokenizer.GetLine(previous.start), calls);
    }
    std::swap(previous, token);
  }
}

void AppendSection(std::string& out, std::string_view title, CapabilityFamily family,
                   const std::vector<CNCapabilityCall>& calls) {
  out += std::string(title) + ":\n";
  bool any = false;
  for (const CNCapabilityCall& call : calls) {
    if (call.family != family) continue;
    any = true;
    out += "  " + Utf16ToUtf8(call.object) + ", " +
           (call.context.empty() ? "top" : Utf16ToUtf8(call.context)) + ", line " +
           std::to_string(call.line) + ": " + Utf16ToUtf8(call.function) + "\n";
  }
  if (!any) out += "  none\n";
}

}  // namespace

std::vector<CNCapabilityCall> FindCapabilityCalls(CNObject& root) {
  RegisterBuiltInMethods();
  std::vector<CNCapabilityCall> calls;
  WalkObjectTree(root, [&](CNObject& object) {
    if (!object.GetEvent().empty()) ScanScript(object, object.GetEvent(), calls);
    ScanBinds(object, calls);
    return true;
  });
  return calls;
}

std::string FormatCapabilityCalls(const std::vector<CNCapabilityCall>& calls) {
  std::string out;
  for (size_t i = 1; i <= kCapabilityFamilies; ++i) {
    const auto family = static_cast<CapabilityFamily>(i);
    AppendSection(out, CapabilityFamilyName(family), family, calls);
  }
  AppendSection(out, "dynamic", CapabilityFamily::kNone, calls);
  return out;
}
