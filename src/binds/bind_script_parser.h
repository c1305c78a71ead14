#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "binds/tag_parser_compiler_error.h"
#include "support/ref_cnt.h"
#include "values/value.h"

// A compiled bind script: computes a property from tags and other properties (input binds) or
// writes tags when the operator changes a property (output binds). The object that owns a bind
// reaches it only through this interface, and the bind reaches the outside world only through
// the owner's ConnectionPoint.
class CNBindScriptParser : public CRRefCnt {
 public:
  // The owner's side: name resolution, values and functions. Every call names the bind first
  // (its identity), so one owner can serve many binds.
  class ConnectionPoint {
   public:
    virtual ~ConnectionPoint() = default;
    // Resolves a name of the script. direction is 1 when the script reads the name at least
    // once, 0 when it only writes it. The owner chooses the handle; false refuses the name.
    virtual bool Subscribe(CNBindScriptParser* bind, std::u16string_view name, uint32_t direction,
                           uint32_t& handle, void* argument) = 0;
    // Options the owner gives its binds; none by default.
    virtual uint32_t GetBindOptions(CNBindScriptParser* /*bind*/) { return 0; }
    virtual bool Unsubscribe(CNBindScriptParser* bind, uint32_t handle, void* argument) = 0;
    // The current value of a subscribed name; false when it has none.
    virtual bool Read(CNBindScriptParser* bind, uint32_t handle, void* argument, CNValue& value) = 0;
    virtual bool Write(CNBindScriptParser* bind, uint32_t handle, const CNValue& value) = 0;
    // Runs a global function; position is where the call stands in the script text.
    virtual bool Call(CNBindScriptParser* bind, std::u16string_view function,
                      std::span<const CNValue* const> args, CNValue& result, uint32_t position) = 0;
  };

  // The owner must outlive the bind's connection (Disconnect before it goes).
  void SetConnectionPoint(ConnectionPoint* owner) { m_pOwner = owner; }
  ConnectionPoint* GetConnectionPoint() const { return m_pOwner; }
  // The property the bind belongs to.
  void SetPropertyName(std::u16string_view name) { m_strProperty = name; }
  const std::u16string& GetPropertyName() const { return m_strProperty; }

  // True when the whole text compiled; the error is kept otherwise.
  virtual bool Compile(std::u16string_view script) = 0;
  // Subscribes every name through the owner, in name order; false at the first refusal.
  virtual bool Connect(void* argument) = 0;
  // The other bind of the same property (input <-> output), or null.
  virtual void SetPartner(CNBindScriptParser* partner) { m_pPartner = partner; }
  // Unsubscribes every name.
  virtual void Disconnect(void* argument) = 0;
  // Input binds: computes the property's new value into value; false when there is none (not
  // due, no case selected, a run-time error). Output binds: value holds the property's current
  // value; the bind writes its tags; false when it did not run or failed.
  virtual bool Evaluate(bool force, CNValue& value) = 0;
  virtual CNBindScriptParser* GetIdentity() { return this; }
  // Periodic re-evaluation of an input bind: due again whenever tick / period changes (0: off).
  virtual void SetPeriod(uint32_t /*period*/) {}
  virtual void SetTick(uint32_t /*tick*/) {}
  // Every name the script reads or writes, in name order.
  virtual void GetNames(std::vector<std::u16string>& names) const = 0;
  // The compile error, or the run-time error of the last evaluation (code 16 or 21).
  virtual const CTagParserCompilerError& GetError() const = 0;

  void SetConnected(bool on) { m_bConnected = on; }
  void SetCompiled(bool on) { m_bCompiled = on; }
  bool IsConnected() const { return m_bConnected; }
  bool IsCompiled() const { return m_bCompiled; }
  // Some name the bind reads changed since its last evaluation (input), or the operator
  // changed the property (output).
  void SetDirty(bool on = true) { m_bDirty = on; }
  bool IsDirty() const { return m_bDirty; }
  CNBindScriptParser* GetPartner() const { return m_pPartner; }

 private:
  ConnectionPoint* m_pOwner = nullptr;
  CNBindScriptParser* m_pPartner = nullptr;
  std::u16string m_strProperty;
  bool m_bConnected = false;
  bool m_bCompiled = false;
  bool m_bDirty = false;
};
