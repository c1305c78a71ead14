#pragma once

#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "script/capability_policy.h"

class CNConnectionSettings;
class CNObject;
class CNObjectRegistry;
class CNPLoginServer;
class CNPTagServer;
class CNValue;
class IKVRuntime;
struct MethodEntry;

// Services of the script engine that built-in methods use.
class IKVMethodHost {
 public:
  virtual ~IKVMethodHost() = default;
  // "Trace" hands each of its arguments here.
  virtual void TraceValue(const CNValue& value) = 0;
  // The tags scripts read and write; null when the host has none.
  virtual CNPTagServer* GetTagServer() { return nullptr; }
  // The login and server functions: the project's login to the panel server (its login stub),
  // with the connection settings and owner identifier a login from a script uses; null when
  // the host has none, and those functions fail.
  virtual CNPLoginServer* GetLoginServer(CNConnectionSettings*& /*settings*/, uint32_t& /*ownerId*/) {
    return nullptr;
  }
  // "GetDisplaySize": the size in pixels of the display the host shows its windows on; false
  // when there is none (a headless run), and the function answers no value.
  virtual bool GetDisplaySize(uint32_t& /*width*/, uint32_t& /*height*/) { return false; }
  // "SetClipboardData", "GetClipboardData": a host with a real clipboard puts the text there
  // or reads it and answers true. Without one (false) the text is kept for this process only.
  virtual bool SetClipboardText(std::u16string_view /*text*/) { return false; }
  virtual bool GetClipboardText(std::u16string& /*text*/) { return false; }
  // "BrowseFolder": lets the operator choose a folder, starting in start (empty: anywhere);
  // false when the choice was cancelled or the host has no way to ask.
  virtual bool BrowseFolder(std::u16string_view /*title*/, std::u16string_view /*start*/,
                            std::u16string& /*folder*/) {
    return false;
  }
  // The project runtime the view, dialog and window functions reach (runtime_host.h); null when
  // the host has none, and those functions answer F or the empty value.
  virtual IKVRuntime* GetRuntime() { return nullptr; }
  // The registry "AddObj" and "CopyObj" make objects with; null when the host has none, and
  // those methods answer the empty value.
  virtual CNObjectRegistry* GetObjectRegistry() { return nullptr; }
  // Keeps an object that "CopyObj" or "DetachObj" hands to a script while no tree holds it: the
  // host takes a reference of its own for keeper (the object the method was called on) and
  // lets go when keeper's script is removed or a script deletes a variable holding it, as for
  // objects made with "new". False when the host keeps nothing; those methods then answer the
  // empty value and change nothing.
  virtual bool KeepObject(CNObject* /*keeper*/, CNObject* /*object*/) { return false; }
  // Whether the site's policy lets the running project call entry (of a capability family) from
  // a script of caller. A host that refuses traces the refusal.
  virtual bool MayCall(const MethodEntry& /*entry*/, const CNObject& /*caller*/) { return true; }
};

// One call of a built-in method: the object it is called on (the root for global functions),
// the arguments by position, and the result, empty until the method sets it.
struct CMethodCall {
  CNObject& target;
  std::span<const CNValue* const> args;
  CNValue& result;
  IKVMethodHost& host;
  const CNObject* caller = nullptr;  // the owner of the calling script; null: target

  size_t Count() const { return args.size(); }
  const CNValue& Arg(size_t i) const { return *args[i]; }
};

// A method returns false when it fails (a wrong number of arguments, an argument of an unusable
// kind); the script then stops with "Function execution stops for " and the method's name.
using MethodFunction = bool (*)(CMethodCall& call);

// What a function answers when it cannot do its work (no runtime, or the runtime declines).
enum class MethodFailure : uint8_t {
  kStops,    // the call fails and the script stops
  kFalse,    // F: the function does something
  kNothing,  // the empty value: the function asks for something
};

inline constexpr uint8_t kAnyArgs = 0xFF;  // no upper limit of arguments

// The work of a function that the project runtime does, bound to the function's entry by the
// runtime at start-up (CKVBuiltIns::BindRuntimeHandler); runtime is the one that asks.
using RuntimeHandler = bool (*)(IKVRuntime& runtime, std::span<const CNValue* const> args, CNValue& result);

// One built-in function: its name, a line that says what it does (the reference prints it), its
// implementation, the arguments it takes and what it answers when it cannot work. An entry
// without a range (0 to kAnyArgs) checks its arguments in its function.
struct MethodEntry {
  std::u16string_view name;
  std::string_view description;
  MethodFunction function;
  uint8_t minArgs = 0;
  uint8_t maxArgs = kAnyArgs;
  MethodFailure failure = MethodFailure::kStops;
  CapabilityFamily family = CapabilityFamily::kNone;  // what the site's policy may refuse

  constexpr bool Accepts(size_t count) const {
    return count >= minArgs && (maxArgs == kAnyArgs || count <= maxArgs);
  }
};

// The entry of a function the site's policy may refuse: its family, the arguments it takes and
// what it answers when refused (or when it cannot work).
constexpr MethodEntry GuardedMethod(std::u16string_view name, std::string_view description,
                                    MethodFunction function, CapabilityFamily family, uint8_t minArgs,
                                    uint8_t maxArgs, MethodFailure failure = MethodFailure::kFalse) {
  return {name, description, function, minArgs, maxArgs, failure, family};
}

// The answer of a function that could not do its work, as its entry says: F or the empty value
// in result (true), or a failed call that stops the script (false).
bool AnswerFailure(const MethodEntry& entry, CNValue& result);

// Runs entry's function for call. When the host's policy refuses the entry's family, the
// function does not run: the call gets the entry's failure answer and the text "Denied by
// policy: FAMILY" goes where the function's errors go (SetMethodErrorSink).
// A count outside the entry's range fails before anything else.
bool InvokeMethod(const MethodEntry& entry, CMethodCall& call);

// Where InvokeMethod leaves the text of a refusal ("GetLastError"); set once at start-up by the
// layer that keeps the functions' error texts.
using MethodErrorSink = void (*)(CMethodCall& call, std::u16string_view text);
void SetMethodErrorSink(MethodErrorSink sink);

// One built-in method table. A method's number is its position in the list (aliases have
// entries of their own); the map from name to number is built on first use.
class CKVMethodTable {
 public:
  explicit CKVMethodTable(std::span<const MethodEntry> entries) : m_Entries(entries) {}
  CKVMethodTable(const CKVMethodTable&) = delete;
  CKVMethodTable& operator=(const CKVMethodTable&) = delete;

  // The method's number; -1 when the table has none of that name (names compare exactly).
  int32_t Find(std::u16string_view name) const;
  const MethodEntry& GetEntry(int32_t number) const { return m_Entries[static_cast<size_t>(number)]; }
  size_t Size() const { return m_Entries.size(); }

  // The runtime's handler of an entry: bound once at start-up, before any script runs; false
  // when the table has no entry of that name.
  bool BindHandler(std::u16string_view name, RuntimeHandler handler) const;
  // Null when none is bound.
  RuntimeHandler GetHandler(int32_t number) const;
  std::span<const MethodEntry> GetEntries() const { return m_Entries; }

 private:
  std::span<const MethodEntry> m_Entries;
  mutable std::vector<RuntimeHandler> m_Handlers;  // by number, filled by BindHandler
  mutable std::once_flag m_Built;
  mutable std::vector<std::pair<std::u16string_view, int32_t>> m_ByName;  // sorted by name
};
