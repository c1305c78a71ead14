#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "binds/bind_script_parser.h"
#include "objects/bind_links.h"
#include "values/tag_listener.h"

class CNPObject;
class CNPTag;
class CNPTagServer;
class IKVMethodHost;

// What an object's binds need from the project: the tags, the host of the global functions
// and the default watch value of output binds.
struct CNBindEnvironment {
  CNPTagServer* tags = nullptr;   // null: tag names do not resolve
  IKVMethodHost* host = nullptr;  // null: functions run with a host that traces nowhere
  uint16_t defaultWatch = 5;
};

// The bind scripts of one screen object and the object's side of them: it resolves the names
// the scripts use ("$Name$" is the object's own property Name, every other name a tag), holds
// the tags, hears their changes, runs the global functions the scripts call, and stores input
// results in the properties.
//
// Input binds are evaluated on the refresh tick once something they read changed; a bind that
// reads a property of its own object is due again when that property changes. Output binds
// write when the operator changes their property. The carried options mean:
// - ONLYFIRSTIN: the input bind stores its first value only; afterwards the property is the
//   operator's.
// - watch (output binds): for that many refresh ticks after the output bind wrote, the
//   property's input bind does not overwrite the operator's value; what changed meanwhile is
//   applied when the time is up.
// - "MaskOutputBindTillInput" (a property of the object): the output bind of a property that
//   also has an input bind does not write before the input bind stored a value once, so that
//   the value loaded with the form never reaches the tag.
class CNPObjectBinds final : public CNObjectBinds,
                             public CNBindScriptParser::ConnectionPoint,
                             public CNPTagServerConnectionPoint {
 public:
  CNPObjectBinds(CNPObject& object, const CNBindEnvironment& environment);
  ~CNPObjectBinds() override;
  CNPObjectBinds(const CNPObjectBinds&) = delete;
  CNPObjectBinds& operator=(const CNPObjectBinds&) = delete;

  // Compiles and connects the property's binds from its bind text (the part after "[Name]"),
  // replacing those it had; false, keeping nothing for the property, when a script did not
  // compile or connect. error (when given) receives the first failure.
  bool Bind(std::u16string_view property, std::u16string_view text, CTagParserCompilerError* error = nullptr);
  // Drops the property's binds; false when it had none.
  bool Unbind(std::u16string_view property);
  uint32_t GetInputCount() const { return static_cast<uint32_t>(m_inputs.size()); }
  uint32_t GetOutputCount() const { return static_cast<uint32_t>(m_outputs.size()); }
  // The watch value stored for the property's output bind; 0 when it has none.
  uint16_t GetWatch(std::u16string_view property) const;

  // Evaluates the property's input bind now and stores its value; false when it has none or it
  // gave no value.
  bool ReadInput(std::u16string_view property);
  // Runs the property's output bind now with the property's value, whatever the mask says;
  // false when it has none or it did not write.
  bool WriteOutput(std::u16string_view property);

  // Tags attached to the object by name ("AddTag"): held, so that their changes reach the
  // object's "OnTagValueChanged". False when the name gives no tag.
  bool AddTag(std::u16string_view name);
  // False when the name was not attached.
  bool DelTag(std::u16string_view name);
  void ClearTags();

  // CNObjectBinds
  uint32_t RefreshInputs(bool force) override;
  void PropertyChanged(std::u16string_view name, bool writeOutput) override;
  void Disconnect() override;

  // CNBindScriptParser::ConnectionPoint
  bool Subscribe(CNBindScriptParser* bind, std::u16string_view name, uint32_t direction, uint32_t& handle,
                 void* argument) override;
  bool Unsubscribe(CNBindScriptParser* bind, uint32_t handle, void* argument) override;
  bool Read(CNBindScriptParser* bind, uint32_t handle, void* argument, CNValue& value) override;
  bool Write(CNBindScriptParser* bind, uint32_t handle, const CNValue& value) override;
  bool Call(CNBindScriptParser* bind, std::u16string_view function, std::span<const CNValue* const> args,
            CNValue& result, uint32_t position) override;

  // CNPTagServerConnectionPoint
  void TagChanged(CNPTag* tag, std::u16string_view name, const CNValue& value, uint32_t changed) override;
  uint32_t IsListening() override { return 1; }
  // The bound object's names from below the root, joined with ".".
  std::u16string GetListenerName() const override;

 private:
  struct Input {
    CRPtr<CNBindScriptParser> bind;
    bool onlyFirstIn = false;
    bool beginsWithBAC = false;
    bool stored = false;        // has stored a value
    bool holding = false;       // waits for the operator's write to settle
    uint32_t holdUntil = 0;     // the last tick it waits
  };
  struct Output {
    CRPtr<CNBindScriptParser> bind;
    uint16_t watch = 0;
  };
  // One name the binds use, shared by every bind that uses it.
  struct Name {
    std::u16string text;
    std::u16string property;    // for "$Property$" names
    CNPTag* tag = nullptr;      // for tag names, with one reference and this as its listener
    uint32_t subscriptions = 0;
    std::vector<CNBindScriptParser*> readers;  // input binds that read it
  };

  // Compiles and connects one script; null (with the error) when it fails.
  CRPtr<CNBindScriptParser> Make(std::u16string_view property, std::u16string_view script, bool input,
                                 CTagParserCompilerError* error);
  Name* FindName(uint32_t handle);
  Output* FindOutput(std::u16string_view property);
  void MarkReaders(const Name& name, const CNBindScriptParser* except);
  // Evaluates one input bind and stores its value; true when it wrote the property.
  bool StoreInput(Input& input, bool force);
  // false when masked or the bind did not write.
  bool WriteOutput(Output& output, bool masked);
  Input* FindInput(std::u16string_view property);

  CNPObject* m_pObject;  // null once disconnected
  CNBindEnvironment m_environment;
  std::vector<std::unique_ptr<Input>> m_inputs;   // in the order the properties were bound
  std::vector<std::unique_ptr<Output>> m_outputs;
  std::vector<Name> m_names;                      // a handle is an index + 1; entries stay
  std::vector<uint32_t> m_tags;                   // handles of the attached tags
  const CNBindScriptParser* m_pStoring = nullptr; // the input bind writing its property now
  bool m_bConnectingInput = false;                // Connect of an input bind runs
  std::u16string m_strRefused;                    // the name the last Connect could not resolve
  CNValue m_scratch;
  uint32_t m_uTick = 0;
};
