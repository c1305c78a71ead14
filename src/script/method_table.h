#pragma once

#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CNConnectionSettings;
class CNObject;
class CNObjectRegistry;
class CNPLoginServer;
class CNPTagServer;
class CNValue;
class IKVRuntime;

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
};

// One call of a built-in method: the object it is called on (the root for global functions),
// the arguments by position, and the result, empty until the method sets it.
struct CMethodCall {
  CNObject& target;
  std::span<const CNValue* const> args;
  CNValue& result;
  IKVMethodHost& host;

  size_t Count() const { return args.size(); }
  const CNValue& Arg(size_t i) const { return *args[i]; }
};

// A method returns false when it fails (a wrong number of arguments, an argument of an unusable
// kind); the script then stops with "Function execution stops for " and the method's name.
using MethodFunction = bool (*)(CMethodCall& call);

struct MethodEntry {
  std::u16string_view name;
  MethodFunction function;
};

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
  std::span<const MethodEntry> GetEntries() const { return m_Entries; }

 private:
  std::span<const MethodEntry> m_Entries;
  mutable std::once_flag m_Built;
  mutable std::vector<std::pair<std::u16string_view, int32_t>> m_ByName;  // sorted by name
};
