#include "browser/project_capabilities.h"

#include "binds/object_binder.h"
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

bool IsNameCharacter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' || c == u'.';
}

// Bind scripts call built-in functions as "::Name(" or "::Math.Name("; texts in quotes are
// passed over.
void ScanBinds(const CNObject& object, std::vector<CNCapabilityCall>& calls) {
  for (const CNBindSection& section : GetBindSections(object)) {
    const std::u16string_view text = section.text;
    const std::u16string context = u"bind " + section.property;
    uint32_t line = 1;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
      const char16_t c = text[i];
      if (c == u'\n') ++line;
      if (quoted) {
        if (c == u'\\') ++i;
        else if (c == u'"') quoted = false;
        continue;
      }
      if (c == u'"') quoted = true;
      if (c != u':' || i + 1 >= text.size() || text[i + 1] != u':') continue;
      size_t end = i + 2;
      while (end < text.size() && IsNameCharacter(text[end])) ++end;
      if (end < text.size() && text[end] == u'(')
        RecordCall(CalledFunction(text.substr(i + 2, end - i - 2)), object, context, line, calls);
      i = end - 1;
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
