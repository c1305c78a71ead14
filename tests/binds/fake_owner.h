// An owner for binds under test: names are entries of a map, writes and calls are recorded.
// Functions go to the real built-in tables the way the object model routes them ("Math." to
// the math table, anything else to the common table, a leading "::" dropped), except two of
// the tests' own: "Args" answers its argument count and "Fail" always fails.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "binds/bind_script_parser.h"
#include "controls/form.h"
#include "methods/builtin_methods.h"
#include "support/utf16_text.h"

class CFakeOwner : public CNBindScriptParser::ConnectionPoint, public IKVMethodHost {
 public:
  CFakeOwner() { RegisterBuiltInMethods(); }

  struct Subscription {
    std::u16string name;
    uint32_t direction;
  };

  bool Subscribe(CNBindScriptParser*, std::u16string_view name, uint32_t direction, uint32_t& handle,
                 void*) override {
    if (refused.count(std::u16string(name))) return false;
    handle = static_cast<uint32_t>(handles.size()) + 100;
    handles.emplace_back(name);
    subscribed.push_back({std::u16string(name), direction});
    return true;
  }
  bool Unsubscribe(CNBindScriptParser*, uint32_t handle, void*) override {
    unsubscribed.push_back(NameOf(handle));
    return true;
  }
  bool Read(CNBindScriptParser*, uint32_t handle, void*, CNValue& value) override {
    const auto found = values.find(NameOf(handle));
    if (found == values.end()) return false;
    value.Assign(found->second);
    return true;
  }
  bool Write(CNBindScriptParser*, uint32_t handle, const CNValue& value) override {
    const std::u16string name = NameOf(handle);
    writes.emplace_back(name, value);
    if (readOnly.count(name)) return false;
    values[name] = value;
    return true;
  }
  bool Call(CNBindScriptParser*, std::u16string_view function, std::span<const CNValue* const> args,
            CNValue& result, uint32_t) override {
    lastArgs.clear();
    for (const CNValue* arg : args) lastArgs.push_back(*arg);
    if (function == u"Fail") return false;
    if (function == u"Args") {
      result.SetNumber(static_cast<double>(args.size()));
      return true;
    }
    if (function.starts_with(u"::")) function.remove_prefix(2);
    const bool math = StartsWithIgnoreCaseAscii(function, u"Math.");
    if (math) function.remove_prefix(5);
    const CKVMethodTable& table = math ? MathMethods() : CommonMethods();
    const int32_t number = table.Find(function);
    if (number < 0) return false;
    CMethodCall call{m_Root, args, result, *this};
    return table.GetEntry(number).function(call);
  }
  void TraceValue(const CNValue&) override {}

  void Set(const std::u16string& name, double number) { values[name].SetNumber(number); }
  void Set(const std::u16string& name, std::u16string_view text) { values[name].SetString(text); }

  std::map<std::u16string, CNValue> values;
  std::set<std::u16string> refused;
  std::set<std::u16string> readOnly;
  std::vector<Subscription> subscribed;
  std::vector<std::u16string> unsubscribed;
  std::vector<std::pair<std::u16string, CNValue>> writes;
  std::vector<CNValue> lastArgs;

 private:
  std::u16string NameOf(uint32_t handle) const {
    return handle >= 100 && handle - 100 < handles.size() ? handles[handle - 100] : std::u16string();
  }

  std::vector<std::u16string> handles;
  CNPForm m_Root;
};

// The literal text of a value, for comparisons: 7, T, "abc", #NOTHING#.
inline std::string Literal(const CNValue& value) {
  return Utf16ToUtf8(value.ToLiteral(false));
}
