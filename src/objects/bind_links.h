#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "support/ref_cnt.h"

class CNObject;

// The bind scripts of one object as the object sees them; the bind layer implements them.
class CNObjectBinds : public CRRefCnt {
 public:
  // Evaluates the input binds that are due (every one when force is set) and stores their
  // values in the object's properties; returns how many properties were written.
  virtual uint32_t RefreshInputs(bool force) = 0;
  // After a change of one of the object's properties: the input binds that read it become due
  // and, when writeOutput is set, the property's output bind writes its tags.
  virtual void PropertyChanged(std::u16string_view name, bool writeOutput) = 0;
  // Gives back every tag and property link the binds hold; they do nothing afterwards.
  virtual void Disconnect() = 0;
};

// Hears every change of an object's properties while the object runs.
class CNPropertyListener {
 public:
  virtual ~CNPropertyListener() = default;
  virtual void PropertyChanged(CNObject& object, std::u16string_view name) = 0;
};

// An object's links to its bind scripts and the listeners of its property changes.
class CNBindLinks {
 public:
  CNBindLinks() = default;
  CNBindLinks(const CNBindLinks&) = delete;
  CNBindLinks& operator=(const CNBindLinks&) = delete;
  ~CNBindLinks() { DropBinds(); }

  // Replaces (and disconnects) the binds the object had.
  void SetBinds(CRPtr<CNObjectBinds> binds);
  CNObjectBinds* GetBinds() const { return m_binds.Get(); }
  void DropBinds() { SetBinds(nullptr); }

  // A listener is held without a reference and must be removed before it dies.
  void AddListener(CNPropertyListener* listener);
  void RemoveListener(CNPropertyListener* listener);
  // Tells every listener; one removed by an earlier one during the same call is skipped.
  void NotifyListeners(CNObject& object, std::u16string_view name);

  // Set by the bind layer while an input bind writes a property of the object: changes made
  // then come from tags and must not be written back to them.
  bool IsInputBinding() const { return m_bInputBinding; }
  void SetInputBinding(bool on) { m_bInputBinding = on; }

 private:
  CRPtr<CNObjectBinds> m_binds;
  std::vector<CNPropertyListener*> m_listeners;
  bool m_bInputBinding = false;
};
